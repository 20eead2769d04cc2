#include "GSRoot/DebugLog.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "GSRoot/FormatArgs.hpp"

namespace {

std::vector<std::string>& DebugLog() {
    static std::vector<std::string> log;
    return log;
}

} // namespace

void DBPrintf(const char* format, ...) {
    if (format == nullptr)
        return;
    std::va_list args;
    va_start(args, format);
    std::string entry = GS::Detail::FormatArgs(format, args);
    va_end(args);
    if (std::getenv("ZM_DEBUG_STDERR") != nullptr)
        std::fputs(entry.c_str(), stderr);
    DebugLog().push_back(std::move(entry));
}

namespace GS {

const std::vector<std::string>& GetDebugLog() {
    return DebugLog();
}

void ClearDebugLog() {
    DebugLog().clear();
}

} // namespace GS
