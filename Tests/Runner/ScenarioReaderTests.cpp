#include <cmath>

#include <gtest/gtest.h>

#include "IssuesText.hpp"
#include "Scenario/ScenarioReader.hpp"

namespace {

using Scenario::ReadScenarioText;

Scenario::Scenario ReadValid(const std::string& text) {
    Scenario::ReadResult result = ReadScenarioText(text);
    EXPECT_TRUE(result.scenario.has_value()) << Issues(result);
    return result.scenario.value_or(Scenario::Scenario{});
}

TEST(ScenarioReaderTest, MalformedJsonNamesLineAndColumn) {
    const Scenario::ReadResult result =
        ReadScenarioText("{\n  \"steps\": [\n    {\"action\": \"undo\",}\n  ]\n}");
    ASSERT_FALSE(result.scenario);
    ASSERT_EQ(result.issues.size(), 1u);
    EXPECT_NE(result.issues[0].message.find("line 3, column 23"), std::string::npos)
        << result.issues[0].message;
}

// The JSON parser refuses such numbers with an exception of another kind than a syntax error.
TEST(ScenarioReaderTest, NumbersBeyondADoubleAreMalformedJson) {
    const Scenario::ReadResult file =
        Scenario::ReadScenarioFile(ZM_FUZZ_CORPUS "/FuzzScenario/number-overflow.json");
    ASSERT_FALSE(file.scenario);
    ASSERT_EQ(file.issues.size(), 1u);
    EXPECT_EQ(file.issues[0].ToString(), "malformed JSON: number overflow parsing '1e999'");

    for (const char* text : {"[-1e400]", R"({"steps": [{"action": "undo", "note": 2E+309}]})"}) {
        const Scenario::ReadResult result = ReadScenarioText(text);
        EXPECT_FALSE(result.scenario) << text;
        ASSERT_EQ(result.issues.size(), 1u) << text;
        EXPECT_EQ(result.issues[0].message.rfind("malformed JSON: number overflow", 0), 0u)
            << result.issues[0].message;
    }
}

TEST(ScenarioReaderTest, UnknownFieldsAndWrongTypesAreAllReportedWithTheirPaths) {
    const Scenario::ReadResult result = ReadScenarioText(R"({
        "project": {"stories": [{"index": "one"}], "colour": 1},
        "steps": [{"action": "menu", "item": 3}, {"action": "undo", "zone": "x"}]})");
    ASSERT_FALSE(result.scenario);
    const std::string issues = Issues(result);
    EXPECT_NE(issues.find("project.stories[0].index: expected a whole number, found a text"),
              std::string::npos)
        << issues;
    EXPECT_NE(issues.find("project.colour: unknown field"), std::string::npos) << issues;
    EXPECT_NE(issues.find("steps[0].item: expected a text, found a number"), std::string::npos) << issues;
    EXPECT_NE(
        issues.find(
            "steps[1].zone: unknown field (allowed here: action, answers, batch, expect, note, notify)"),
        std::string::npos)
        << issues;
}

TEST(ScenarioReaderTest, UnknownActionIsReportedOnceWithoutComplainingAboutItsFields) {
    const Scenario::ReadResult result =
        ReadScenarioText(R"({"steps": [{"action": "paint", "colour": "red"}]})");
    ASSERT_EQ(result.issues.size(), 1u) << Issues(result);
    EXPECT_EQ(result.issues[0].path, "steps[0].action");
    EXPECT_NE(result.issues[0].message.find("unknown action \"paint\""), std::string::npos);
}

