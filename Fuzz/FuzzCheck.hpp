#ifndef FUZZ_FUZZCHECK_HPP
#define FUZZ_FUZZCHECK_HPP

#include <cstdio>
#include <cstdlib>
#include <string>

// A broken promise stops the fuzzer like a crash, so that it keeps the input; the text says which.
inline void Require(bool holds, const std::string& promise) {
    if (holds)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise.c_str());
    std::abort();
}

#endif
