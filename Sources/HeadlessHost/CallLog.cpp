#include "HeadlessHost/CallLog.hpp"

#include <cstdio>

namespace Headless {

std::string CallLogEntry::ToString() const {
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08X", static_cast<unsigned>(result));
    return operation + "(" + arguments + ") -> " + (result == 0 ? std::string("0") : std::string(code)) +
           (injected ? " (injected)" : "");
}

CallLog::Ticket CallLog::Begin(const std::string& operation, std::string arguments) {
    if (!logging_)
        return Ticket();
    CallLogEntry entry;
    entry.operation = operation;
    entry.arguments = std::move(arguments);
    entries_.push_back(std::move(entry));
    return Ticket{entries_.size() - 1, generation_, true};
}

CallLogEntry* CallLog::Find(const Ticket& ticket) {
    if (!ticket.logged || ticket.generation != generation_ || ticket.index >= entries_.size())
        return nullptr;
    return &entries_[ticket.index];
}

void CallLog::AddArguments(const Ticket& ticket, const std::string& more) {
    CallLogEntry* entry = Find(ticket);
    if (entry == nullptr || more.empty())
        return;
    entry->arguments += (entry->arguments.empty() ? "" : ", ") + more;
}

void CallLog::End(const Ticket& ticket, GSErrCode result, bool injected) {
    if (CallLogEntry* entry = Find(ticket)) {
        entry->result = result;
        entry->injected = injected;
    }
}

void CallLog::Clear() {
    entries_.clear();
    ++generation_;
}

} // namespace Headless