TEST(ScenarioReaderTest, AFaultEitherThrowsOrFailsWithACode) {
    const Scenario::Scenario scenario = ReadValid(R"({"steps": [
        {"action": "fault", "operation": "HostGetElement", "throw": true, "call": 2},
        {"action": "paletteResize", "by": [30, -20]},
        {"action": "fault", "call": 12, "code": "0x8106012F", "repeat": true}]})");
    ASSERT_EQ(scenario.steps.size(), 3u);
    EXPECT_TRUE(scenario.steps[0].action.flag);
    EXPECT_EQ(scenario.steps[0].action.call, 2);
    EXPECT_EQ(scenario.steps[1].action.point.x, 30);
    EXPECT_EQ(scenario.steps[1].action.point.y, -20);
    // Without an operation: any operation's call.
    EXPECT_EQ(scenario.steps[2].action.operation, "");
    EXPECT_EQ(scenario.steps[2].action.code, static_cast<std::int32_t>(0x8106012F));
    EXPECT_TRUE(scenario.steps[2].action.repeat);

    const Scenario::ReadResult wrong = ReadScenarioText(R"({"steps": [
        {"action": "fault", "operation": "HostGetElement", "throw": true, "code": 5},
        {"action": "fault", "operation": "HostGetElement"},
        {"action": "paletteResize", "by": [1.5, 0]},
        {"action": "fault", "operation": "", "code": 1}]})");
    const std::string issues = Issues(wrong);
    EXPECT_NE(issues.find("steps[0].code: a fault that throws has no code"), std::string::npos) << issues;
    EXPECT_NE(issues.find("steps[1].code: missing"), std::string::npos) << issues;
    EXPECT_NE(issues.find("steps[2].by[0]: expected a whole number"), std::string::npos) << issues;
    EXPECT_NE(issues.find("steps[3].operation: empty operation name"), std::string::npos) << issues;
}

TEST(ScenarioReaderTest, ParameterValuesKeepFileOrderShapesAndExplicitTypes) {
    const Scenario::Scenario scenario = ReadValid(R"({"project": {"elements": [
        {"type": "label", "id": "s", "part": "Zarimark.gsm", "without": ["zm_lines"], "parameters": {
            "zm_version": 2, "zm_apartmentId": "A1", "zm_roomAreasInZari": [[1, 2, 3, 4], [5, 6, 7, 8]],
            "zm_lineTexts": ["a", "b"], "zm_frame": true}},
        {"type": "zone", "id": "z", "apartmentId": "A",
         "parameters": [{"name": "stApartmentId", "value": "B"}, {"name": "count", "value": 3, "type": "integer"}]}]}})");
    const auto& label = scenario.project.elements[0].label;
    ASSERT_EQ(label.parameters.size(), 5u);
    EXPECT_EQ(label.parameters[0].name, "zm_version");
    EXPECT_EQ(label.parameters[1].shape, Scenario::ParameterValue::Shape::Text);
    const Scenario::ParameterValue& areas = label.parameters[2];
    EXPECT_EQ(areas.shape, Scenario::ParameterValue::Shape::NumberArray);
    EXPECT_EQ(areas.rows, 2);
    EXPECT_EQ(areas.columns, 4);
    EXPECT_EQ(areas.numbers, (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(label.parameters[3].rows, 2);
    EXPECT_EQ(label.parameters[3].columns, 1);
    EXPECT_EQ(label.parameters[4].shape, Scenario::ParameterValue::Shape::Bool);
    EXPECT_EQ(label.without, std::vector<std::string>{"zm_lines"});
    // The apartment ID shorthand comes first; a repeated name stays repeated.
    const auto& zone = scenario.project.elements[1].zone;
    ASSERT_EQ(zone.parameters.size(), 3u);
    EXPECT_EQ(zone.parameters[0].text, "A");
    EXPECT_EQ(zone.parameters[1].text, "B");
    EXPECT_EQ(zone.parameters[2].typeCode, 1);
}

TEST(ScenarioReaderTest, ArrayParametersMustBeRectangularAndOfOneKind) {
    const std::string issues = Issues(ReadScenarioText(R"({"project": {"elements": [
        {"type": "zone", "id": "a", "parameters": {"ragged": [[1, 2], [3]]}},
        {"type": "zone", "id": "b", "parameters": {"mixed": [1, "x"]}},
        {"type": "zone", "id": "c", "parameters": [{"name": "t", "value": 1, "type": "text"}]},
        {"type": "zone", "id": "d", "parameters": {"a_name_that_is_longer_than_31_bytes": 1}}]}})"));
    EXPECT_NE(issues.find("project.elements[0].parameters.ragged[1]: every row"), std::string::npos)
        << issues;
    EXPECT_NE(issues.find("project.elements[1].parameters.mixed: an array parameter holds either"),
              std::string::npos)
        << issues;
    EXPECT_NE(issues.find("project.elements[2].parameters[0].value: a text parameter needs a text value"),
              std::string::npos)
        << issues;
    EXPECT_NE(issues.find("1 to 31 characters"), std::string::npos) << issues;
}

