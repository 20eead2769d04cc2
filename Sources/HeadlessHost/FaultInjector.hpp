#ifndef HEADLESSHOST_FAULTINJECTOR_HPP
#define HEADLESSHOST_FAULTINJECTOR_HPP

#include <map>
#include <string>
#include <vector>

#include "HeadlessHost/HostActivity.hpp"

namespace Headless {

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
    void Remove(const std::string& operation);
    void Clear() { faults_.clear(); }

    // Counts the call; true with the code when it must fail.
    bool Check(const std::string& operation, GSErrCode* code);

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
    };
    std::map<std::string, Fault> faults_;
    std::vector<CallLogEntry> log_;
    bool logging_ = true;
};

} // namespace Headless

#endif
