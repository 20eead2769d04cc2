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

Scenario ReadTopLevel(const Json& root, Diagnostics& diagnostics) {
    Scenario scenario;
    ObjectReader reader(root, "", diagnostics);
    if (!reader.IsObject())
        return scenario;
    scenario.description = reader.String("description").value_or("");
    if (std::optional<std::int64_t> limit = reader.Integer("echoRoundLimit", 1, 1000))
        scenario.echoRoundLimit = static_cast<std::int32_t>(*limit);
    if (const Json* project = reader.Get("project"))
        scenario.project = ReadProject(*project, "project", diagnostics);
    if (const Json* steps = reader.Get("steps"))
        scenario.steps = ReadSteps(*steps, "steps", diagnostics);
    if (const Json* expectations = reader.Get("expect"))
        scenario.expectations = ReadExpectations(*expectations, "expect", diagnostics);
    reader.Finish();
    return scenario;
}

} // namespace

ReadResult ReadScenarioText(const std::string& text) {
    ReadResult result;
    Json root;
    try {
        root = Json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        result.issues.push_back({"", SyntaxErrorText(text, error)});
        return result;
    }
    Diagnostics diagnostics;
    Scenario scenario = ReadTopLevel(root, diagnostics);
    CheckReferences(scenario, diagnostics);
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
