#include <gtest/gtest.h>

#include "Scenario/ScenarioParsers.hpp"
#include "Scenario/ScenarioReader.hpp"

namespace {

std::string Issues(const std::string& text) {
    std::string issues;
    for (const Scenario::Issue& issue : Scenario::ReadScenarioText(text).issues)
        issues += issue.ToString() + "\n";
    return issues;
}

TEST(ScenarioReferenceTest, ElementsCreatedByEarlierStepsAndGeneratedNamesMayBeUsed) {
    EXPECT_EQ(Issues(R"({"steps": [
        {"action": "createZone", "id": "new-room", "apartmentId": "A"},
        {"action": "copy", "element": "new-room", "id": "copied"},
        {"batch": [{"action": "select", "elements": ["copied", "stamp-3"]}, {"action": "delete", "elements": ["new-room"]}]},
        {"action": "editParameters", "element": "stamp-1", "parameters": {"zm_apartmentId": "B"}}]})"),
              "");
}

TEST(ScenarioReferenceTest, UnknownElementsAreReportedWhereTheyAreUsed) {
    const std::string issues = Issues(R"({
        "project": {"elements": [{"type": "zone", "id": "kitchen"},
                                 {"type": "label", "id": "l", "parent": "pantry", "links": ["kitchen", "hall"]}],
                    "links": [{"from": "kitchen", "to": "attic"}], "groups": [["kitchen", "cellar"]]},
        "steps": [{"action": "select", "elements": ["later"]}, {"action": "createZone", "id": "later"},
                  {"batch": [{"action": "move", "element": "garage", "offset": [1, 0]}]}]})");
    for (const char* expected : {"project.elements[1].parent: unknown element \"pantry\"",
                                 "project.elements[1].links[1]: unknown element \"hall\"",
                                 "project.links[0].to: unknown element \"attic\"",
                                 "project.groups[0][1]: unknown element \"cellar\"",
                                 "steps[0].elements[0]: unknown element \"later\"",
                                 "steps[2].batch[0].element: unknown element \"garage\""})
        EXPECT_NE(issues.find(expected), std::string::npos) << expected << "\n" << issues;
}

TEST(ScenarioReferenceTest, IdsMustBeUniqueAndNotLookGenerated) {
    const std::string issues = Issues(R"({"project": {"elements": [
        {"type": "zone", "id": "room"}, {"type": "wall", "id": "room"}, {"type": "zone", "id": "zone-1"}]},
        "steps": [{"action": "createLabel", "id": "room"}]})");
    EXPECT_NE(issues.find("project.elements[1].id: the id \"room\" is used twice"), std::string::npos)
        << issues;
    EXPECT_NE(issues.find("project.elements[2].id: the id \"zone-1\" has the form the host uses"),
              std::string::npos)
        << issues;
    EXPECT_NE(issues.find("steps[0].id: the id \"room\" is used twice"), std::string::npos) << issues;
}

TEST(ScenarioReferenceTest, LayersStoriesPartsAndCombinationsMustBeDeclared) {
    const std::string issues = Issues(R"({"project": {
        "stories": [{"index": 0}, {"index": 2}], "currentStory": 1,
        "layers": [{"name": "Rooms"}], "layerCombinations": [{"name": "All", "layers": [{"layer": "Walls"}]}],
        "libraryParts": [{"name": "Tag.gsm"}, {"name": "Zarimark.gsm"}],
        "elements": [{"type": "label", "id": "l", "part": "Other.gsm", "layer": "Labels", "story": 2}]},
        "steps": [{"action": "setCurrentStory", "story": 3}, {"action": "applyLayerCombination", "combination": "None"},
                  {"action": "addLayer", "name": "Labels"}, {"action": "setLayer", "layer": "Labels", "hidden": true},
                  {"action": "changeLibraryPart", "label": "l", "part": "Tag.gsm"},
                  {"action": "fault", "operation": "HostDoMagic", "code": 1}]})");
    for (const char* expected :
         {"project.currentStory: unknown story 1",
          "project.layerCombinations[0].layers[0].layer: unknown layer \"Walls\"",
          "project.libraryParts[1].name: the library part \"Zarimark.gsm\" is declared twice",
          "project.elements[0].layer: unknown layer \"Labels\"",
          "project.elements[0].part: unknown library part \"Other.gsm\"", "steps[0].story: unknown story 3",
          "steps[1].combination: unknown layer combination \"None\"",
          "steps[5].operation: unknown host operation \"HostDoMagic\""})
        EXPECT_NE(issues.find(expected), std::string::npos) << expected << "\n" << issues;
    // A layer added by a step can be used by later steps.
    EXPECT_EQ(issues.find("steps[3].layer"), std::string::npos) << issues;
    EXPECT_EQ(issues.find("steps[4]"), std::string::npos) << issues;
}

TEST(ScenarioReferenceTest, GeneratedNamesFollowTheHostsPattern) {
    EXPECT_TRUE(Scenario::IsGeneratedName("stamp-12"));
    EXPECT_TRUE(Scenario::IsGeneratedName("zone-1"));
    EXPECT_FALSE(Scenario::IsGeneratedName("stamp-A1"));
    EXPECT_FALSE(Scenario::IsGeneratedName("my-zone-1"));
    EXPECT_FALSE(Scenario::IsGeneratedName("zone-"));
}

} // namespace
