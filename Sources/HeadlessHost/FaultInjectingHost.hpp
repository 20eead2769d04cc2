#ifndef HEADLESSHOST_FAULTINJECTINGHOST_HPP
#define HEADLESSHOST_FAULTINJECTINGHOST_HPP

#include <functional>
#include <string>

#include "HeadlessHost/CallDescriber.hpp"
#include "HeadlessHost/CallLog.hpp"
#include "HeadlessHost/FaultInjector.hpp"
#include "Host/HostInterface.hpp"

namespace Headless {

// Wraps any host: every operation is logged with its key arguments, then answers a planned fault
// (or throws it) when one hits it, else runs on the wrapped host. Made from the host catalogue,
// so that it covers every operation. Only calls made through the wrapper count: whoever calls
// the wrapped host directly is neither logged nor faulted.
class FaultInjectingHost : public HostInterface {
public:
    explicit FaultInjectingHost(HostInterface& target, CallDescriber describer = CallDescriber());

    FaultInjectingHost(const FaultInjectingHost&) = delete;
    FaultInjectingHost& operator=(const FaultInjectingHost&) = delete;

    FaultInjector& GetFaults() { return faults_; }
    const CallLog& GetCallLog() const { return log_; }
    CallLog& GetCallLog() { return log_; }

    // Told of each HostDisposeElementMemo a fault stopped: the memo it named stays with the
    // wrapped host, though the caller did give it back.
    using FailedRelease = std::function<void(const API_ElementMemo& memo)>;
    void SetFailedReleaseListener(FailedRelease listener) { failedRelease_ = std::move(listener); }

#define HOST_OPERATION(name, parameters, arguments, keys) GSErrCode name parameters override;
#define HOST_QUERY(type, name, parameters, arguments, answer, keys) type name parameters override;
#include "Host/HostCatalogue.def"

private:
    template <typename Forward, typename Later, typename Stopped>
    GSErrCode RunOperation(const char* operation, std::string keys, Forward&& forward, Later&& later,
                           Stopped&& stopped);
    // What a fault stopped from reaching the wrapped host; only a release matters to it.
    template <typename... Arguments>
    void NoteStopped(const Arguments&...) {}
    void NoteStopped(API_ElementMemo* memo); // HostDisposeElementMemo, the one operation of this shape
    template <typename Result, typename Forward>
    Result RunQuery(const char* operation, std::string keys, Result answer, Forward&& forward);

    HostInterface& target_;
    CallDescriber describer_;
    FaultInjector faults_;
    CallLog log_;
    FailedRelease failedRelease_;
};

} // namespace Headless

#endif
