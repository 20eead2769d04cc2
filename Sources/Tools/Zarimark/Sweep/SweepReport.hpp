#ifndef ZARIMARK_SWEEP_SWEEPREPORT_HPP
#define ZARIMARK_SWEEP_SWEEPREPORT_HPP

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "Sweep/Reproducer.hpp"
#include "Sweep/SweepUnit.hpp"

namespace Sweep {

// What the summary line counts. A finding counts the runs that found it (a run that leaks a memo
// in three steps is one), the play without faults included.
struct Totals {
    std::size_t runs = 0;   // every play, those without faults included
    std::size_t faults = 0; // fault runs in which the fault made a call fail
    std::size_t stoppedEarly = 0;
    std::array<std::size_t, FindingCount> findings{};

    bool Clean() const;
};

Totals Count(const std::vector<UnitSweep>& sweeps);
// "sweep: R runs, F faults, C crashes, M leaked memos, ..."
std::string SummaryLine(const Totals& totals);

// One line per run and finding, at most `limit`, then how many more; the reproducer of each
// problem written on the way.
void ReportFindings(const std::vector<UnitSweep>& sweeps, Reproducers& reproducers, std::size_t limit,
                    std::ostream& out);

} // namespace Sweep

#endif
