#include <gtest/gtest.h>

#include "IssuesText.hpp"
#include "Scenario/ScenarioReader.hpp"

// The file as a whole: comments, and files of several runs.
namespace {

using Scenario::ReadScenarioText;

TEST(ScenarioFileTest, CommentsAreSkippedAndSyntaxErrorsAfterThemKeepTheirPlace) {
    const Scenario::ReadResult commented =
        ReadScenarioText("// a line comment\n{\"description\": \"d\", /* a block\n comment */ \"steps\": "
                         "[{\"action\": \"undo\"}]}");
    ASSERT_TRUE(commented.scenario) << Issues(commented);
    EXPECT_EQ(commented.scenario->steps.size(), 1u);

    const Scenario::ReadResult broken =
        ReadScenarioText("// one\n/* two\n three */ {\n  \"steps\": [\n    {\"action\": \"undo\",}\n  ]\n}");
    ASSERT_EQ(broken.issues.size(), 1u);
    EXPECT_NE(broken.issues[0].message.find("line 5, column 23"), std::string::npos)
        << broken.issues[0].message;
}

TEST(ScenarioFileTest, EachRunIsAWholeScenarioWithPathsUnderItsIndex) {
    const Scenario::ReadResult result = ReadScenarioText(R"({
        "description": "both",
        "runs": [
            {"description": "first", "steps": [{"action": "undo"}]},
            {"echoRoundLimit": 3, "calls": true, "project": {"elements": [{"type": "zone", "id": "hall"}]},
             "steps": [{"action": "openProject"}, {"action": "select", "elements": ["hall"],
                        "expect": [{"stepResult": 0}]}],
             "expect": [{"alertCount": 0}]}
        ]})");
    ASSERT_TRUE(result.scenario) << Issues(result);
    const Scenario::Scenario& file = *result.scenario;
    EXPECT_EQ(file.description, "both");
    EXPECT_TRUE(file.steps.empty());
    ASSERT_EQ(file.runs.size(), 2u);
    EXPECT_EQ(file.runs[0].description, "first");
    EXPECT_FALSE(file.runs[0].reportCalls);
    const Scenario::Scenario& second = file.runs[1];
    EXPECT_EQ(second.echoRoundLimit, 3);
    EXPECT_TRUE(second.reportCalls);
    EXPECT_EQ(second.project.elements.at(0).Path(), "runs[1].project.elements[0]");
    EXPECT_EQ(second.steps.at(1).path, "runs[1].steps[1]");
    EXPECT_EQ(second.steps.at(1).expectations.at(0).path, "runs[1].steps[1].expect[0]");
    // Each run has its own report: a step's expectations look at its steps from 0.
    EXPECT_EQ(second.steps.at(1).expectations.at(0).pointer.rfind("/steps/1", 0), 0u);
    EXPECT_EQ(second.expectations.at(0).path, "runs[1].expect[0]");
}

TEST(ScenarioFileTest, RunsAreValidatedEachOnItsOwn) {
    const struct {
        const char* text;
        const char* issue;
    } cases[] = {
        {R"({"runs": []})", "runs: expected an array of at least one run, found an empty array"},
        {R"({"runs": {}})", "runs: expected an array of at least one run, found an object"},
        {R"({"runs": [{}], "expect": []})",
         "expect: a file of \"runs\" has only \"description\" and \"runs\""},
        {R"({"runs": [{"runs": [{}]}]})", "runs[0].runs: unknown field"},
        {R"({"runs": [3]})", "runs[0]: expected an object, found a number"},
        // An element of one run is unknown to the next.
        {R"({"runs": [{"project": {"elements": [{"type": "zone", "id": "hall"}]}},
                      {"project": {"currentStory": 1}, "steps": [{"action": "delete", "elements": ["hall"]}]}]})",
         "runs[1].steps[0].elements[0]: unknown element \"hall\""},
        {R"({"runs": [{}, {"project": {"currentStory": 1}}]})",
         "runs[1].project.currentStory: unknown story 1"},
    };
    for (const auto& test : cases) {
        const Scenario::ReadResult result = ReadScenarioText(test.text);
        EXPECT_FALSE(result.scenario) << test.text;
        EXPECT_NE(Issues(result).find(test.issue), std::string::npos) << test.text << "\n" << Issues(result);
    }
}

} // namespace
