#ifndef HEADLESSHOST_FAULTINJECTOR_HPP
#define HEADLESSHOST_FAULTINJECTOR_HPP

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "GSRoot/Definitions.hpp"

namespace Headless {

// What a host operation throws when a fault says so.
class InjectedHostException : public std::runtime_error {
public:
    explicit InjectedHostException(const std::string& operation)
        : std::runtime_error("exception injected into " + operation) {}
};

// The faults planned for host operations: by operation name and call number, or at a call number
// counted over every operation.
class FaultInjector {
public:
    struct Hit {
        GSErrCode code = NoError;
        bool throws = false; // throw InjectedHostException instead of answering the code
    };

    // The n-th call of `operation` from now on (n >= 1) fails with `code`; with `repeat`, every
    // call from the n-th on. Replaces an earlier fault of that operation. False: not a host
    // operation's name, or n < 1.
    bool Inject(const std::string& operation, int n, GSErrCode code, bool repeat);
    // The same, but the call throws InjectedHostException instead of returning a code: an add-on
    // must not let it reach the host.
    bool InjectException(const std::string& operation, int n, bool repeat);
    void Remove(const std::string& operation);

    // The n-th host call from now, whatever its operation, fails with `code` (n >= 1); with
    // `repeat`, every call from the n-th on. Replaces an earlier fault of this kind; a fault of
    // the operation called wins over it; a yes/no question is counted but passed over. False: n < 1.
    bool InjectAtCall(int n, GSErrCode code, bool repeat);
    bool InjectExceptionAtCall(int n, bool repeat);
    void RemoveAtCall() { anyCall_.reset(); }

    void Clear() {
        faults_.clear();
        anyCall_.reset();
    }

    // Counts a call of `operation`; what it must do instead of running when a fault hits it.
    std::optional<Hit> Check(const std::string& operation);
    // Counted by a fault at a call number, but never failed by it.
    static bool IsYesNoQuestion(const std::string& operation);
    // The calls that faults at a call number have made fail so far, removed ones' included.
    int GetAtCallHitCount() const { return atCallHits_; }

private:
    struct Fault {
        int n = 1;
        Hit hit;
        bool repeat = false;
        int calls = 0;
    };
    static std::optional<Hit> Count(Fault& fault);

    std::map<std::string, Fault> faults_;
    std::optional<Fault> anyCall_;
    int atCallHits_ = 0;
};

} // namespace Headless

#endif
