#include "HeadlessHost/HeadlessHost.hpp"
#include "HeadlessHost/HostInternals.hpp"

namespace Headless {

std::size_t HeadlessHost::BeginLog(const char* operation, std::string arguments) {
    // The entry is made on entry so that an operation comes before those it causes.
    if (!faults_.IsLogging())
        return static_cast<std::size_t>(-1);
    CallLogEntry entry;
    entry.operation = operation;
    entry.arguments = std::move(arguments);
    faults_.Log(std::move(entry));
    return faults_.GetCallLog().size() - 1;
}

void HeadlessHost::EndLog(std::size_t entry, const char* operation, GSErrCode result, bool injected) {
    CallLogEntry* logged = faults_.FindEntry(entry);
    if (logged == nullptr || logged->operation != operation)
        return; // the log was cleared meanwhile
    logged->result = result;
    logged->injected = injected;
}

void HeadlessHost::AmendLog(std::size_t entry, const char* operation, std::string arguments) {
    CallLogEntry* logged = faults_.FindEntry(entry);
    if (logged == nullptr || logged->operation != operation)
        return; // not logged, or the log was cleared meanwhile
    logged->arguments = std::move(arguments);
}

} // namespace Headless
