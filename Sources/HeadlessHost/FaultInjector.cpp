#include "HeadlessHost/FaultInjector.hpp"

#include "Host/HostCatalogue.hpp"
#include "Host/HostCodes.hpp"

namespace Headless {

bool FaultInjector::Inject(const std::string& operation, int n, GSErrCode code, bool repeat) {
    if (n < 1 || !Host::IsOperationName(operation))
        return false;
    Fault fault;
    fault.n = n;
    fault.hit.code = code;
    fault.repeat = repeat;
    faults_[operation] = fault;
    return true;
}

bool FaultInjector::InjectException(const std::string& operation, int n, bool repeat) {
    if (!Inject(operation, n, APIERR_GENERAL, repeat))
        return false;
    faults_[operation].hit.throws = true;
    return true;
}

void FaultInjector::Remove(const std::string& operation) {
    faults_.erase(operation);
}

std::optional<FaultInjector::Hit> FaultInjector::Check(const std::string& operation) {
    auto found = faults_.find(operation);
    if (found == faults_.end())
        return std::nullopt;
    Fault& fault = found->second;
    ++fault.calls;
    if (fault.calls < fault.n || (!fault.repeat && fault.calls > fault.n))
        return std::nullopt;
    return fault.hit;
}

} // namespace Headless
