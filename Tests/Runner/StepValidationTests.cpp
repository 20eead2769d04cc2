#include <algorithm>

#include <gtest/gtest.h>

#include "Scenario/ScenarioReader.hpp"

// What the whole-file check finds in groups, library parts of placed labels, zone category
// indices, the label tool's layer and dialog rows, each with its path into the file.

namespace {

struct ValidationCase {
    const char* name;
    const char* projectFields; // added to a project of zones a, b (grouped) and c, categories 1 and 3
    const char* steps;
    std::vector<std::string> issues; // each the start of one issue; none: the file is valid
};

void PrintTo(const ValidationCase& c, std::ostream* out) {
    *out << c.name;
}

const ValidationCase ValidationCases[] = {
    {"GroupNamesAtLeastOneElement",
     "",
     R"([{"action": "group", "elements": []}])",
     {"steps[0].elements: name at least one element"}},
    {"UngroupingAnElementInNoGroup",
     "",
     R"([{"action": "ungroup", "elements": ["a", "c"]}])",
     {"steps[0].elements[1]: \"c\" is in no group at this step"}},
    {"UngroupingDissolvesTheWholeGroup",
     "",
     R"([{"action": "ungroup", "elements": ["a"]}, {"action": "ungroup", "elements": ["b"]}])",
     {"steps[1].elements[0]: \"b\" is in no group at this step"}},
    {"RegroupingLeavesTheOldGroupItsOtherMembers",
     "",
     R"([{"action": "group", "elements": ["c", "a"]}, {"action": "ungroup", "elements": ["a"]},
         {"action": "ungroup", "elements": ["b"]}, {"action": "ungroup", "elements": ["c"]}])",
     {"steps[3].elements[0]: \"c\" is in no group at this step"}},
    {"UnknownElementsAreReportedOnlyAsUnknown",
     "",
     R"([{"action": "ungroup", "elements": ["zz"]}])",
     {"steps[0].elements[0]: unknown element \"zz\""}},
    {"CreatedElementsAreInNoGroup",
     "",
     R"([{"action": "createWall", "id": "w", "begin": [0, 0], "end": [1, 0]},
         {"action": "ungroup", "elements": ["w"]}])",
     {"steps[1].elements[0]: \"w\" is in no group at this step"}},
    {"DeletedGeneratedAndAfterAnUndoAreLeftToTheRun",
     "",
     R"([{"action": "delete", "elements": ["c"]}, {"action": "ungroup", "elements": ["c"]},
         {"action": "ungroup", "elements": ["stamp-1"]}, {"action": "undo"},
         {"action": "ungroup", "elements": ["a"]}, {"action": "ungroup", "elements": ["a"]}])",
     {}},
    {"PlacedLabelsPartMustBeKnown",
     R"("libraryParts": [{"name": "Tag.gsm"}])",
     R"([{"action": "placeLabel", "position": [0, 0], "part": "Tag.gsm"},
         {"action": "placeLabel", "position": [0, 0], "part": "Zarimark.gsm"},
         {"action": "placeLabel", "position": [0, 0], "part": "Nope.gsm"}])",
     {"steps[2].part: unknown library part \"Nope.gsm\""}},
    {"CategoryIndexInUse",
     "",
     R"([{"action": "addZoneCategory", "index": 3, "code": "X"}])",
     {"steps[0].index: the zone category index 3 is in use at this step"}},
    {"CategoryIndicesFreedLeftAsGapsOrNextInLine",
     "",
     R"([{"action": "deleteZoneCategory", "index": 3}, {"action": "addZoneCategory", "index": 3},
         {"action": "addZoneCategory", "index": 2}, {"action": "addZoneCategory", "index": 7},
         {"batch": [{"action": "addZoneCategory"}, {"action": "addZoneCategory", "index": 8}]},
         {"action": "addZoneCategory", "index": 0}])",
     {"steps[4].batch[1].index: the zone category index 8 is in use at this step",
      "steps[5].index: expected a whole number from 1 to 32767, found 0"}},
    {"AfterAnUndoCategoriesAreLeftToTheRun",
     "",
     R"([{"action": "undo"}, {"action": "addZoneCategory", "index": 1}])",
     {}},
    {"LabelLayerByNameMustExist",
     R"("labelDefaults": {"layer": "Nowhere"})",
     "[]",
     {"project.labelDefaults.layer: unknown layer \"Nowhere\""}},
    {"LabelLayerByIndexNeedNotExist", R"("labelDefaults": {"layer": 9})", "[]", {}},
    {"LabelLayerIndexInRange",
     R"("labelDefaults": {"layer": -1})",
     "[]",
     {"project.labelDefaults.layer: expected a whole number from 0 to 32767, found -1"}},
    {"RowsCountFromOne",
     "",
     R"([{"action": "undo", "answers": [{"dialog": 32510, "do": [{"chooseRow": 2}, {"chooseRow": 0},
                                                                 {"chooseRow": "A1"}]}]}])",
     {"steps[0].answers[0].do[1].chooseRow: expected a whole number from 1 to 32767, found 0",
      "steps[0].answers[0].do[2].chooseRow: expected a whole number"}},
};

class StepValidation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(StepValidation, ReportsEachProblemAtItsPath) {
    const ValidationCase& c = GetParam();
    const std::string fields = *c.projectFields != '\0' ? std::string(", ") + c.projectFields : "";
    const Scenario::ReadResult result =
        Scenario::ReadScenarioText(R"({"project": {"elements": [
        {"type": "zone", "id": "a"}, {"type": "zone", "id": "b"}, {"type": "zone", "id": "c"}],
        "groups": [["a", "b"]], "zoneCategories": [{"index": 1}, {"index": 3}])" +
                                   fields + R"(}, "steps": )" + c.steps + "}");
    std::string found;
    for (const Scenario::Issue& issue : result.issues)
        found += issue.ToString() + "\n";
    ASSERT_EQ(result.issues.size(), c.issues.size()) << found;
    for (const std::string& expected : c.issues) {
        EXPECT_TRUE(std::any_of(result.issues.begin(), result.issues.end(),
                                [&](const auto& issue) { return issue.ToString().rfind(expected, 0) == 0; }))
            << expected << " not in\n"
            << found;
    }
    EXPECT_EQ(result.scenario.has_value(), c.issues.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, StepValidation, ::testing::ValuesIn(ValidationCases),
                         [](const ::testing::TestParamInfo<ValidationCase>& info) {
                             return info.param.name;
                         });

TEST(StepValidationTest, NewFieldsReachTheModel) {
    const Scenario::ReadResult result = Scenario::ReadScenarioText(R"({
        "project": {"layers": [{"name": "L"}], "labelDefaults": {"layer": 12}},
        "steps": [{"action": "placeLabel", "position": [1, 2], "part": "Zarimark.gsm"},
                  {"action": "addZoneCategory", "index": 4, "code": "BAL", "name": "Balcony"},
                  {"action": "undo", "answers": [{"dialog": 32510, "do": [{"chooseRow": 2}]}]}]})");
    ASSERT_TRUE(result.scenario);
    const Scenario::Scenario& scenario = *result.scenario;
    EXPECT_EQ(scenario.project.labelDefaults->layerIndex, 12);
    EXPECT_EQ(scenario.steps[0].action.text, "Zarimark.gsm");
    EXPECT_EQ(scenario.steps[1].action.category.index, 4);
    const Scenario::DialogInteraction& row = scenario.steps[2].answers[0].interactions[0];
    EXPECT_EQ(row.kind, Scenario::DialogInteraction::Kind::ChooseRow);
    EXPECT_EQ(row.row, 2);
}

} // namespace
