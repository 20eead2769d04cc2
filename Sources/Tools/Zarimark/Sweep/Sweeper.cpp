#include "Sweep/Sweeper.hpp"

#include <cstdio>
#include <ostream>

#include "Sweep/ChildPool.hpp"
#include "Sweep/FaultPlay.hpp"

namespace Sweep {

namespace {

using Clock = std::chrono::steady_clock;

std::string Seconds(Clock::time_point since) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f s", std::chrono::duration<double>(Clock::now() - since).count());
    return text;
}

// Every unit played once without faults, each in a child.
void PlayCleanRuns(std::vector<UnitSweep>& sweeps, const Options& options) {
    ChildPool pool(options.jobs, options.timeout, [&](const ChildEnd& end) {
        RunOutcome& clean = sweeps[end.tag].clean;
        if (!end.Normal() || !Decode(end.output, clean))
            clean = Crashed(0, end.Describe(options.timeout) + " without a fault");
    });
    for (std::size_t i = 0; i < sweeps.size(); ++i) {
        const int fd = pool.Fork(i);
        if (fd >= 0)
            RunChild(fd, [&] { return Encode(PlayClean(*sweeps[i].unit.scenario, options.modulePath)); });
    }
    pool.WaitAll();
}

// The faults of one unit, played by one child that forks one more for each of them.
void PlayFaultRuns(UnitSweep& sweep, const Options& options) {
    sweep.outcomes.assign(sweep.faults.size(), RunOutcome());
    std::vector<bool> done(sweep.faults.size(), false);
    std::string ending;
    ChildPool pool(1, std::chrono::milliseconds(0), [&](const ChildEnd& end) {
        std::vector<FaultResult> results;
        DecodeResults(end.output, results);
        for (FaultResult& result : results) {
            if (result.fault < sweep.outcomes.size()) {
                sweep.outcomes[result.fault] = std::move(result.outcome);
                done[result.fault] = true;
            }
        }
        if (!end.Normal())
            ending = end.Describe(options.timeout);
    });
    const int fd = pool.Fork(0);
    if (fd >= 0)
        RunChild(fd, [&] {
            PlayFaults(*sweep.unit.scenario, options.modulePath, sweep.faults, options.jobs, options.timeout,
                       fd);
            return std::string();
        });
    pool.WaitAll();
    // Should the play that forks the runs itself end badly, the runs it never reported count.
    for (std::size_t i = 0; i < done.size(); ++i) {
        if (!done[i])
            sweep.outcomes[i] =
                Crashed(sweep.faults[i].step, "was never reported: the play forking the runs " +
                                                  (ending.empty() ? std::string("lost it") : ending));
    }
}

} // namespace

std::vector<Unit> UnitsOf(const std::string& file, const Scenario::Scenario& scenario) {
    if (scenario.runs.empty())
        return {Unit{file, &scenario, std::nullopt}};
    std::vector<Unit> units;
    for (std::size_t i = 0; i < scenario.runs.size(); ++i)
        units.push_back(Unit{file, &scenario.runs[i], i});
    return units;
}

std::vector<UnitSweep> SweepUnits(const std::vector<Unit>& units, const Options& options,
                                  std::ostream& progress) {
    const Clock::time_point start = Clock::now();
    std::vector<UnitSweep> sweeps;
    for (const Unit& unit : units)
        sweeps.push_back(UnitSweep{unit, {}, {}, {}});
    PlayCleanRuns(sweeps, options);
    std::size_t planned = 0;
    for (UnitSweep& sweep : sweeps) {
        if (sweep.clean.moduleFailure.empty())
            sweep.faults = PlanFaults(sweep.clean.calls);
        planned += sweep.faults.size();
    }
    progress << "sweep: " << units.size() << (units.size() == 1 ? " scenario" : " scenarios") << " played in "
             << Seconds(start) << ", " << planned << " fault runs to play with " << options.jobs
             << (options.jobs == 1 ? " job" : " jobs") << std::endl;
    for (std::size_t i = 0; i < sweeps.size(); ++i) {
        if (sweeps[i].faults.empty())
            continue;
        const Clock::time_point unitStart = Clock::now();
        PlayFaultRuns(sweeps[i], options);
        progress << "sweep: [" << i + 1 << "/" << sweeps.size() << "] " << sweeps[i].unit.Name() << ": "
                 << sweeps[i].faults.size() << " runs in " << Seconds(unitStart) << std::endl;
    }
    return sweeps;
}

} // namespace Sweep
