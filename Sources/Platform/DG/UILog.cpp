#include "DG/UILog.hpp"

#include <utility>

namespace DG {

namespace {

// Touched only on the UI thread, as every DG call. Never destroyed: a palette that lives in a
// function-local static of the add-on may still log while statics are torn down at exit.
std::vector<UILogEntry>& Log() {
    static auto* log = new std::vector<UILogEntry>();
    return *log;
}

} // namespace

std::vector<UILogEntry> GetUILog() {
    return Log();
}

std::size_t GetUILogSize() {
    return Log().size();
}

void ClearUILog() {
    Log().clear();
}

namespace Detail {

void AppendUILog(UILogEntry entry) {
    Log().push_back(std::move(entry));
}

void LogUsageError(short panelId, const std::string& message) {
    UILogEntry entry;
    entry.kind = UILogKind::UsageError;
    entry.panelId = panelId;
    entry.message = message;
    AppendUILog(std::move(entry));
}

} // namespace Detail

} // namespace DG
