#include "Sweep/SweepReport.hpp"

#include <algorithm>
#include <ostream>

namespace Sweep {

namespace {

void CountRun(const RunOutcome& outcome, Totals& totals) {
    ++totals.runs;
    if (!outcome.stoppedEarly.empty())
        ++totals.stoppedEarly;
    for (std::size_t finding = 0; finding < FindingCount; ++finding) {
        if (outcome.Has(static_cast<Finding>(finding)))
            ++totals.findings[finding];
    }
}

// "faults.json run [1]: leaked memo at steps[4] when call 2 of step [3] (...) fails with ..., once:
// what broke (and 2 more) -> sweep-failures/....json"
std::string FindingLine(const UnitSweep& sweep, const Fault* fault, const Problem& problem, std::size_t more,
                        const std::string& reproducer) {
    std::string line = sweep.unit.Name() + ": " + FindingName(problem.finding);
    if (!problem.path.empty())
        line += " at " + problem.path;
    line += fault != nullptr ? " when " + DescribeFault(*fault) : " without a fault";
    line += ": " + problem.message;
    if (more > 0)
        line += " (and " + std::to_string(more) + " more)";
    if (!reproducer.empty())
        line += " -> " + reproducer;
    return line;
}

// Each finding of the run: a line (while there is room) and its reproducer.
void ReportRun(const UnitSweep& sweep, const Fault* fault, const RunOutcome& outcome,
               Reproducers& reproducers, std::size_t limit, std::size_t& lines, std::ostream& out) {
    for (std::size_t finding = 0; finding < FindingCount; ++finding) {
        const auto same = [&](const Problem& problem) {
            return problem.finding == static_cast<Finding>(finding);
        };
        const auto first = std::find_if(outcome.problems.begin(), outcome.problems.end(), same);
        if (first == outcome.problems.end())
            continue;
        const std::string reproducer = reproducers.Write(sweep, fault, *first);
        if (lines++ < limit) {
            const auto more = std::count_if(outcome.problems.begin(), outcome.problems.end(), same) - 1;
            out << FindingLine(sweep, fault, *first, static_cast<std::size_t>(more), reproducer) << "\n";
        }
    }
}

} // namespace

bool Totals::Clean() const {
    return std::all_of(findings.begin(), findings.end(), [](std::size_t count) { return count == 0; });
}

Totals Count(const std::vector<UnitSweep>& sweeps) {
    Totals totals;
    for (const UnitSweep& sweep : sweeps) {
        CountRun(sweep.clean, totals);
        for (const RunOutcome& outcome : sweep.outcomes) {
            CountRun(outcome, totals);
            if (outcome.hit)
                ++totals.faults;
        }
    }
    return totals;
}

std::string SummaryLine(const Totals& totals) {
    const auto& found = totals.findings;
    const auto count = [&](Finding finding) {
        return std::to_string(found[static_cast<std::size_t>(finding)]);
    };
    return "sweep: " + std::to_string(totals.runs) + " runs, " + std::to_string(totals.faults) + " faults, " +
           count(Finding::Crash) + " crashes, " + count(Finding::LeakedMemo) + " leaked memos, " +
           count(Finding::UnrestoredState) + " unrestored states, " + count(Finding::HalfLink) +
           " half links, " + count(Finding::SilentlyStale) + " silently stale stamps, " +
           count(Finding::WriteOutsideWorkspace) + " writes outside the workspace";
}

void ReportFindings(const std::vector<UnitSweep>& sweeps, Reproducers& reproducers, std::size_t limit,
                    std::ostream& out) {
    std::size_t lines = 0;
    for (const UnitSweep& sweep : sweeps) {
        ReportRun(sweep, nullptr, sweep.clean, reproducers, limit, lines, out);
        for (std::size_t i = 0; i < sweep.outcomes.size(); ++i)
            ReportRun(sweep, &sweep.faults[i], sweep.outcomes[i], reproducers, limit, lines, out);
    }
    if (lines > limit)
        out << "... and " << lines - limit << " more (one line per run and finding)\n";
}

} // namespace Sweep
