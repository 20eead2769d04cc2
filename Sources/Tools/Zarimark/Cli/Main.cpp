#include <iostream>

#include <CLI/CLI.hpp>

#include "Cli/Commands.hpp"

namespace {

void AddRunOptions(CLI::App& command, Cli::RunOptions& options, bool withFile) {
    if (withFile)
        command.add_option("FILE", options.scenarioFile, "the scenario file (JSON)")->required();
    command.add_option("--module", options.modulePath,
                       "the add-on module (default: libZarimark.so next to zarimark)");
    command.add_flag("--calls", options.calls,
                     "list every host call the add-on made under its step, failed ones too");
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "zarimark: plays a scenario through the headless host against the Zarimark add-on and reports what "
        "the add-on did. Without a command it runs the built-in demo.\n"
        "Exit codes: 0 ok, 1 an expectation failed, 2 bad scenario or usage, 3 module or host failure."};
    app.require_subcommand(0, 1);
    Cli::RunOptions options;
    std::string libPartFile;

    CLI::App* run = app.add_subcommand("run", "run a scenario and print its report");
    AddRunOptions(*run, options, true);
    CLI::App* check = app.add_subcommand("check", "run a scenario and verify its expectations");
    AddRunOptions(*check, options, true);
    CLI::App* demo = app.add_subcommand("demo", "run the built-in demo scenario (the default)");
    AddRunOptions(*demo, options, false);
    bool printDemo = false;
    demo->add_flag("--print-scenario", printDemo, "print the demo scenario itself instead of running it");
    for (CLI::App* command : {run, demo}) {
        command->add_flag("--json", options.json, "print the report as JSON");
        command->add_option("--svg", options.svgFile, "also write the plan of one story as SVG to this file");
        command->add_option("--story", options.story, "the story drawn by --svg (default 0)");
    }
    run->add_option("--run", options.run, "in a file of several runs, the one drawn by --svg (default 0)");
    std::string newFile;
    bool force = false;
    CLI::App* create = app.add_subcommand("new", "write a small commented scenario to start from");
    create->add_option("FILE", newFile, "the scenario file to write")->required();
    create->add_flag("--force", force, "overwrite the file if it exists");
    Cli::SweepOptions sweepOptions;
    CLI::App* sweep = app.add_subcommand(
        "sweep", "play scenarios with each host call failing in turn and hold every run to "
                 "the rules (exit 1 on a crash or a broken rule)");
    sweep->add_option("FILE", sweepOptions.files, "the scenario files (JSON)")->required();
    sweep->add_option("--jobs", sweepOptions.jobs, "runs played at once (default: one per core)");
    sweep->add_option("--out", sweepOptions.outFolder,
                      "the folder the reproducers go to (default: sweep-failures)");
    sweep->add_option("--module", sweepOptions.modulePath,
                      "the add-on module (default: libZarimark.so next to zarimark)");
    sweep->add_option("--timeout", sweepOptions.timeoutSeconds,
                      "seconds a run may take before it counts as a crash (default 10)");
    CLI::App* libPart = app.add_subcommand("libpart", "print and validate a library part file");
    libPart->add_option("FILE", libPartFile, "the library part file (.gsm)")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return Cli::ExitBadInput;
    }
    if (create->parsed())
        return Cli::NewScenario(newFile, force, std::cout, std::cerr);
    if (sweep->parsed())
        return Cli::SweepScenarios(sweepOptions, std::cout, std::cerr);
    if (libPart->parsed())
        return Cli::ShowLibPart(libPartFile, std::cout, std::cerr);
    if (check->parsed())
        return Cli::CheckScenario(options, std::cout, std::cerr);
    if (demo->parsed() && printDemo) {
        std::cout << Cli::DemoScenarioText();
        return Cli::ExitOk;
    }
    return Cli::RunScenario(options, std::cout, std::cerr);
}
