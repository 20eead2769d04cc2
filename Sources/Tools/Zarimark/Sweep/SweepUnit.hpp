#ifndef ZARIMARK_SWEEP_SWEEPUNIT_HPP
#define ZARIMARK_SWEEP_SWEEPUNIT_HPP

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "Scenario/ScenarioModel.hpp"
#include "Sweep/FaultPlan.hpp"
#include "Sweep/RunOutcome.hpp"

namespace Sweep {

// One scenario the sweep plays: a file, or one run of a file of several.
struct Unit {
    std::string file;
    const Scenario::Scenario* scenario = nullptr;
    std::optional<std::size_t> run; // its index in the file's "runs"

    // "runs.json run [1]"
    std::string Name() const { return run ? file + " run [" + std::to_string(*run) + "]" : file; }
};

std::vector<Unit> UnitsOf(const std::string& file, const Scenario::Scenario& scenario);

// What the sweep found in one unit: its play without faults, and one outcome per fault.
struct UnitSweep {
    Unit unit;
    RunOutcome clean;
    std::vector<Fault> faults;
    std::vector<RunOutcome> outcomes;
};

} // namespace Sweep

#endif