TEST(ScenarioReaderTest, AreasAcceptNotANumberAndInfinityAsTexts) {
    const Scenario::Scenario scenario = ReadValid(R"({"project": {"elements": [
        {"type": "zone", "id": "z", "areas": {"a": "NaN", "b": "Infinity", "c": "-Infinity", "d": 2.5}}]}})");
    const Scenario::AreaDesc& areas = scenario.project.elements[0].zone.areas;
    EXPECT_TRUE(std::isnan(*areas.a));
    EXPECT_TRUE(std::isinf(*areas.b) && *areas.b > 0);
    EXPECT_TRUE(std::isinf(*areas.c) && *areas.c < 0);
    EXPECT_EQ(*areas.d, 2.5);
    EXPECT_FALSE(areas.e.has_value());
}

TEST(ScenarioReaderTest, BatchAnswersAndCodesAreRead) {
    const Scenario::Scenario scenario = ReadValid(R"({"steps": [
        {"batch": [{"action": "undo"}, {"action": "fault", "operation": "HostChangeElement", "code": "0x8106012F",
                    "call": 2, "repeat": true}],
         "answers": [{"alert": 31019, "button": "Don't Show This Again"}, {"alert": "Please choose a ZARI ID!"},
                     {"dialog": 32510, "do": [{"choose": "A1"}, {"resize": [10, -5]}, {"press": "OK"}]}]}]})");
    const Scenario::Step& step = scenario.steps[0];
    ASSERT_EQ(step.action.kind, Scenario::ActionKind::Batch);
    ASSERT_EQ(step.action.batch.size(), 2u);
    EXPECT_EQ(step.action.batch[1].code, static_cast<std::int32_t>(0x8106012F));
    EXPECT_EQ(step.action.batch[1].call, 2);
    EXPECT_TRUE(step.action.batch[1].repeat);
    ASSERT_EQ(step.answers.size(), 3u);
    EXPECT_EQ(step.answers[0].buttonText, "Don't Show This Again");
    EXPECT_FALSE(step.answers[1].alertId.has_value());
    EXPECT_EQ(step.answers[1].alertText, "Please choose a ZARI ID!");
    ASSERT_EQ(step.answers[2].interactions.size(), 3u);
    EXPECT_EQ(step.answers[2].interactions[1].dx, 10);
    EXPECT_EQ(step.answers[2].interactions[1].dy, -5);
    EXPECT_EQ(step.answers[2].interactions[2].button, "OK");
}

TEST(ScenarioReaderTest, MalformedAnswersAreRejected) {
    const std::string issues = Issues(ReadScenarioText(R"({"steps": [{"action": "undo", "answers": [
        {"alert": 1, "dialog": 2}, {"dialog": 32510, "do": [{"choose": "A", "press": "OK"}, {"press": "Maybe"}]},
        {"alert": 31019, "button": 0}]}]})"));
    EXPECT_NE(issues.find("steps[0].answers[0]: an answer has either"), std::string::npos) << issues;
    EXPECT_NE(issues.find("steps[0].answers[1].do[0]: a dialog interaction has exactly one"),
              std::string::npos)
        << issues;
    EXPECT_NE(issues.find("steps[0].answers[1].do[1].press: expected \"OK\" or \"Cancel\""),
              std::string::npos)
        << issues;
    EXPECT_NE(issues.find("steps[0].answers[2].button: expected a whole number from 1 to 3"),
              std::string::npos)
        << issues;
}

