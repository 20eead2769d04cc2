#include <iostream>

#include "Cli/Commands.hpp"
#include "Cli/ScenarioFile.hpp"
#include "Run/ScenarioSession.hpp"

namespace Cli {

namespace {

struct Tally {
    std::size_t expectations = 0;
    std::size_t checked = 0;
    std::size_t failed = 0;
    std::size_t silentlyStale = 0;
    std::size_t otherViolations = 0; // of the rules besides silently stale stamps
    int exit = ExitOk;
};

std::size_t ExpectationCount(const Scenario::Scenario& run) {
    std::size_t count = run.expectations.size();
    for (const Scenario::Step& step : run.steps)
        count += step.expectations.size();
    return count;
}

// "steps [5] to [9] and the final expectations skipped", for a run that stopped early.
std::string Skipped(const Scenario::Scenario& run, std::size_t played) {
    const std::size_t count = run.steps.size();
    std::string steps;
    if (played + 1 == count)
        steps = "step [" + std::to_string(played) + "]";
    else if (played < count)
        steps = "steps [" + std::to_string(played) + "] to [" + std::to_string(count - 1) + "]";
    if (run.expectations.empty())
        return steps.empty() ? steps : steps + " skipped";
    return (steps.empty() ? "" : steps + " and ") + "the final expectations skipped";
}

// Everything a run found is printed, also when it stopped early.
void CheckRun(const Scenario::Scenario& run, const std::string& runName, const RunOptions& options,
              Tally& tally, std::ostream& out, std::ostream& err) {
    Run::ScenarioSession session(run, ModulePath(options));
    session.SetReportOptions({.calls = options.calls});
    const Run::RunFailure failure = session.Run(true);
    const std::string name = ScenarioName(options);
    for (const std::string& warning : session.GetWarnings())
        out << name << ": warning: " << warning << "\n";
    for (const Run::Violation& violation : session.GetViolations()) {
        out << name << ": " << violation.path << ": " << violation.message << "\n";
        ++(violation.kind == Run::Violation::Kind::SilentlyStale ? tally.silentlyStale
                                                                 : tally.otherViolations);
    }
    for (const std::string& problem : session.GetExpectationFailures())
        out << name << ": " << problem << "\n";
    tally.expectations += ExpectationCount(run);
    tally.checked += session.GetCheckedExpectationCount();
    tally.failed += session.GetExpectationFailures().size();
    if (!session.GetExpectationFailures().empty() || !session.GetViolations().empty())
        tally.exit = WorstExit(tally.exit, ExitExpectationFailed);
    if (!failure)
        return;
    tally.exit = WorstExit(tally.exit, ReportFailure(failure, err));
    const std::string skipped = Skipped(run, session.GetStepsPlayed());
    if (!skipped.empty())
        err << name << ": " << runName << skipped << "\n";
}

std::string Summary(const Tally& tally, std::size_t runs) {
    std::string text = (runs > 1 ? std::to_string(runs) + " runs, " : "") +
                       std::to_string(tally.expectations) + " expectations, ";
    const std::size_t unchecked = tally.expectations - tally.checked;
    if (tally.failed == 0 && unchecked == 0)
        text += "all met";
    else
        text += tally.failed == 0 ? "none failed" : std::to_string(tally.failed) + " failed";
    if (unchecked > 0)
        text += ", " + std::to_string(unchecked) + " not checked";
    if (tally.silentlyStale > 0)
        text += "; " + std::to_string(tally.silentlyStale) +
                (tally.silentlyStale == 1 ? " stamp" : " stamps") +
                " silently stale without the scenario expecting it";
    if (tally.otherViolations > 0)
        text += "; " + std::to_string(tally.otherViolations) +
                (tally.otherViolations == 1 ? " invariant violation" : " invariant violations");
    return text;
}

} // namespace

int CheckScenario(const RunOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<Scenario::Scenario> scenario = LoadScenario(options, err);
    if (!scenario)
        return ExitBadInput;
    const std::vector<const Scenario::Scenario*> runs = RunsOf(*scenario);
    Tally tally;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::string runName = scenario->runs.empty() ? "" : "run [" + std::to_string(i) + "]: ";
        CheckRun(*runs[i], runName, options, tally, out, err);
    }
    out << ScenarioName(options) << ": " << Summary(tally, scenario->runs.size()) << "\n";
    return tally.exit;
}

} // namespace Cli
