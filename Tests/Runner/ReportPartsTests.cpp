#include <algorithm>

#include <gtest/gtest.h>

#include "Report/TextReport.hpp"
#include "Run/ScenarioSession.hpp"
#include "Scenario/ScenarioReader.hpp"

// Report parts read from the host after a whole run against the real add-on: the project's
// settings, what the user met and when, and the host calls of each step.

namespace {

using Report::Json;

Json Play(const std::string& text, const Report::ReportOptions& options = {}) {
    const Scenario::ReadResult read = Scenario::ReadScenarioText(text);
    if (!read.scenario) {
        ADD_FAILURE() << (read.issues.empty() ? "unreadable" : read.issues[0].ToString());
        return Json::object();
    }
    Run::ScenarioSession session(*read.scenario, ZM_TEST_MODULE_PATH);
    session.SetReportOptions(options);
    const Run::RunFailure failure = session.Run(false);
    EXPECT_FALSE(failure) << failure.ToString();
    return session.BuildReport();
}

// The lines of the text report's step `[n]`, each with its line end.
std::string StepText(const std::string& text, int step) {
    const std::size_t begin = text.find("\n[" + std::to_string(step) + "] ");
    const std::size_t end = text.find("\n[" + std::to_string(step + 1) + "] ", begin);
    if (begin == std::string::npos)
        return "";
    return text.substr(begin, end == std::string::npos ? end : end + 1 - begin);
}

const std::string Project = R"({"project": {
    "layers": [{"name": "Rooms"}, {"name": "Labels"}, {"name": "Archive", "index": 5, "hidden": true}],
    "layerCombinations": [{"name": "Plan", "layers": [{"layer": "Archive", "hidden": false, "locked": true}]}],
    "currentLayerCombination": "Plan",
    "elements": [
        {"type": "zone", "id": "living", "layer": "Rooms", "apartmentId": "A1", "polygon": [[0, 0], [4, 0], [4, 4], [0, 4]]},
        {"type": "zone", "id": "store", "layer": "Rooms", "polygon": [[4, 0], [6, 0], [6, 4], [4, 4]]},
        {"type": "wall", "id": "wall", "layer": "Rooms", "begin": [0, 0], "end": [6, 0]},
        {"type": "zone", "id": "bath", "layer": "Rooms", "apartmentId": "A1", "polygon": [[0, 4], [2, 4], [2, 6], [0, 6]]}],
    "groups": [["wall", "living"], ["bath", "store"]],
    "labelDefaults": {"part": "Zarimark.gsm", "layer": "Labels", "class": "text", "parameters": {"zm_apartmentId": "A9"}}},
  "steps": )";

TEST(ReportPartsTest, LayersCombinationLabelDefaultsAndGroupsAreTheHostsAfterTheSteps) {
    struct Case {
        const char* steps;
        const char* layers;
        const char* combination;
        Json defaultsLayer;
    };
    const Case cases[] = {
        // As laid out: the combination in force unhid the archive and locked it.
        {"[]",
         R"([{"index": 1, "name": "Rooms", "hidden": false, "locked": false},
             {"index": 2, "name": "Labels", "hidden": false, "locked": false},
             {"index": 5, "name": "Archive", "hidden": false, "locked": true}])",
         R"({"index": 1, "name": "Plan"})", "Labels"},
        // Setting a layer's flags leaves no combination in force.
        {R"([{"action": "setLayer", "layer": "Rooms", "locked": true}, {"action": "setLayer", "layer": "Archive", "hidden": true, "locked": false}])",
         R"([{"index": 1, "name": "Rooms", "hidden": false, "locked": true},
             {"index": 2, "name": "Labels", "hidden": false, "locked": false},
             {"index": 5, "name": "Archive", "hidden": true, "locked": false}])",
         "null", "Labels"},
        // Applied again it puts back every layer, also those it does not name (as they were laid
        // out); the defaults keep a deleted layer's index.
        {R"([{"action": "setLayer", "layer": "Archive", "hidden": true}, {"action": "setLayer", "layer": "Rooms", "hidden": true},
             {"action": "applyLayerCombination", "combination": "Plan"}, {"action": "deleteLayer", "layer": "Labels"}])",
         R"([{"index": 1, "name": "Rooms", "hidden": false, "locked": false},
             {"index": 5, "name": "Archive", "hidden": false, "locked": true}])",
         R"({"index": 1, "name": "Plan"})", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        const Json report = Play(Project + c.steps + "}");
        EXPECT_EQ(report["layers"], Json::parse(c.layers));
        EXPECT_EQ(report["layerCombination"], Json::parse(c.combination));
        const Json& defaults = report["labelDefaults"];
        EXPECT_EQ(defaults["part"], "Zarimark.gsm");
        EXPECT_EQ(defaults["layer"], c.defaultsLayer);
        EXPECT_EQ(defaults["layerIndex"], 2);
        EXPECT_EQ(defaults["class"], "text");
        EXPECT_EQ(defaults["parameters"]["zm_apartmentId"], "A9");
        EXPECT_EQ(defaults["parameters"]["zm_version"], 2); // the part's own default
        // Members in creation order, groups in the order of their first member.
        EXPECT_EQ(report["groups"], Json::parse(R"([["living", "wall"], ["store", "bath"]])"));
    }
    const std::string text = Report::RenderText(Play(Project + "[]}"));
    EXPECT_NE(text.find("== Layers\n1 \"Rooms\"\n2 \"Labels\"\n5 \"Archive\" locked\n"), std::string::npos);
    EXPECT_NE(text.find("== Layer combination\n\"Plan\" (1)\n"), std::string::npos);
    EXPECT_NE(text.find("part \"Zarimark.gsm\", layer 2 \"Labels\", class text\n"), std::string::npos);
    EXPECT_NE(text.find("== Groups\nliving, wall\nstore, bath\n"), std::string::npos);
}