TEST(ScenarioReaderTest, ExpectationShorthandsPointIntoTheReport) {
    const Scenario::Scenario scenario =
        ReadValid(R"({"project": {"elements": [{"type": "zone", "id": "a/b"}]},
        "steps": [{"action": "openProject", "expect": [{"stepResult": "0x810E0009"}]}],
        "expect": [
            {"element": "a/b", "parameter": "stApartmentId", "equals": "A1"},
            {"stamp": "stamp-1", "lines": []},
            {"alert": 31019, "answer": 3, "shown": false},
            {"apartment": "", "rooms": ["a/b"]},
            {"at": "/palette/rooms", "count": 2},
            {"debugLine": "ZM: "}]})");
    const auto& step = scenario.steps[0].expectations[0];
    EXPECT_EQ(step.pointer, "/steps/0/result");
    EXPECT_EQ(step.value, static_cast<std::int32_t>(0x810E0009));
    const auto& list = scenario.expectations;
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0].pointer, "/elements/a~1b/parameters/stApartmentId");
    EXPECT_EQ(list[1].pointer, "/stamps/stamp-1/lines");
    EXPECT_EQ(list[2].test, Scenario::Expectation::Test::NoAlert);
    EXPECT_EQ(list[2].value, 31019);
    EXPECT_EQ(list[2].match, (nlohmann::json{{"answer", 3}}));
    EXPECT_EQ(list[3].pointer, "/apartments/");
    EXPECT_EQ(list[4].test, Scenario::Expectation::Test::Count);
    EXPECT_EQ(list[5].path, "expect[5]");
}

TEST(ScenarioReaderTest, StaleStampExpectationsCountAndNameStampStatusEntries) {
    const Scenario::Scenario scenario =
        ReadValid(R"({"expect": [{"staleStamps": 2}, {"silentlyStale": ["stamp-2", "s"]}]})");
    const auto& list = scenario.expectations;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].pointer, "/stampStatus");
    EXPECT_EQ(list[0].test, Scenario::Expectation::Test::Count);
    EXPECT_EQ(list[0].match, (nlohmann::json{{"status", "stale"}}));
    EXPECT_EQ(list[1].test, Scenario::Expectation::Test::Keys);
    EXPECT_EQ(list[1].value, (nlohmann::json{"stamp-2", "s"}));
    EXPECT_EQ(list[1].shorthand, "silentlyStale");
    const std::string issues = Issues(ReadScenarioText(
        R"({"steps": [{"action": "undo", "notify": "no"}], "expect": [{"staleStamps": "1"}, {"silentlyStale": "s"}]})"));
    EXPECT_NE(issues.find("steps[0].notify: expected"), std::string::npos) << issues;
    EXPECT_NE(issues.find("expect[0].staleStamps: expected"), std::string::npos) << issues;
    EXPECT_NE(issues.find("expect[1].silentlyStale: expected"), std::string::npos) << issues;
}

TEST(ScenarioReaderTest, BadExpectationsAreRejected) {
    const std::string issues = Issues(ReadScenarioText(R"({"expect": [
        {"stepResult": 0}, {"color": "red"}, {"at": "palette", "equals": 1}, {"at": "/palette", "equals": 1, "count": 2}]})"));
    EXPECT_NE(issues.find("expect[0].stepResult: only the expectations of a step"), std::string::npos)
        << issues;
    EXPECT_NE(issues.find("expect[1]: unknown expectation"), std::string::npos) << issues;
    EXPECT_NE(issues.find("expect[2].at: a location in the report starts with '/'"), std::string::npos)
        << issues;
    EXPECT_NE(issues.find("expect[3]: give exactly one of"), std::string::npos) << issues;
}

} // namespace
