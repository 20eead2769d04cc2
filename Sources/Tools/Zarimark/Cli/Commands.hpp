#ifndef ZARIMARK_CLI_COMMANDS_HPP
#define ZARIMARK_CLI_COMMANDS_HPP

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace Cli {

// Exit codes of zarimark.
constexpr int ExitOk = 0;
constexpr int ExitExpectationFailed = 1;
constexpr int ExitBadInput = 2;
constexpr int ExitHostFailure = 3;

struct RunOptions {
    std::string scenarioFile; // empty: the built-in demo
    std::string modulePath;   // empty: libZarimark.so next to the executable
    bool json = false;
    bool calls = false; // every host call of each step in the report
    std::string svgFile;
    int story = 0;
    int run = 0; // the run of a file of several whose plan --svg draws
};

struct SweepOptions {
    std::vector<std::string> files;
    std::string modulePath;
    std::size_t jobs = 0; // 0: one per core
    std::string outFolder = "sweep-failures";
    double timeoutSeconds = 10; // a run still going after it counts as a crash
};

int RunScenario(const RunOptions& options, std::ostream& out, std::ostream& err);
int CheckScenario(const RunOptions& options, std::ostream& out, std::ostream& err);
// Writes a small commented starting scenario; an existing file only with `force`.
int NewScenario(const std::string& file, bool force, std::ostream& out, std::ostream& err);
int ShowLibPart(const std::string& file, std::ostream& out, std::ostream& err);
// Plays each scenario with every host call of it failing, one at a time; exit 1 when a run
// crashed or broke a rule.
int SweepScenarios(const SweepOptions& options, std::ostream& out, std::ostream& err);

std::string DefaultModulePath();
// The built-in demo scenario, embedded at build time from Examples/demo.json.
std::string DemoScenarioText();

} // namespace Cli

#endif
