#ifndef ZARIMARK_SWEEP_RUNOUTCOME_HPP
#define ZARIMARK_SWEEP_RUNOUTCOME_HPP

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "Run/Violation.hpp"
#include "Sweep/FaultPlan.hpp"

namespace Sweep {

// What the sweep counts: a crash (a child that died or hung, an exception that reached the host,
// an update cycle the host had to stop: none of which the real host survives) or a broken rule.
enum class Finding { Crash, LeakedMemo, UnrestoredState, HalfLink, SilentlyStale, WriteOutsideWorkspace };
constexpr std::size_t FindingCount = 6;

Finding FindingOf(Run::Violation::Kind kind);
const char* FindingName(Finding finding); // "leaked memo"
const char* FindingSlug(Finding finding); // "leaked-memo", for file names

struct Problem {
    Finding finding = Finding::Crash;
    std::size_t step = 0;
    std::string path;    // the step's place in the file; empty when the child died
    std::string message; // what broke
};

// What one play found, passed from the child that played it to the parent as one JSON text.
struct RunOutcome {
    bool hit = false;          // the fault made at least one call fail
    std::string stoppedEarly;  // why a step could not be played, if one could not
    std::string moduleFailure; // the module could not be loaded: nothing else was played
    std::vector<Problem> problems;
    CallsByStep calls; // the play without faults only

    bool Has(Finding finding) const;
};

std::string Encode(const RunOutcome& outcome);
// False when the text is no outcome (a child that ended before writing all of it).
bool Decode(const std::string& text, RunOutcome& outcome);
// The outcome of a child that did not end normally: `how` it ended.
RunOutcome Crashed(std::size_t step, const std::string& how);

} // namespace Sweep

#endif
