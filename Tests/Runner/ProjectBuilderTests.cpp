#include <gtest/gtest.h>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Run/ParameterConversion.hpp"
#include "Run/ProjectBuilder.hpp"
#include "Scenario/ScenarioReader.hpp"

namespace {

Scenario::Scenario Read(const std::string& text) {
    Scenario::ReadResult result = Scenario::ReadScenarioText(text);
    EXPECT_TRUE(result.scenario.has_value()) << (result.issues.empty() ? "" : result.issues[0].ToString());
    return result.scenario.value_or(Scenario::Scenario{});
}

const Headless::ElementRecord& Element(const Headless::HeadlessHost& host, const char* name) {
    const Headless::ElementRecord* record = host.FindElementByName(name);
    EXPECT_NE(record, nullptr) << name;
    static const Headless::ElementRecord none;
    return record != nullptr ? *record : none;
}

TEST(ProjectBuilderTest, ExplicitIndicesLeaveGapsLikeDeletedAttributes) {
    Headless::HeadlessHost host;
    const Scenario::Scenario scenario = Read(R"({"project": {
        "layers": [{"name": "Rooms"}, {"name": "Archive", "index": 4, "hidden": true, "locked": true}],
        "zoneCategories": [{"index": 4, "code": "WET", "name": "Wet"}, {"index": 1, "code": "LIV", "name": "Living"}]}})");
    ASSERT_FALSE(Run::BuildProject(host, scenario.project));
    EXPECT_EQ(Run::FindLayerIndex(host, "Archive"), 4);
    EXPECT_TRUE(host.GetProject().layers.IsGap(2));
    EXPECT_TRUE(host.GetProject().layers.IsGap(3));
    EXPECT_EQ(host.FindLayer(4)->flags, APILay_Hidden | APILay_Locked);
    ASSERT_NE(host.FindZoneCategory(1), nullptr);
    EXPECT_EQ(host.FindZoneCategory(1)->code, GS::UniString("LIV"));
    EXPECT_EQ(host.FindZoneCategory(2), nullptr);
    EXPECT_EQ(host.FindZoneCategory(3), nullptr);
    EXPECT_EQ(host.FindZoneCategory(4)->name, "Wet");
}

TEST(ProjectBuilderTest, AnIndexAlreadyTakenIsAScenarioError) {
    Headless::HeadlessHost host;
    const Scenario::Scenario scenario =
        Read(R"({"project": {"layers": [{"name": "A", "index": 2}, {"name": "B", "index": 1}]}})");
    const Run::RunFailure failure = Run::BuildProject(host, scenario.project);
    EXPECT_EQ(failure.kind, Run::RunFailure::Kind::Scenario);
    EXPECT_EQ(failure.path, "project.layers[1].index");
}

TEST(ProjectBuilderTest, ElementsLinksGroupsAndStatesAreLaidOutWithoutEvents) {
    Headless::HeadlessHost host;
    const Scenario::Scenario scenario = Read(R"({"project": {
        "stories": [{"index": 0}, {"index": 1, "name": "First"}], "currentStory": 1,
        "libraryParts": [{"name": "Tag.gsm", "parameters": {"txt": "", "size": 2.5, "zm_apartmentId": ""}}],
        "elements": [
          {"type": "zone", "id": "room", "story": 1, "apartmentId": "A", "locked": true, "reservation": "other",
           "areas": {"a": 10, "e": 1}},
          {"type": "label", "id": "tag", "part": "Tag.gsm", "parent": "room", "links": ["room"],
           "without": ["size"], "parameters": {"txt": "Hi"}, "observed": true},
          {"type": "wall", "id": "wall"}],
        "links": [{"from": "wall", "to": "tag"}],
        "groups": [["room", "wall"]],
        "teamwork": true,
        "preferences": {"version": 2, "bytes": [1, 2], "platformSign": "MM"}}})");
    ASSERT_FALSE(Run::BuildProject(host, scenario.project));
    EXPECT_EQ(host.GetCurrentStory(), 1);
    const Headless::ElementRecord& room = Element(host, "room");
    const Headless::ElementRecord& tag = Element(host, "tag");
    const Headless::ElementRecord& wall = Element(host, "wall");
    EXPECT_EQ(room.element.header.floorInd, 1);
    EXPECT_NE(room.element.header.lockId, 0);
    EXPECT_EQ(room.reservation, Headless::Reservation::OtherMember);
    EXPECT_FALSE(room.observed);
    EXPECT_TRUE(tag.observed);
    EXPECT_EQ(room.areas.a, 10.0);
    EXPECT_EQ(room.areas.e, 1.0);
    // Links both ways for "links", element -> label first; single ones as given.
    EXPECT_EQ(room.links, std::vector<API_Guid>{tag.GetGuid()});
    EXPECT_EQ(tag.links, std::vector<API_Guid>{room.GetGuid()});
    EXPECT_EQ(wall.links, std::vector<API_Guid>{tag.GetGuid()});
    EXPECT_EQ(tag.element.label.parent, room.GetGuid());
    EXPECT_NE(room.element.header.groupGuid, APINULLGuid);
    EXPECT_EQ(room.element.header.groupGuid, wall.element.header.groupGuid);
    // The label's list: the part's declarations with the given values, less "size".
    ASSERT_EQ(tag.parameters.size(), 2u);
    EXPECT_EQ(tag.parameters[0].GetText(), GS::UniString("Hi"));
    EXPECT_EQ(tag.parameters[1].GetName(), "zm_apartmentId");
    EXPECT_TRUE(host.IsTeamworkMode());
    EXPECT_EQ(host.GetStoredPreferences().version, 2);
    EXPECT_EQ(host.GetStoredPreferences().platformSign, 0x4D4D);
    EXPECT_TRUE(host.GetDeliveredBatches().empty());
}