// A room without apartment ID makes the add-on warn after the user's action and again when its
// own new stamp is reported; placing a label brings the apartment dialog with an alert inside.
const std::string UiScenario = R"({"project": {
    "elements": [
        {"type": "zone", "id": "living", "apartmentId": "A1", "polygon": [[0, 0], [4, 0], [4, 4], [0, 4]]},
        {"type": "zone", "id": "store", "polygon": [[4, 0], [6, 0], [6, 4], [4, 4]]}],
    "labelDefaults": {"part": "Zarimark.gsm"}},
  "steps": [
    {"action": "openProject"},
    {"action": "select", "elements": ["living"]},
    {"action": "menu", "item": "Create Zarimark"},
    {"action": "placeLabel", "position": [1, 1],
     "answers": [{"dialog": 32510, "do": [{"press": "OK"}, {"choose": "A1"}, {"press": "OK"}]},
                 {"alert": "Please choose a ZARI ID!"}]},
    {"action": "fault", "operation": "HostGetSelection", "code": "0x81060001"},
    {"action": "menu", "item": "Create Zarimark"}]})";

TEST(ReportPartsTest, EachStepListsWhatTheUserMetInOrderAndWhetherAnEchoBroughtIt) {
    const Json report = Play(UiScenario);
    const auto summary = [&](int step) {
        std::vector<std::string> items;
        for (const Json& item : report["steps"][step]["ui"])
            items.push_back(item["type"].get<std::string>() + " " + item["id"].dump() + " " +
                            item["during"].get<std::string>());
        return items;
    };
    EXPECT_TRUE(summary(1).empty());
    EXPECT_EQ(summary(2), (std::vector<std::string>{"alert 31019 action", "alert 31019 echo"}));
    EXPECT_EQ(summary(3), (std::vector<std::string>{"dialog 32510 action", "alert 0 action",
                                                    "alert 31019 action", "alert 31019 echo"}));
    EXPECT_EQ(report["steps"][3]["ui"][1]["text"], "Please choose a ZARI ID!");
    // Each entry is the top-level one with its type.
    for (const Json& step : report["steps"]) {
        for (Json item : step["ui"]) {
            const std::string type = item["type"].get<std::string>();
            item.erase("type");
            const Json& all = report[type == "alert" ? "alerts" : "dialogs"];
            EXPECT_NE(std::find(all.begin(), all.end(), item), all.end()) << item.dump();
        }
    }
    EXPECT_EQ(report["alerts"][1]["during"], "echo");
    EXPECT_EQ(report["dialogs"][0]["during"], "action");

    const std::string text = StepText(Report::RenderText(report), 3);
    EXPECT_NE(
        text.find("-> accepted\n    alert: Please choose a ZARI ID! -> OK\n    alert 31019: Some rooms in "
                  "the project have no accessible Apartment ID! -> OK (no prepared answer)\n    alert 31019"),
        std::string::npos)
        << text;
    EXPECT_EQ(text.find("(during echo)"), text.rfind("(during echo)"));
    EXPECT_NE(text.find("(no prepared answer) (during echo)\n"), std::string::npos) << text;
}

TEST(ReportPartsTest, CallsListEveryHostCallOfAStepFailedOnesTooOnlyWhenAsked) {
    const Json plain = Play(UiScenario);
    for (const Json& step : plain["steps"])
        EXPECT_FALSE(step.contains("calls"));
    const Json report = Play(UiScenario, {.calls = true});
    const Json& failing = report["steps"][5];
    const auto failed = std::find_if(failing["calls"].begin(), failing["calls"].end(),
                                     [](const Json& call) { return call["result"] != 0; });
    ASSERT_NE(failed, failing["calls"].end());
    EXPECT_EQ(*failed,
              Json::parse(R"({"operation": "HostGetSelection", "arguments": "", "result": -2130313215,
                                       "injected": true})"));
    EXPECT_TRUE(failing["changes"].empty());
    // The changes are the calls that changed something, in the same order and words.
    const Json& creating = report["steps"][2];
    std::size_t next = 0;
    for (const Json& change : creating["changes"]) {
        while (next < creating["calls"].size() &&
               (creating["calls"][next]["operation"] != change["operation"] ||
                creating["calls"][next]["arguments"] != change["arguments"]))
            ++next;
        EXPECT_LT(next++, creating["calls"].size()) << change.dump();
    }
    EXPECT_GT(creating["calls"].size(), creating["changes"].size());
    EXPECT_EQ(report["steps"][1]["calls"], Json::array()); // a selection asks nothing of the add-on

    const std::string text = Report::RenderText(report);
    EXPECT_NE(StepText(text, 1).find("    calls: none\n"), std::string::npos);
    EXPECT_NE(StepText(text, 5).find("\n    calls:\n"), std::string::npos);
    EXPECT_NE(StepText(text, 5).find("\n      HostGetSelection() -> -2130313215 (0x81060001) (injected)\n"),
              std::string::npos);
}

} // namespace
