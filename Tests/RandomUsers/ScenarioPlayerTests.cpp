#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <rapidcheck.h>

#include "Scenario/ScenarioReader.hpp"
#include "ScenarioPlayer.hpp"

namespace RandomUsers {

namespace {

// A stamp that shows its apartment's two rooms, and a room of another apartment on a hidden layer.
const Json Project = Json::parse(R"({
    "layers": [{"name": "Rooms"}, {"name": "Labels"}, {"name": "Archive", "hidden": true}],
    "zoneCategories": [{"index": 1, "code": "LIV", "name": "Living"}],
    "elements": [
        {"type": "zone", "id": "r1", "layer": "Rooms", "category": 1, "apartmentId": "A1",
         "polygon": [[0, 0], [2, 0], [2, 2], [0, 2]]},
        {"type": "zone", "id": "r2", "layer": "Rooms", "category": 1, "apartmentId": "A1",
         "polygon": [[4, 0], [6, 0], [6, 3], [4, 3]]},
        {"type": "zone", "id": "r3", "layer": "Archive", "category": 1, "apartmentId": "A2",
         "polygon": [[8, 0], [9, 0], [9, 1], [8, 1]]},
        {"type": "label", "id": "s1", "part": "Zarimark.gsm", "layer": "Labels", "position": [0, 5],
         "links": ["r1", "r2"],
         "parameters": {"zm_apartmentId": "A1", "zm_roomCats": [1, 1],
                        "zm_roomAreasInZari": [[4, 4, 4, 4], [6, 6, 6, 6]], "zm_ZoneCatExists": [1],
                        "zm_ZoneCatCodes": ["LIV"], "zm_ZoneCatNames": ["Living"]}}],
    "labelDefaults": {"part": "Zarimark.gsm", "layer": "Labels"}})");

Json Pick(int n, const char* kind) {
    return {{"$pick", n}, {"$of", kind}};
}

rc::detail::CaseResult FailureOf(ScenarioPlayer& player, const Json& step) {
    try {
        player.Play(step);
    } catch (const rc::detail::CaseResult& result) {
        return result;
    }
    return rc::detail::CaseResult(rc::detail::CaseResult::Type::Success);
}

TEST(ScenarioPlayerTest, PicksAmongWhatTheUserCanSelectAndNamesEachElementOnce) {
    ScenarioPlayer player(Project, ZM_TEST_MODULE_PATH);
    const Json step = {{"action", "delete"},
                       {"elements", {Pick(2, "room"), Pick(4, "room"), Pick(1, "room")}}};
    EXPECT_EQ(player.Resolve(step), Json({{"action", "delete"}, {"elements", {"r1", "r2"}}}));
    EXPECT_EQ(player.Resolve(Pick(2, "anyElement")), "r3");
    EXPECT_EQ(player.Resolve(Pick(7, "stamp")), "s1");
    // Nothing of a kind: the step is not taken.
    EXPECT_TRUE(player.Resolve({{"action", "move"}, {"element", Pick(0, "wall")}}).is_null());
    EXPECT_TRUE(player.CanUseLabelTool());
    EXPECT_TRUE(player.LabelToolMakesStamps());
    EXPECT_TRUE(player.HasApartmentId("r1"));
}

TEST(ScenarioPlayerTest, AStepThatLeavesAStampSilentlyStaleFailsWithTheScenarioAsPlayed) {
    ScenarioPlayer player(Project, ZM_TEST_MODULE_PATH);
    const Json unused = {{"alert", "Zarimark Error"}, {"button", 2}};
    player.Play({{"action", "changeZone"}, {"zone", "r1"}, {"areas", {{"a", 5}}}, {"answers", {unused}}});
    const rc::detail::CaseResult result = FailureOf(
        player, {{"action", "changeZone"}, {"zone", "r2"}, {"areas", {{"b", 3}}}, {"notify", false}});
    EXPECT_EQ(result.type, rc::detail::CaseResult::Type::Failure);
    EXPECT_THAT(result.description, testing::HasSubstr("steps[2]: s1 is silently stale"));
    const Json& scenario = LastFailure().scenario;
    ASSERT_EQ(scenario["steps"].size(), 3u);
    EXPECT_EQ(scenario["steps"][0], Json({{"action", "openProject"}}));
    EXPECT_FALSE(scenario["steps"][1].contains("answers")); // no alert came for it
    EXPECT_EQ(scenario["steps"][2]["notify"], false);
    // What is printed reads back as the same scenario.
    const std::string text = FormatScenario(scenario);
    EXPECT_EQ(Json::parse(text), scenario);
    EXPECT_TRUE(Scenario::ReadScenarioText(text).scenario);
}

TEST(ScenarioPlayerTest, AStepTheReaderRefusesIsTheGeneratorsMistake) {
    ScenarioPlayer player(Project, ZM_TEST_MODULE_PATH);
    const rc::detail::CaseResult result = FailureOf(player, {{"action", "changeZone"}, {"zone", "r9"}});
    EXPECT_EQ(result.type, rc::detail::CaseResult::Type::Failure);
    EXPECT_THAT(result.description, testing::HasSubstr("steps[1].zone: unknown element \"r9\""));
}

} // namespace

} // namespace RandomUsers
