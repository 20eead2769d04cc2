#include <cmath>

#include <gtest/gtest.h>

#include "GSRoot/DebugLog.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Report/ReportBuilder.hpp"
#include "Run/ProjectBuilder.hpp"
#include "Run/StepRunner.hpp"
#include "Scenario/ScenarioReader.hpp"

namespace {

// A loaded add-on and a small opened project, and the steps of a scenario to play on it.
class StepRunnerTest : public ::testing::Test {
protected:
    void Load(const std::string& steps) {
        Scenario::ReadResult read = Scenario::ReadScenarioText(R"({"project": {"elements": [
            {"type": "zone", "id": "a", "apartmentId": "A1", "polygon": [[0, 0], [2, 0], [2, 2], [0, 2]]},
            {"type": "zone", "id": "b", "apartmentId": "A1"}]}, "steps": )" +
                                                               steps + "}");
        ASSERT_TRUE(read.scenario) << (read.issues.empty() ? "" : read.issues[0].ToString());
        scenario_ = *read.scenario;
        std::string error;
        ASSERT_TRUE(host_.LoadAddOn(ZM_TEST_MODULE_PATH, &error)) << error;
        ASSERT_FALSE(Run::BuildProject(host_, scenario_.project));
        host_.CreateOrOpenProject(true);
        host_.ClearDeliveredBatches();
    }
    Run::ActionOutcome Play(std::size_t step) { return Run::RunAction(host_, scenario_.steps[step].action); }

    Scenario::Scenario scenario_;
    Headless::HeadlessHost host_;
};

TEST_F(StepRunnerTest, RemovingTheApartmentIdIsOneChangeEvent) {
    Load(R"([{"action": "changeZone", "zone": "a", "apartmentId": null, "name": "Hall"}])");
    const Run::ActionOutcome outcome = Play(0);
    EXPECT_EQ(outcome.result, NoError);
    EXPECT_FALSE(outcome.failure);
    const Headless::ElementRecord* zone = host_.FindElementByName("a");
    EXPECT_EQ(Headless::FindParameter(zone->parameters, "stApartmentId"), nullptr);
    EXPECT_EQ(GS::UniString(zone->element.zone.roomName), GS::UniString("Hall"));
    ASSERT_EQ(host_.GetDeliveredBatches().size(), 1u);
    const auto& events = host_.GetDeliveredBatches()[0].events;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].code, APINotifyElement_Change);
    EXPECT_EQ(events[1].elementName, "a");
}

TEST_F(StepRunnerTest, ABatchDeliversAllItsEventsInOneBatch) {
    Load(R"([{"batch": [{"action": "move", "element": "a", "offset": [1, 0]},
                        {"action": "delete", "elements": ["b"]}]}])");
    EXPECT_EQ(Play(0).result, NoError);
    ASSERT_EQ(host_.GetDeliveredBatches().size(), 1u);
    const auto& events = host_.GetDeliveredBatches()[0].events;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1].code, APINotifyElement_Edit);
    EXPECT_EQ(events[2].code, APINotifyElement_Delete);
    EXPECT_EQ(events[2].elementName, "b");
}

TEST_F(StepRunnerTest, ElementsThatNoLongerExistAndUnknownMenusStopTheRunWithTheirPath) {
    Load(R"([{"action": "delete", "elements": ["b"]}, {"action": "move", "element": "b", "offset": [1, 1]},
             {"action": "menu", "item": "Make Coffee"}, {"action": "select", "elements": ["stamp-9"]}])");
    Play(0);
    Run::ActionOutcome outcome = Play(1);
    EXPECT_EQ(outcome.failure.kind, Run::RunFailure::Kind::Scenario);
    EXPECT_EQ(outcome.failure.ToString(), "steps[1].element: no element \"b\" exists at this step");
    outcome = Play(2);
    EXPECT_EQ(outcome.failure.path, "steps[2].item");
    EXPECT_EQ(Play(3).failure.path, "steps[3].elements");
}

TEST_F(StepRunnerTest, WhatTheUserCannotDoIsNotedWithoutStoppingTheRun) {
    Load(R"([{"action": "paletteButton", "button": "Check Rooms"}, {"action": "undo"},
             {"action": "setLayer", "layer": "Archicad Layer", "hidden": true},
             {"action": "changeZone", "zone": "a", "number": "9"}])");
    Run::ActionOutcome outcome = Play(0);
    EXPECT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.result, APIERR_BADPARS);
    EXPECT_EQ(outcome.notes, std::vector<std::string>{"the palette does not exist yet"});
    EXPECT_EQ(Play(1).notes, std::vector<std::string>{"there is no step to undo"});
    EXPECT_EQ(Play(2).result, NoError);
    // The user cannot change a zone on a hidden layer either: the host's refusal is the result.
    EXPECT_EQ(Play(3).result, APIERR_LAYERHIDDEN);
}

