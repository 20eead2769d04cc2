#include "HeadlessHost/FaultInjector.hpp"

#include "Host/HostCatalogue.hpp"
#include "Host/HostCodes.hpp"

namespace Headless {

namespace {

FaultInjector::Hit Failing(GSErrCode code) {
    FaultInjector::Hit hit;
    hit.code = code;
    return hit;
}

FaultInjector::Hit Throwing() {
    FaultInjector::Hit hit;
    hit.code = APIERR_GENERAL;
    hit.throws = true;
    return hit;
}

} // namespace

bool FaultInjector::Inject(const std::string& operation, int n, GSErrCode code, bool repeat) {
    if (n < 1 || !Host::IsOperationName(operation))
        return false;
    faults_[operation] = Fault{n, Failing(code), repeat, 0};
    return true;
}

bool FaultInjector::InjectException(const std::string& operation, int n, bool repeat) {
    if (n < 1 || !Host::IsOperationName(operation))
        return false;
    faults_[operation] = Fault{n, Throwing(), repeat, 0};
    return true;
}

void FaultInjector::Remove(const std::string& operation) {
    faults_.erase(operation);
}

bool FaultInjector::InjectAtCall(int n, GSErrCode code, bool repeat) {
    if (n < 1)
        return false;
    anyCall_ = Fault{n, Failing(code), repeat, 0};
    return true;
}

bool FaultInjector::InjectExceptionAtCall(int n, bool repeat) {
    if (n < 1)
        return false;
    anyCall_ = Fault{n, Throwing(), repeat, 0};
    return true;
}

std::optional<FaultInjector::Hit> FaultInjector::Count(Fault& fault) {
    ++fault.calls;
    if (fault.calls < fault.n || (!fault.repeat && fault.calls > fault.n))
        return std::nullopt;
    return fault.hit;
}

// A yes/no question has no failure to give: a fault at whatever call would only turn its answer
// round (an element the user just edited said to lie outside the workspace), a host that lies.
// A fault of the operation itself still can, for tests that mean it.
bool FaultInjector::IsYesNoQuestion(const std::string& operation) {
    return operation == "HostFilterElement" || operation == "HostGetOwnResourceModule";
}

std::optional<FaultInjector::Hit> FaultInjector::Check(const std::string& operation) {
    std::optional<Hit> hit;
    if (auto found = faults_.find(operation); found != faults_.end())
        hit = Count(found->second);
    // Every call counts towards a fault at a call number, also one that a fault of its
    // operation answers.
    if (anyCall_) {
        const std::optional<Hit> anyHit = Count(*anyCall_);
        if (anyHit && !hit && !IsYesNoQuestion(operation)) {
            hit = anyHit;
            ++atCallHits_;
        }
    }
    return hit;
}

} // namespace Headless
