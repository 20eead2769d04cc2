#include <gtest/gtest.h>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Run/ProjectBuilder.hpp"
#include "Run/StepRunner.hpp"
#include "Scenario/ScenarioReader.hpp"

// Grouping, placing a label of another part, zone categories at an index, the label tool's layer
// and zone areas, as the runner plays them on the host with the real add-on loaded.

namespace {

class UserActionTest : public ::testing::Test {
protected:
    // Zones a and b in apartment A1, c without one and with areas of its own; category 1.
    void Load(const std::string& projectFields, const std::string& steps) {
        const Scenario::ReadResult read = Scenario::ReadScenarioText(R"({"project": {"elements": [
            {"type": "zone", "id": "a", "apartmentId": "A1", "polygon": [[0, 0], [2, 0], [2, 2], [0, 2]]},
            {"type": "zone", "id": "b", "apartmentId": "A1", "polygon": [[2, 0], [4, 0], [4, 2], [2, 2]]},
            {"type": "zone", "id": "c", "polygon": [[0, 2], [4, 2], [4, 4], [0, 4]],
             "areas": {"a": 10, "b": 9, "c": 8, "d": 7, "e": 1}}],
            "zoneCategories": [{"index": 1, "code": "LIV"}])" + projectFields +
                                                                     R"(}, "steps": )" + steps + "}");
        ASSERT_TRUE(read.scenario) << (read.issues.empty() ? "" : read.issues[0].ToString());
        scenario_ = *read.scenario;
        std::string error;
        ASSERT_TRUE(host_.LoadAddOn(ZM_TEST_MODULE_PATH, &error)) << error;
        ASSERT_FALSE(Run::BuildProject(host_, scenario_.project));
        host_.CreateOrOpenProject(true);
        host_.ClearDeliveredBatches();
    }
    Run::ActionOutcome Play(std::size_t step) { return Run::RunAction(host_, scenario_.steps[step].action); }
    API_Guid GroupOf(const std::string& id) const {
        return host_.FindElementByName(id)->element.header.groupGuid;
    }

    Scenario::Scenario scenario_;
    Headless::HeadlessHost host_;
};

TEST_F(UserActionTest, GroupingAndUngroupingChangeGroupsWithoutTellingTheAddOn) {
    // After an undo the file cannot tell the groups, so an element in no group shows only in the run.
    Load(R"(, "groups": [["a", "c"]])", R"([{"action": "group", "elements": ["a", "b"]}, {"action": "undo"},
        {"action": "ungroup", "elements": ["b"]}, {"action": "ungroup", "elements": ["c", "a"]}])");
    const API_Guid old = GroupOf("c");
    ASSERT_NE(old, APINULLGuid);
    ASSERT_EQ(Play(0).result, NoError);
    EXPECT_NE(GroupOf("a"), APINULLGuid);
    EXPECT_NE(GroupOf("a"), old);
    EXPECT_EQ(GroupOf("b"), GroupOf("a"));
    EXPECT_EQ(GroupOf("c"), old); // the old group keeps its other members
    Play(1);
    const Run::ActionOutcome ungrouped = Play(2);
    EXPECT_EQ(ungrouped.result, NoError);
    EXPECT_FALSE(ungrouped.failure);
    EXPECT_EQ(GroupOf("a"), APINULLGuid);
    EXPECT_EQ(GroupOf("b"), APINULLGuid);
    EXPECT_EQ(GroupOf("c"), old);
    EXPECT_TRUE(host_.GetDeliveredBatches().empty());

    const Run::ActionOutcome failed = Play(3);
    EXPECT_EQ(failed.failure.kind, Run::RunFailure::Kind::Scenario);
    EXPECT_EQ(failed.failure.ToString(), "steps[3].elements[1]: \"a\" is in no group at this step");
    EXPECT_EQ(GroupOf("c"), old); // all or nothing
}

TEST_F(UserActionTest, APlacedLabelOfAnotherPartHasThatPartsDefaults) {
    Load(R"(, "libraryParts": [{"name": "Tag.gsm", "parameters": {"txt": "", "size": 2.5}}],
            "labelDefaults": {"part": "Zarimark.gsm", "parameters": {"zm_apartmentId": "A1"}})",
         R"([{"action": "placeLabel", "id": "tag", "position": [5, 5], "part": "Tag.gsm"}])");
    ASSERT_EQ(Play(0).result, NoError);
    const Headless::ElementRecord* tag = host_.FindElementByName("tag");
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->element.label.libInd, host_.FindLibraryPartByName("Tag.gsm")->index);
    ASSERT_EQ(tag->parameters.size(), 2u);
    EXPECT_EQ(tag->parameters[0].GetName(), "txt");
    EXPECT_DOUBLE_EQ(tag->parameters[1].GetReal(), 2.5);
    EXPECT_EQ(Run::SummarizeAction(scenario_.steps[0].action),
              "placeLabel at 5, 5 (no room) with \"Tag.gsm\"");
}

TEST_F(UserActionTest, ZoneCategoriesTakeTheGivenIndexLeavingAGap) {
    Load("", R"([{"action": "addZoneCategory", "index": 4, "code": "BAL", "name": "Balcony"},
                 {"action": "addZoneCategory", "code": "STO"}, {"action": "undo"},
                 {"action": "addZoneCategory", "index": 4}])");
    const Run::ActionOutcome atIndex = Play(0);
    EXPECT_FALSE(atIndex.failure);
    EXPECT_TRUE(atIndex.notes.empty());
    ASSERT_NE(host_.FindZoneCategory(4), nullptr);
    EXPECT_EQ(host_.FindZoneCategory(4)->name, "Balcony");
    EXPECT_TRUE(host_.GetProject().zoneCategories.IsGap(2));
    EXPECT_TRUE(host_.GetProject().zoneCategories.IsGap(3));
    EXPECT_EQ(Play(1).notes, std::vector<std::string>{"the new zone category has the index 5"});
    Play(2);
    EXPECT_EQ(Play(3).failure.ToString(), "steps[3].index: the zone category index 4 is in use at this step");
}

TEST_F(UserActionTest, TheLabelToolMayBeLeftOnALayerThatDoesNotExist) {
    Load(R"(, "labelDefaults": {"part": "Zarimark.gsm", "layer": 9})",
         R"([{"action": "placeLabel", "position": [1, 1], "zone": "a"}])");
    EXPECT_EQ(host_.GetLabelDefaults().element.header.layer, 9);
    EXPECT_EQ(host_.FindLayer(9), nullptr);
    EXPECT_EQ(Play(0).result, APIERR_BADPARS); // the tool cannot place there
}

TEST_F(UserActionTest, ChangingOneAreaKeepsTheOthers) {
    Load("", R"([{"action": "changeZone", "zone": "c", "areas": {"b": 25}},
                 {"action": "changeZone", "zone": "c", "areas": {"e": 2, "a": 11}}])");
    ASSERT_EQ(Play(0).result, NoError);
    const Headless::ZoneAreas& areas = host_.FindElementByName("c")->areas;
    EXPECT_EQ((std::vector<double>{areas.a, areas.b, areas.c, areas.d, areas.e}),
              (std::vector<double>{10, 25, 8, 7, 1}));
    ASSERT_EQ(Play(1).result, NoError);
    const Headless::ZoneAreas& after = host_.FindElementByName("c")->areas;
    EXPECT_EQ((std::vector<double>{after.a, after.b, after.c, after.d, after.e}),
              (std::vector<double>{11, 25, 8, 7, 2}));
}

} // namespace
