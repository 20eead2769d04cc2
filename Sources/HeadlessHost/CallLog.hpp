#ifndef HEADLESSHOST_CALLLOG_HPP
#define HEADLESSHOST_CALLLOG_HPP

#include <cstdint>
#include <string>
#include <vector>

#include "GSRoot/Definitions.hpp"

namespace Headless {

struct CallLogEntry {
    std::string operation; // the host operation's name, e.g. "HostLinkElements"
    std::string arguments; // key arguments as short text; elements by name
    GSErrCode result = NoError;
    bool injected = false; // the result came from an injected fault

    std::string ToString() const; // "HostLinkElements(zone-1, stamp-1) -> 0"
};

// The host operations called, in call order. An entry is made when a call begins, so that an
// operation comes before the operations it causes, and completed when it returns.
class CallLog {
public:
    // Where a call's entry is; it stays valid across a Clear (completing it then does nothing).
    struct Ticket {
        std::size_t index = 0;
        std::uint64_t generation = 0;
        bool logged = false;
    };

    Ticket Begin(const std::string& operation, std::string arguments);
    // For what is known only once the call returned, such as the name of a created element.
    void AddArguments(const Ticket& ticket, const std::string& more);
    void End(const Ticket& ticket, GSErrCode result, bool injected);

    const std::vector<CallLogEntry>& GetEntries() const { return entries_; }
    void Clear();
    void SetLogging(bool on) { logging_ = on; }
    bool IsLogging() const { return logging_; }

private:
    CallLogEntry* Find(const Ticket& ticket);

    std::vector<CallLogEntry> entries_;
    std::uint64_t generation_ = 0;
    bool logging_ = true;
};

} // namespace Headless

#endif
