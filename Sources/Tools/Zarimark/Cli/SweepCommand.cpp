#include <chrono>
#include <list>
#include <ostream>
#include <thread>

#include "Cli/Commands.hpp"
#include "Cli/ScenarioFile.hpp"
#include "Sweep/Reproducer.hpp"
#include "Sweep/SweepReport.hpp"
#include "Sweep/Sweeper.hpp"

namespace Cli {

namespace {

constexpr std::size_t ReportedLines = 20;

// Every file read and checked before anything runs, as run and check do.
bool LoadAll(const SweepOptions& options, std::list<Scenario::Scenario>& scenarios,
             std::vector<Sweep::Unit>& units, std::ostream& err) {
    bool sound = true;
    for (const std::string& file : options.files) {
        RunOptions one;
        one.scenarioFile = file;
        std::optional<Scenario::Scenario> scenario = LoadScenario(one, err);
        if (!scenario) {
            sound = false;
            continue;
        }
        scenarios.push_back(std::move(*scenario));
        for (const Sweep::Unit& unit : Sweep::UnitsOf(file, scenarios.back()))
            units.push_back(unit);
    }
    return sound;
}

Sweep::Options SweepSettings(const SweepOptions& options) {
    Sweep::Options settings;
    RunOptions module;
    module.modulePath = options.modulePath;
    settings.modulePath = ModulePath(module);
    settings.jobs = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    settings.timeout = std::chrono::milliseconds(static_cast<long long>(options.timeoutSeconds * 1000));
    return settings;
}

} // namespace

int SweepScenarios(const SweepOptions& options, std::ostream& out, std::ostream& err) {
    if (options.timeoutSeconds <= 0) {
        err << "--timeout " << options.timeoutSeconds << ": expected a number of seconds above 0\n";
        return ExitBadInput;
    }
    // A list, so that the units' pointers into it stay valid.
    std::list<Scenario::Scenario> scenarios;
    std::vector<Sweep::Unit> units;
    if (!LoadAll(options, scenarios, units, err))
        return ExitBadInput;
    const std::vector<Sweep::UnitSweep> sweeps = Sweep::SweepUnits(units, SweepSettings(options), err);
    for (const Sweep::UnitSweep& sweep : sweeps) {
        if (!sweep.clean.moduleFailure.empty()) {
            err << "module or host failure: " << sweep.clean.moduleFailure << "\n";
            return ExitHostFailure;
        }
    }
    Sweep::Reproducers reproducers(options.outFolder);
    Sweep::ReportFindings(sweeps, reproducers, ReportedLines, out);
    const Sweep::Totals totals = Sweep::Count(sweeps);
    if (totals.stoppedEarly > 0)
        err << "sweep: " << totals.stoppedEarly
            << " runs stopped at a step the fault left nothing to play on (not counted as a problem)\n";
    out << Sweep::SummaryLine(totals) << "\n";
    return totals.Clean() ? ExitOk : ExitExpectationFailed;
}

} // namespace Cli
