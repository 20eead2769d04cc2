#include "Cli/ScenarioFile.hpp"

#include <algorithm>
#include <iostream>

#include "Scenario/ScenarioReader.hpp"

namespace Cli {

std::optional<Scenario::Scenario> LoadScenario(const RunOptions& options, std::ostream& err) {
    const bool demo = options.scenarioFile.empty();
    const Scenario::ReadResult read = demo ? Scenario::ReadScenarioText(DemoScenarioText())
                                           : Scenario::ReadScenarioFile(options.scenarioFile);
    const std::string source = ScenarioName(options);
    for (const Scenario::Issue& issue : read.issues)
        err << source << ": " << issue.ToString() << "\n";
    if (!read.scenario && read.issues.size() > 1)
        err << source << ": " << read.issues.size() << " problems; nothing was run\n";
    else if (!read.scenario)
        err << source << ": nothing was run\n";
    return read.scenario;
}

std::string ScenarioName(const RunOptions& options) {
    return options.scenarioFile.empty() ? "demo scenario" : options.scenarioFile;
}

std::string ModulePath(const RunOptions& options) {
    return options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
}

std::vector<const Scenario::Scenario*> RunsOf(const Scenario::Scenario& scenario) {
    if (scenario.runs.empty())
        return {&scenario};
    std::vector<const Scenario::Scenario*> runs;
    for (const Scenario::Scenario& run : scenario.runs)
        runs.push_back(&run);
    return runs;
}

bool CheckRunChoice(const Scenario::Scenario& scenario, const RunOptions& options, std::ostream& err) {
    const std::size_t count = RunsOf(scenario).size();
    if (options.run >= 0 && static_cast<std::size_t>(options.run) < count)
        return true;
    err << "--run " << options.run << ": " << ScenarioName(options) << " has "
        << (count == 1 ? std::string("one run, [0]")
                       : std::to_string(count) + " runs, [0] to [" + std::to_string(count - 1) + "]")
        << "\n";
    return false;
}

int ReportFailure(const Run::RunFailure& failure, std::ostream& err) {
    const bool scenario = failure.kind == Run::RunFailure::Kind::Scenario;
    err << (scenario ? "scenario error: " : "module or host failure: ") << failure.ToString() << "\n";
    return scenario ? ExitBadInput : ExitHostFailure;
}

int WorstExit(int a, int b) {
    return std::max(a, b);
}

} // namespace Cli