TEST_F(StepRunnerTest, InjectedFaultsReachTheAddOn) {
    // By operation, then at a call number whatever the operation: opening lists the rooms first.
    Load(
        R"([{"action": "fault", "operation": "HostListElements", "code": "0x81060001"}, {"action": "openProject"},
             {"action": "fault", "call": 1, "code": "0x81060001"}, {"action": "openProject"}])");
    for (std::size_t step : {0u, 2u}) {
        GS::ClearDebugLog();
        EXPECT_EQ(Play(step).result, NoError);
        EXPECT_EQ(Play(step + 1).result, APIERR_GENERAL) << step;
        ASSERT_FALSE(GS::GetDebugLog().empty());
        EXPECT_EQ(GS::GetDebugLog().back(), "ZM: Can't get room list.\n") << step;
    }
}

TEST_F(StepRunnerTest, AnActionNotToBeNotifiedChangesTheProjectWithoutAnEventEvenInABatch) {
    Load(R"([{"batch": [{"action": "move", "element": "a", "offset": [1, 0], "notify": false},
                        {"action": "move", "element": "b", "offset": [1, 0]}]},
             {"action": "changeZone", "zone": "a", "number": "9", "notify": false}])");
    EXPECT_EQ(Play(0).result, NoError);
    ASSERT_EQ(host_.GetDeliveredBatches().size(), 1u);
    const auto& events = host_.GetDeliveredBatches()[0].events;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].elementName, "b");
    EXPECT_EQ(Play(1).result, NoError);
    EXPECT_EQ(host_.GetDeliveredBatches().size(), 1u);
    EXPECT_EQ(GS::UniString(host_.FindElementByName("a")->element.zone.roomNoStr), GS::UniString("9"));
    EXPECT_TRUE(host_.AreUserEventsReported());
}

TEST(StepSummaryTest, SummariesNameTheActionAndItsTarget) {
    const Scenario::ReadResult read = Scenario::ReadScenarioText(R"({"steps": [
        {"action": "menu", "item": "Create Zarimark"},
        {"action": "placeLabel", "position": [1.5, 2], "zone": "stamp-1"},
        {"batch": [{"action": "select", "elements": []}, {"action": "reserve", "elements": ["zone-1"], "by": "other"}]},
        {"action": "fault", "operation": "HostLinkElements", "call": 2, "code": 5, "repeat": true},
        {"action": "fault", "call": 7, "throw": true}]})");
    ASSERT_TRUE(read.scenario);
    const auto& steps = read.scenario->steps;
    EXPECT_EQ(Run::SummarizeAction(steps[0].action), "menu \"Create Zarimark\"");
    EXPECT_EQ(Run::SummarizeAction(steps[1].action), "placeLabel at 1.5, 2 on stamp-1");
    EXPECT_EQ(Run::SummarizeAction(steps[2].action),
              "batch [select nothing; reserve zone-1 by another member]");
    EXPECT_EQ(Run::SummarizeAction(steps[3].action), "fault HostLinkElements call 2 and later fails with 5");
    EXPECT_EQ(Run::SummarizeAction(steps[4].action), "fault any operation call 7 throws");
}

TEST(ReportValueTest, ArraysKeepTheScenarioShapesAndOddDimensionsStayVisible) {
    using Headless::Parameter;
    EXPECT_EQ(Report::ParameterValueJson(Parameter::NumberArray("c", 3, 1, {1, 2, 3})),
              Report::Json({1, 2, 3}));
    EXPECT_EQ(Report::ParameterValueJson(Parameter::NumberArray("r", 1, 2, {1, 2})),
              Report::Json::parse("[[1, 2]]"));
    EXPECT_EQ(Report::ParameterValueJson(Parameter::TextArray("t", 0, 1, {})), Report::Json::array());
    EXPECT_EQ(Report::ParameterValueJson(Parameter::Real("n", std::nan(""))), Report::Json("NaN"));
    Parameter odd = Parameter::NumberArray("o", 2, 2, {1, 2});
    EXPECT_EQ(Report::ParameterValueJson(odd),
              Report::Json::parse(R"({"rows": 2, "columns": 2, "data": [1, 2]})"));
}

} // namespace
