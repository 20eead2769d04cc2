#ifndef ADDON_ENTRYGUARD_HPP
#define ADDON_ENTRYGUARD_HPP

#include <exception>

#include "GSRoot/DebugLog.hpp"
#include "Host/HostCodes.hpp"

namespace Zarimark {

// Runs `call`; an exception it throws is written to the debug log under `where` and `failed` is
// answered instead.
template <typename Result, typename Call>
Result CatchInto(const char* where, Result failed, Call&& call) noexcept {
    try {
        return call();
    } catch (const std::exception& exception) {
        DBPrintf("ZM: %s: unexpected exception: %s\n", where, exception.what());
    } catch (...) {
        DBPrintf("ZM: %s: unexpected exception.\n", where);
    }
    return failed;
}

// No exception may cross into the host, which cannot handle ours: one that would becomes a host
// error code. Scope objects have already undone their changes.
template <typename Call>
GSErrCode GuardEntry(const char* entry, Call&& call) noexcept {
    return CatchInto<GSErrCode>(entry, APIERR_GENERAL, call);
}

} // namespace Zarimark

#endif
