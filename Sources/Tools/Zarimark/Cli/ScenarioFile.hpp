#ifndef ZARIMARK_CLI_SCENARIOFILE_HPP
#define ZARIMARK_CLI_SCENARIOFILE_HPP

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "Cli/Commands.hpp"
#include "Run/RunFailure.hpp"
#include "Scenario/ScenarioModel.hpp"

// What the scenario commands share: reading the file, its runs, and telling why a run stopped.
namespace Cli {

// Prints every problem of the file; nothing when it cannot be run.
std::optional<Scenario::Scenario> LoadScenario(const RunOptions& options, std::ostream& err);
// "demo scenario" or the file's name, as messages start.
std::string ScenarioName(const RunOptions& options);
std::string ModulePath(const RunOptions& options);
// The file itself, or each of its "runs".
std::vector<const Scenario::Scenario*> RunsOf(const Scenario::Scenario& scenario);
// `--run N` names a run of the file; false (after saying why) when it does not.
bool CheckRunChoice(const Scenario::Scenario& scenario, const RunOptions& options, std::ostream& err);
// Prints the failure and gives its exit code.
int ReportFailure(const Run::RunFailure& failure, std::ostream& err);
// Of several runs' exit codes the one that matters most: a host failure over a bad scenario over
// a failed expectation.
int WorstExit(int a, int b);

} // namespace Cli

#endif
