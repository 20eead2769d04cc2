#include <fstream>
#include <iostream>

#include "Cli/Commands.hpp"
#include "Report/SvgPlan.hpp"
#include "Report/TextReport.hpp"
#include "Run/ScenarioSession.hpp"
#include "Scenario/ScenarioReader.hpp"

namespace Cli {

namespace {

std::optional<Scenario::Scenario> Load(const RunOptions& options, std::ostream& err) {
    const bool demo = options.scenarioFile.empty();
    const Scenario::ReadResult read = demo ? Scenario::ReadScenarioText(DemoScenarioText())
                                           : Scenario::ReadScenarioFile(options.scenarioFile);
    const std::string source = demo ? "demo scenario" : options.scenarioFile;
    for (const Scenario::Issue& issue : read.issues)
        err << source << ": " << issue.ToString() << "\n";
    if (!read.scenario && read.issues.size() > 1)
        err << source << ": " << read.issues.size() << " problems; nothing was run\n";
    else if (!read.scenario)
        err << source << ": nothing was run\n";
    return read.scenario;
}

std::string ModulePath(const RunOptions& options) {
    return options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
}

int Failed(const Run::RunFailure& failure, std::ostream& err) {
    const bool scenario = failure.kind == Run::RunFailure::Kind::Scenario;
    err << (scenario ? "scenario error: " : "module or host failure: ") << failure.ToString() << "\n";
    return scenario ? ExitBadInput : ExitHostFailure;
}

bool WriteFile(const std::string& file, const std::string& text, std::ostream& err) {
    std::ofstream stream(file, std::ios::binary);
    stream << text;
    if (!stream) {
        err << "cannot write \"" << file << "\"\n";
        return false;
    }
    return true;
}

} // namespace

int RunScenario(const RunOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<Scenario::Scenario> scenario = Load(options, err);
    if (!scenario)
        return ExitBadInput;
    Run::ScenarioSession session(*scenario, ModulePath(options));
    const Run::RunFailure failure = session.Run(false);
    const Report::Json report = session.BuildReport();
    out << (options.json ? report.dump(2) + "\n" : Report::RenderText(report));
    if (failure)
        return Failed(failure, err);
    if (!options.svgFile.empty() &&
        !WriteFile(options.svgFile,
                   Report::RenderSvgPlan(session.GetHost(), report, static_cast<Int16>(options.story)), err))
        return ExitBadInput;
    return ExitOk;
}

int CheckScenario(const RunOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<Scenario::Scenario> scenario = Load(options, err);
    if (!scenario)
        return ExitBadInput;
    Run::ScenarioSession session(*scenario, ModulePath(options));
    const Run::RunFailure failure = session.Run(true);
    if (failure)
        return Failed(failure, err);
    std::size_t count = scenario->expectations.size();
    for (const Scenario::Step& step : scenario->steps)
        count += step.expectations.size();
    const std::string name = options.scenarioFile.empty() ? "demo scenario" : options.scenarioFile;
    for (const std::string& warning : session.GetWarnings())
        out << name << ": warning: " << warning << "\n";
    const std::vector<std::string>& failures = session.GetExpectationFailures();
    const std::vector<std::string>& silent = session.GetSilentlyStaleFailures();
    for (const std::string& problem : silent)
        out << name << ": " << problem << "\n";
    for (const std::string& problem : failures)
        out << name << ": " << problem << "\n";
    out << name << ": " << count << " expectations, "
        << (failures.empty() ? "all met" : std::to_string(failures.size()) + " failed");
    if (!silent.empty())
        out << "; " << silent.size() << (silent.size() == 1 ? " stamp" : " stamps")
            << " silently stale without the scenario expecting it";
    out << "\n";
    return failures.empty() && silent.empty() ? ExitOk : ExitExpectationFailed;
}

} // namespace Cli
