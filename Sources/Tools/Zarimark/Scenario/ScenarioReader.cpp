#include "Scenario/ScenarioReader.hpp"

#include <fstream>
#include <sstream>

#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

// nlohmann reports the byte offset just past the problem; people want line and column.
std::string SyntaxErrorText(const std::string& text, const nlohmann::json::parse_error& error) {
    std::size_t line = 1;
    std::size_t column = 1;
    const std::size_t end = std::min(error.byte > 0 ? error.byte - 1 : 0, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    std::string reason = error.what();
    const std::size_t colon = reason.rfind(": ");
    if (colon != std::string::npos)
        reason = reason.substr(colon + 2);
    return "malformed JSON at line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
           reason;
}

// A number beyond a double ("1e999") fails the parse without a place; the message names it.
std::string RangeErrorText(const nlohmann::json::exception& error) {
    const std::string what = error.what();
    const std::size_t bracket = what.find("] ");
    return "malformed JSON: " + (bracket != std::string::npos ? what.substr(bracket + 2) : what);
}

// One whole scenario: the file itself, or one entry of its "runs".
Scenario ReadRun(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    Scenario scenario;
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return scenario;
    scenario.description = reader.String("description").value_or("");
    if (std::optional<std::int64_t> limit = reader.Integer("echoRoundLimit", 1, 1000))
        scenario.echoRoundLimit = static_cast<std::int32_t>(*limit);
    scenario.reportCalls = reader.Bool("calls").value_or(false);
    if (const Json* project = reader.Get("project"))
        scenario.project = ReadProject(*project, reader.PathOf("project"), diagnostics);
    scenario.project.path = reader.PathOf("project");
    if (const Json* steps = reader.Get("steps"))
        scenario.steps = ReadSteps(*steps, reader.PathOf("steps"), diagnostics);
    if (const Json* expectations = reader.Get("expect"))
        scenario.expectations = ReadExpectations(*expectations, reader.PathOf("expect"), diagnostics);
    reader.Finish();
    return scenario;
}

Scenario ReadRuns(const Json& root, Diagnostics& diagnostics) {
    Scenario scenario;
    ObjectReader reader(root, "", diagnostics);
    scenario.description = reader.String("description").value_or("");
    // Each run is self-contained: a field beside "runs" would leave unclear which runs it is for.
    for (const char* field : {"echoRoundLimit", "calls", "project", "steps", "expect"}) {
        if (reader.Has(field))
            diagnostics.Add(field, "a file of \"runs\" has only \"description\" and \"runs\" at the top "
                                   "level; this belongs into each run");
        reader.Allow(field);
    }
    const Json& runs = *reader.Get("runs");
    if (!runs.is_array() || runs.empty())
        diagnostics.Add("runs", "expected an array of at least one run, found " +
                                    (runs.is_array() ? std::string("an empty array") : DescribeType(runs)));
    for (std::size_t i = 0; runs.is_array() && i < runs.size(); ++i)
        scenario.runs.push_back(ReadRun(runs[i], IndexPath("runs", i), diagnostics));
    reader.Finish();
    return scenario;
}

Scenario ReadTopLevel(const Json& root, Diagnostics& diagnostics) {
    if (root.is_object() && root.contains("runs"))
        return ReadRuns(root, diagnostics);
    return ReadRun(root, "", diagnostics);
}

} // namespace

ReadResult ReadScenarioText(const std::string& text) {
    ReadResult result;
    Json root;
    try {
        // Comments are allowed: scenarios are written by hand and explain themselves.
        root = Json::parse(text, nullptr, true, true);
    } catch (const nlohmann::json::parse_error& error) {
        result.issues.push_back({"", SyntaxErrorText(text, error)});
        return result;
    } catch (const nlohmann::json::exception& error) {
        result.issues.push_back({"", RangeErrorText(error)});
        return result;
    }
    Diagnostics diagnostics;
    Scenario scenario = ReadTopLevel(root, diagnostics);
    if (scenario.runs.empty())
        CheckReferences(scenario, diagnostics);
    for (const Scenario& run : scenario.runs)
        CheckReferences(run, diagnostics);
    if (diagnostics.Empty())
        result.scenario = std::move(scenario);
    result.issues = diagnostics.GetIssues();
    return result;
}

ReadResult ReadScenarioFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        ReadResult result;
        result.issues.push_back({"", "cannot read the scenario file \"" + fileName + "\""});
        return result;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ReadScenarioText(text.str());
}

} // namespace Scenario
