#ifndef ADDON_ENTRYGUARD_HPP
#define ADDON_ENTRYGUARD_HPP

#include <exception>

#include "GSRoot/DebugLog.hpp"
#include "Host/HostCodes.hpp"

namespace Zarimark {

// No exception may cross into the host, which cannot handle ours: one that would is written to
// the debug log and becomes a host error code. Scope objects have already undone their changes.
template <typename Call>
GSErrCode GuardEntry(const char* entry, Call&& call) noexcept {
    try {
        return call();
    } catch (const std::exception& exception) {
        DBPrintf("ZM: %s: unexpected exception: %s\n", entry, exception.what());
    } catch (...) {
        DBPrintf("ZM: %s: unexpected exception.\n", entry);
    }
    return APIERR_GENERAL;
}

} // namespace Zarimark

#endif
