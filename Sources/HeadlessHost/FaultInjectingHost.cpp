#include "HeadlessHost/FaultInjectingHost.hpp"

namespace Headless {

namespace {

// A query's log entry tells its answer when that is a yes or no.
GSErrCode LoggedAnswer(bool answer) {
    return answer ? 1 : 0;
}

template <typename Answer>
GSErrCode LoggedAnswer(const Answer&) {
    return NoError;
}

} // namespace

FaultInjectingHost::FaultInjectingHost(HostInterface& target, CallDescriber describer)
    : target_(target), describer_(std::move(describer)) {}

void FaultInjectingHost::NoteStopped(API_ElementMemo* memo) {
    if (failedRelease_ && memo != nullptr)
        failedRelease_(*memo);
}

template <typename Forward, typename Later, typename Stopped>
GSErrCode FaultInjectingHost::RunOperation(const char* operation, std::string keys, Forward&& forward,
                                           Later&& later, Stopped&& stopped) {
    const CallLog::Ticket ticket = log_.Begin(operation, std::move(keys));
    if (const std::optional<FaultInjector::Hit> hit = faults_.Check(operation)) {
        log_.End(ticket, hit->code, true);
        stopped();
        if (hit->throws)
            throw InjectedHostException(operation);
        return hit->code;
    }
    const GSErrCode result = forward();
    if (result == NoError)
        log_.AddArguments(ticket, later());
    log_.End(ticket, result, false);
    return result;
}

template <typename Result, typename Forward>
Result FaultInjectingHost::RunQuery(const char* operation, std::string keys, Result answer,
                                    Forward&& forward) {
    const CallLog::Ticket ticket = log_.Begin(operation, std::move(keys));
    if (const std::optional<FaultInjector::Hit> hit = faults_.Check(operation)) {
        log_.End(ticket, hit->code, true);
        if (hit->throws)
            throw InjectedHostException(operation);
        return answer;
    }
    const Result result = forward();
    log_.End(ticket, LoggedAnswer(result), false);
    return result;
}

using namespace Keys;

#define HOST_OPERATION(name, parameters, arguments, keys)                                                    \
    GSErrCode FaultInjectingHost::name parameters {                                                          \
        return RunOperation(                                                                                 \
            #name, describer_.OnEntry keys, [&] { return target_.name arguments; },                          \
            [&] { return describer_.OnReturn keys; }, [&] { NoteStopped arguments; });                       \
    }
#define HOST_QUERY(type, name, parameters, arguments, answer, keys)                                          \
    type FaultInjectingHost::name parameters {                                                               \
        return RunQuery<type>(#name, describer_.OnEntry keys, answer,                                        \
                              [&] { return target_.name arguments; });                                       \
    }
#include "Host/HostCatalogue.def"

} // namespace Headless
