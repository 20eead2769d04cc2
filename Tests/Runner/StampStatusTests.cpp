#include <gtest/gtest.h>

#include "Report/ReportBuilder.hpp"

// Which stale stamps the report calls silently stale: those the palette's rows (story and
// apartment ID, one row per stamp) do not cover and no telling alert came for since they went
// stale.

namespace {

using Report::Json;

TEST(StampStatusTest, AStaleStampIsSilentUnlessARowOrALaterAlertTellsOfIt) {
    Headless::HeadlessHost host;
    Headless::ZoneDesc room;
    room.name = "living";
    room.polygon = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    room.parameters = {Headless::Parameter::Text("stApartmentId", "A1")};
    host.AddZone(room);
    Headless::LibPartDesc part;
    part.name = "Zarimark.gsm";
    Headless::LabelDesc label;
    label.libInd = host.AddBuiltInLibraryPart(part, 31990);
    label.parameters = {Headless::Parameter::Text("zm_apartmentId", "A1")};
    // Neither stamp is linked to the living room, so both are stale.
    label.name = "first";
    const API_Guid first = host.AddLabel(label);
    label.name = "second";
    const API_Guid second = host.AddLabel(label);

    // Both went stale in step 2 after being current in step 1; before that the run had step 0.
    Run::SessionRecord record;
    record.staleAtStart = {first};
    record.steps.resize(3);
    record.steps[0].staleStamps = {first, second};
    record.steps[2].staleStamps = {first, second};

    struct Case {
        Json paletteRows;
        Json alerts;
        std::vector<bool> silent; // first, second
    };
    const std::vector<Case> cases = {
        {Json::array(), Json::array(), {true, true}},
        {Json::parse(R"([["0", "A1"]])"), Json::array(), {false, true}},
        {Json::parse(R"([["0", "A1"], ["0", "A1"]])"), Json::array(), {false, false}},
        {Json::parse(R"([["1", "A1"], ["0", "A2"]])"), Json::array(), {true, true}},
        {Json::array(),
         Json::parse(R"([{"step": 1, "id": 31012}, {"step": null, "id": 31001}])"),
         {true, true}},
        {Json::array(), Json::parse(R"([{"step": 2, "id": 31019}])"), {true, true}},
        {Json::array(), Json::parse(R"([{"step": 2, "id": 31012}])"), {false, false}},
        {Json::array(), Json::parse(R"([{"step": 2, "id": 31018}])"), {false, false}},
        {Json::array(), Json::parse(R"([{"step": 2, "id": 31001}])"), {false, false}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Json status = Report::StampStatusJson(host, record, cases[i].alerts, cases[i].paletteRows);
        ASSERT_EQ(status.size(), 2u);
        EXPECT_EQ(status["first"]["status"], "stale");
        EXPECT_EQ(status["first"]["staleSince"], 2);
        EXPECT_EQ(status["first"]["silentlyStale"], cases[i].silent[0]) << "case " << i;
        EXPECT_EQ(status["second"]["silentlyStale"], cases[i].silent[1]) << "case " << i;
    }
}

} // namespace
