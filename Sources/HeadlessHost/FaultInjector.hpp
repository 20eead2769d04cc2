#ifndef HEADLESSHOST_FAULTINJECTOR_HPP
#define HEADLESSHOST_FAULTINJECTOR_HPP

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "HeadlessHost/HostActivity.hpp"

namespace Headless {

// What a host operation throws when a fault says so.
class InjectedHostException : public std::runtime_error {
public:
    explicit InjectedHostException(const std::string& operation)
        : std::runtime_error("exception injected into " + operation) {}
};

// Makes host operations fail on purpose and records every operation called.
class FaultInjector {
public:
    // The names of every host operation, as declared in HostInterface.
    static const std::vector<std::string>& GetOperationNames();
    static bool IsOperationName(const std::string& operation);

    // The n-th call of `operation` from now on (n >= 1) fails with `code`; with `repeat`, every
    // call from the n-th on. Replaces an earlier fault of that operation. False: unknown name
    // or n < 1.
    bool Inject(const std::string& operation, int n, GSErrCode code, bool repeat);
    // The same, but the call throws InjectedHostException instead of returning a code: an add-on
    // must not let it reach the host.
    bool InjectException(const std::string& operation, int n, bool repeat);
    void Remove(const std::string& operation);
    void Clear() { faults_.clear(); }

    // Counts the call; true with the code when it must fail, *throws telling how.
    bool Check(const std::string& operation, GSErrCode* code, bool* throws = nullptr);

    void Log(CallLogEntry entry) { log_.push_back(std::move(entry)); }
    const std::vector<CallLogEntry>& GetCallLog() const { return log_; }
    CallLogEntry* FindEntry(std::size_t index) { return index < log_.size() ? &log_[index] : nullptr; }
    void ClearCallLog() { log_.clear(); }
    void SetLogging(bool on) { logging_ = on; }
    bool IsLogging() const { return logging_; }

private:
    struct Fault {
        int n = 1;
        GSErrCode code = 0;
        bool repeat = false;
        int calls = 0;
        bool throws = false;
    };
    std::map<std::string, Fault> faults_;
    std::vector<CallLogEntry> log_;
    bool logging_ = true;
};

} // namespace Headless

#endif
