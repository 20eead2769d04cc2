#ifndef ZARIMARK_SWEEP_SWEEPER_HPP
#define ZARIMARK_SWEEP_SWEEPER_HPP

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "Sweep/SweepUnit.hpp"

namespace Sweep {

struct Options {
    std::size_t jobs = 1;
    std::string modulePath;
    std::chrono::milliseconds timeout{10000}; // a run still going after it counts as a crash
};

// Plays every unit without faults to count its calls, then once for each fault of its plan;
// every play in a child process of its own. Tells how far it got on `progress`.
std::vector<UnitSweep> SweepUnits(const std::vector<Unit>& units, const Options& options,
                                  std::ostream& progress);

} // namespace Sweep

#endif
