#include <fstream>
#include <iostream>

#include "Cli/Commands.hpp"
#include "Cli/ScenarioFile.hpp"
#include "Report/SvgPlan.hpp"
#include "Report/TextReport.hpp"
#include "Run/ScenarioSession.hpp"

namespace Cli {

namespace {

bool WriteFile(const std::string& file, const std::string& text, std::ostream& err) {
    std::ofstream stream(file, std::ios::binary);
    stream << text;
    if (!stream) {
        err << "cannot write \"" << file << "\"\n";
        return false;
    }
    return true;
}

// Plays one run and adds its report; the plan is drawn while its host is still there.
int PlayRun(const Scenario::Scenario& run, bool drawPlan, const RunOptions& options, Report::Json& reports,
            std::ostream& err) {
    Run::ScenarioSession session(run, ModulePath(options));
    session.SetReportOptions({.calls = options.calls});
    const Run::RunFailure failure = session.Run(false);
    const Report::Json& report = reports.emplace_back(session.BuildReport());
    if (failure)
        return ReportFailure(failure, err);
    if (drawPlan && !options.svgFile.empty() &&
        !WriteFile(options.svgFile,
                   Report::RenderSvgPlan(session.GetHost(), report, static_cast<Int16>(options.story)), err))
        return ExitBadInput;
    return ExitOk;
}

} // namespace

// Every run is played, whatever became of the ones before: each starts on a fresh host.
int RunScenario(const RunOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<Scenario::Scenario> scenario = LoadScenario(options, err);
    if (!scenario || !CheckRunChoice(*scenario, options, err))
        return ExitBadInput;
    const std::vector<const Scenario::Scenario*> runs = RunsOf(*scenario);
    Report::Json reports = Report::Json::array();
    int exit = ExitOk;
    for (std::size_t i = 0; i < runs.size(); ++i)
        exit = WorstExit(
            exit, PlayRun(*runs[i], i == static_cast<std::size_t>(options.run), options, reports, err));
    const Report::Json report = scenario->runs.empty()
                                    ? reports[0]
                                    : Report::Json{{"scenario", scenario->description}, {"runs", reports}};
    out << (options.json ? report.dump(2) + "\n" : Report::RenderText(report));
    return exit;
}

} // namespace Cli
