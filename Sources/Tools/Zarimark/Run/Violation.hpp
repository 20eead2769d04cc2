#ifndef ZARIMARK_RUN_VIOLATION_HPP
#define ZARIMARK_RUN_VIOLATION_HPP

#include <cstddef>
#include <string>

namespace Run {

// A step that broke one of the rules every run is held to, whatever the scenario expects: what
// the sweep counts and what check reports besides the scenario's own expectations.
struct Violation {
    enum class Kind {
        Exception,            // an exception crossed the module boundary into the host
        LeakedMemo,           // a memo or handle the add-on never gave back
        UnrestoredState,      // layer flags, combination, locks or group suspension left changed
        HalfLink,             // a link without its partner that no design reason explains
        SilentlyStale,        // a stale stamp neither listed in the palette nor announced
        WriteOutsideWorkspace // an element outside the Teamwork workspace changed without consent
    };
    Kind kind = Kind::Exception;
    std::size_t step = 0;
    std::string path;    // the step's place in the file
    std::string message; // what broke, with element names
};

} // namespace Run

#endif
