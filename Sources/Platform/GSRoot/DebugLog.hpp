#ifndef GSROOT_DEBUGLOG_HPP
#define GSROOT_DEBUGLOG_HPP

#include <string>
#include <vector>

// The host's debug log. Every DBPrintf call appends one entry, exactly as formatted.
void DBPrintf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

namespace GS {
const std::vector<std::string>& GetDebugLog();
void ClearDebugLog();
} // namespace GS

#endif
