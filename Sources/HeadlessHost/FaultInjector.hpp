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

// The faults planned for host operations, by operation name and call number.
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
    void Clear() { faults_.clear(); }

    // Counts a call of `operation`; what it must do instead of running when a fault hits it.
    std::optional<Hit> Check(const std::string& operation);

private:
    struct Fault {
        int n = 1;
        Hit hit;
        bool repeat = false;
        int calls = 0;
    };
    std::map<std::string, Fault> faults_;
};

} // namespace Headless

#endif
