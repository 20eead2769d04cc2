#include "HeadlessHost/FaultInjector.hpp"

#include <algorithm>
#include <cstdio>

#include "Host/HostCodes.hpp"

namespace Headless {

const std::vector<std::string>& FaultInjector::GetOperationNames() {
    static const std::vector<std::string> names = {
        "ACAPI_Register_Menu",
        "ACAPI_Install_MenuHandler",
        "ACAPI_Register_BuiltInLibrary",
        "ACAPI_RegisterModelessWindow",
        "HostUnregisterModelessWindow",
        "ACAPI_Notify_CatchProjectEvent",
        "ACAPI_Notify_InstallElementObserver",
        "ACAPI_Notify_CatchNewElement",
        "HostAttachElementObserver",
        "HostDetachElementObserver",
        "HostGetParentElement",
        "HostListElements",
        "HostFilterElement",
        "HostGetElement",
        "HostGetElementHeader",
        "HostGetElementMemo",
        "HostGetElementDefaults",
        "HostCreateElement",
        "HostChangeElement",
        "HostDeleteElements",
        "HostDisposeElementMemo",
        "HostGetElementQuantities",
        "HostGetSelection",
        "HostNeigToElementType",
        "HostApplyElementTool",
        "HostReserveElements",
        "HostGetStoryInfo",
        "HostGetLayerCombination",
        "HostSetLayerCombination",
        "HostIsSuspendGroupOn",
        "HostGetElementLinks",
        "HostLinkElements",
        "HostUnlinkElements",
        "HostGetLibPartUniqueId",
        "HostSearchLibraryPart",
        "HostGetLibPartParams",
        "HostGetAttribute",
        "HostModifyAttribute",
        "HostEnumerateAttributes",
        "HostCallUndoableCommand",
        "HostGetPreferences",
        "HostSetPreferences",
        "HostGetOwnResourceModule",
    };
    return names;
}

bool FaultInjector::IsOperationName(const std::string& operation) {
    const std::vector<std::string>& names = GetOperationNames();
    return std::find(names.begin(), names.end(), operation) != names.end();
}

bool FaultInjector::Inject(const std::string& operation, int n, GSErrCode code, bool repeat) {
    if (n < 1 || !IsOperationName(operation))
        return false;
    faults_[operation] = Fault{n, code, repeat, 0};
    return true;
}

bool FaultInjector::InjectException(const std::string& operation, int n, bool repeat) {
    if (!Inject(operation, n, APIERR_GENERAL, repeat))
        return false;
    faults_[operation].throws = true;
    return true;
}

void FaultInjector::Remove(const std::string& operation) {
    faults_.erase(operation);
}

bool FaultInjector::Check(const std::string& operation, GSErrCode* code, bool* throws) {
    auto found = faults_.find(operation);
    if (found == faults_.end())
        return false;
    Fault& fault = found->second;
    ++fault.calls;
    if (fault.calls < fault.n || (!fault.repeat && fault.calls > fault.n))
        return false;
    *code = fault.code;
    if (throws != nullptr)
        *throws = fault.throws;
    return true;
}

std::string CallLogEntry::ToString() const {
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08X", static_cast<unsigned>(result));
    return operation + "(" + arguments + ") -> " + (result == 0 ? std::string("0") : std::string(code)) +
           (injected ? " (injected)" : "");
}

} // namespace Headless
