#include "Sweep/FaultPlan.hpp"

#include <cstdio>

#include "HeadlessHost/FaultInjector.hpp"
#include "Host/HostCodes.hpp"

namespace Sweep {

std::vector<GSErrCode> CodesFor(const std::string& operation) {
    if (Headless::FaultInjector::IsYesNoQuestion(operation))
        return {};
    // Only these two check whether the user may edit the element; the others never refuse.
    if (operation == "HostChangeElement" || operation == "HostDeleteElements")
        return {APIERR_GENERAL,     APIERR_LOCKEDELEM, APIERR_LAYERHIDDEN,
                APIERR_LAYERLOCKED, APIERR_NOTMINE,    APIERR_GROUPED};
    return {APIERR_GENERAL};
}

std::vector<Fault> PlanFaults(const CallsByStep& calls) {
    std::vector<Fault> faults;
    std::size_t number = 0;
    for (std::size_t step = 0; step < calls.size(); ++step) {
        for (std::size_t i = 0; i < calls[step].size(); ++i) {
            ++number;
            for (const GSErrCode code : CodesFor(calls[step][i])) {
                for (const bool persistent : {false, true})
                    faults.push_back(
                        Fault{step, static_cast<int>(i + 1), number, calls[step][i], code, persistent});
            }
        }
    }
    return faults;
}

std::string CodeText(GSErrCode code) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(code));
    return text;
}

std::string DescribeFault(const Fault& fault) {
    return "call " + std::to_string(fault.call) + " of step [" + std::to_string(fault.step) + "] (" +
           fault.operation + ") fails with " + CodeText(fault.code) +
           (fault.persistent ? ", and every later call too" : ", once");
}

} // namespace Sweep