TEST(ParameterConversionTest, DeclaredTypesWinAndMismatchesAreRefused) {
    const Headless::Parameter declared = Headless::Parameter::Real("count", 1, APIParT_Integer);
    Scenario::ParameterValue value;
    value.name = "count";
    value.number = 3;
    Headless::Parameter result;
    std::string error;
    ASSERT_TRUE(Run::ToHostParameter(value, &declared, &result, &error)) << error;
    EXPECT_EQ(result.GetType(), APIParT_Integer);
    EXPECT_EQ(result.GetReal(), 3.0);

    value.shape = Scenario::ParameterValue::Shape::Text;
    value.text = "three";
    EXPECT_FALSE(Run::ToHostParameter(value, &declared, &result, &error));
    EXPECT_EQ(error, "the library part declares \"count\" as a number parameter");

    const Headless::Parameter array = Headless::Parameter::NumberArray("cats", 1, 1, {-1});
    value.name = "cats";
    value.shape = Scenario::ParameterValue::Shape::Number;
    EXPECT_FALSE(Run::ToHostParameter(value, &array, &result, &error));
    EXPECT_EQ(error, "the library part declares \"cats\" as an array");
}

TEST(ParameterConversionTest, TextsLongerThanTheValueFieldAreRefused) {
    Scenario::ParameterValue value;
    value.name = "zm_apartmentId";
    value.shape = Scenario::ParameterValue::Shape::Text;
    value.text = std::string(255, 'x');
    Headless::Parameter result;
    std::string error;
    EXPECT_TRUE(Run::ToHostParameter(value, nullptr, &result, &error));
    EXPECT_EQ(result.GetText().GetLength(), 255u);
    value.text += "x";
    EXPECT_FALSE(Run::ToHostParameter(value, nullptr, &result, &error));
}

TEST(ParameterConversionTest, MergeKeepsDeclarationOrderAppendsUnknownNamesAndDropsWithout) {
    const Headless::ParameterList declared = {Headless::Parameter::Real("a", 1),
                                              Headless::Parameter::Text("b", "x"),
                                              Headless::Parameter::Real("c", 3)};
    Scenario::ParameterValue extra;
    extra.name = "d";
    extra.number = 4;
    extra.path = "parameters.d";
    Scenario::ParameterValue changed;
    changed.name = "a";
    changed.number = 9;
    Headless::ParameterList merged;
    std::string path;
    std::string error;
    ASSERT_TRUE(Run::MergeParameterValues(declared, {extra, changed}, {"b"}, &merged, &path, &error));
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].GetName(), "a");
    EXPECT_EQ(merged[0].GetReal(), 9.0);
    EXPECT_EQ(merged[1].GetName(), "c");
    EXPECT_EQ(merged[2].GetName(), "d");

    Scenario::ParameterValue wrong;
    wrong.name = "b";
    wrong.number = 1;
    wrong.path = "parameters.b";
    EXPECT_FALSE(Run::MergeParameterValues(declared, {wrong}, {}, &merged, &path, &error));
    EXPECT_EQ(path, "parameters.b");
}

} // namespace
