#ifndef ZARIMARK_SWEEP_FAULTPLAY_HPP
#define ZARIMARK_SWEEP_FAULTPLAY_HPP

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "Scenario/ScenarioModel.hpp"
#include "Sweep/FaultPlan.hpp"
#include "Sweep/RunOutcome.hpp"

namespace Sweep {

// Plays the scenario without faults: what it found, and the calls each step made.
RunOutcome PlayClean(const Scenario::Scenario& scenario, const std::string& modulePath);

// One fault's run, as the process that played it reports it: by the fault's index in the plan.
struct FaultResult {
    std::size_t fault = 0;
    RunOutcome outcome;
};
std::string EncodeResult(const FaultResult& result); // one line
// Every whole line of `text`; false if a line is no result.
bool DecodeResults(const std::string& text, std::vector<FaultResult>& results);

// Plays the scenario without faults and, before each step, forks one child per fault of that
// step (at most `jobs` at a time), which makes the fault's call fail and plays on from there: the
// steps before are played once for all the faults after them. Writes each run's result to `out`
// as a line, a child that crashed or outlived `timeout` as a crash.
void PlayFaults(const Scenario::Scenario& scenario, const std::string& modulePath,
                const std::vector<Fault>& faults, std::size_t jobs, std::chrono::milliseconds timeout,
                int out);

} // namespace Sweep

#endif
