#include "GSRoot/DebugLog.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

std::vector<std::string>& DebugLog() {
    static std::vector<std::string> log;
    return log;
}

std::string Format(const char* format, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

void DBPrintf(const char* format, ...) {
    if (format == nullptr)
        return;
    std::va_list args;
    va_start(args, format);
    std::string entry = Format(format, args);
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
