#ifndef ZARIMARK_SWEEP_REPRODUCER_HPP
#define ZARIMARK_SWEEP_REPRODUCER_HPP

#include <map>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "Sweep/SweepUnit.hpp"

namespace Sweep {

// Writes, for a problem the sweep found, a scenario that shows it to `zarimark check`: the
// unit's scenario as written, with the fault as a step of its own right before the step whose
// call it makes fail. Of the expectations only "silentlyStale" ones stay: they tell which stamps
// the scenario leaves silently stale on purpose, so the reproducer is held to the same rules, and
// fails for the problem rather than for results a fault changes legitimately.
class Reproducers {
public:
    explicit Reproducers(std::string folder) : folder_(std::move(folder)) {}

    // The file written, or empty when one of the same unit, finding, faulted operation and step
    // was written already (the first in plan order is kept). Without a fault (the play without
    // faults found it) the scenario itself shows it, less its expectations.
    std::string Write(const UnitSweep& sweep, const Fault* fault, const Problem& problem);

private:
    using Json = nlohmann::ordered_json;

    const Json* Source(const Unit& unit);
    std::string FileName(const Unit& unit, const Fault* fault, const Problem& problem);

    std::string folder_;
    std::map<std::string, Json> files_;
    std::set<std::string> written_; // keys of what was written
    std::set<std::string> names_;
};

} // namespace Sweep

#endif
