#include <gtest/gtest.h>

#include "Report/StampDisplay.hpp"

namespace {

using Headless::Parameter;
using Report::ComputeStampDisplay;

// A stamp of three rooms (categories 1, 3, 1) in a project whose category 2 was deleted.
Headless::ParameterList Stamp(std::vector<double> lines) {
    return {Parameter::Text("zm_apartmentId", "A1"),
            Parameter::NumberArray("zm_roomCats", 3, 1, {1, 3, 1}),
            Parameter::NumberArray("zm_roomAreasInZari", 3, 4, {20, 19, 18, 17, 6, 5, 4, 3, 10, 9, 8, 7}),
            Parameter::NumberArray("zm_ZoneCatExists", 3, 1, {1, 0, 1}),
            Parameter::TextArray("zm_ZoneCatCodes", 3, 1, {"LIV", "", ""}),
            Parameter::TextArray("zm_ZoneCatNames", 3, 1, {"Living", "", "Wet room"}),
            Parameter::NumberArray("zm_lines", static_cast<Int32>(lines.size()), 1, lines),
            Parameter::TextArray("zm_lineTexts", 1, 1, {"Area"}),
            Parameter::Real("zm_areaColumn", 1, APIParT_Integer),
            Parameter::Real("zm_decimals", 2, APIParT_Integer),
            Parameter::Text("zm_totalText", "Total"),
            Parameter::Text("zm_unitText", "m2")};
}

TEST(StampDisplayTest, EachLineSumsTheRoomsOfItsCategoryAndTheTotalCountsEveryRoom) {
    const Report::StampDisplay display = ComputeStampDisplay(Stamp({1, 3}));
    EXPECT_EQ(display.title, "A1");
    ASSERT_EQ(display.lines.size(), 2u);
    // Only the first line has a text; a code-less category shows its name.
    EXPECT_EQ(display.lines[0].text, "Area LIV");
    EXPECT_EQ(display.lines[0].value, "30.00 m2");
    EXPECT_EQ(display.lines[1].text, "Wet room");
    EXPECT_EQ(display.lines[1].value, "6.00 m2");
    EXPECT_EQ(display.total.text, "Total");
    EXPECT_EQ(display.total.value, "36.00 m2");
}

TEST(StampDisplayTest, TheAutomaticMarkerShowsNoLines) {
    const Report::StampDisplay display = ComputeStampDisplay(Stamp({-2}));
    EXPECT_TRUE(display.lines.empty());
    EXPECT_EQ(display.total.value, "36.00 m2");
}

TEST(StampDisplayTest, DeletedOrUnknownCategoriesShowTheirNumber) {
    const Report::StampDisplay display = ComputeStampDisplay(Stamp({2, 7, 1.5, -1}));
    ASSERT_EQ(display.lines.size(), 4u);
    EXPECT_EQ(display.lines[0].text, "Area #2");
    EXPECT_EQ(display.lines[0].value, "0.00 m2");
    EXPECT_EQ(display.lines[1].text, "#7");
    EXPECT_EQ(display.lines[2].text, "#2"); // 1.5 is no category index; shown rounded
    EXPECT_EQ(display.lines[3].text, "#-1");
}

TEST(StampDisplayTest, AreaColumnAndDecimalsAreClamped) {
    Headless::ParameterList stamp = Stamp({1});
    *Headless::FindParameter(stamp, "zm_areaColumn") = Parameter::Real("zm_areaColumn", 9, APIParT_Integer);
    *Headless::FindParameter(stamp, "zm_decimals") = Parameter::Real("zm_decimals", -3, APIParT_Integer);
    const Report::StampDisplay display = ComputeStampDisplay(stamp);
    ASSERT_EQ(display.lines.size(), 1u);
    EXPECT_EQ(display.lines[0].value, "24 m2"); // column 4: 17 + 7
    EXPECT_EQ(display.total.value, "27 m2");
}

TEST(StampDisplayTest, OnlyRowsEveryArrayHasAreRead) {
    Headless::ParameterList stamp = Stamp({1});
    *Headless::FindParameter(stamp, "zm_roomCats") = Parameter::NumberArray("zm_roomCats", 1, 1, {1});
    // A zone-category table shorter than the index: the category counts as unknown.
    *Headless::FindParameter(stamp, "zm_ZoneCatNames") = Parameter::TextArray("zm_ZoneCatNames", 0, 1, {});
    const Report::StampDisplay display = ComputeStampDisplay(stamp);
    ASSERT_EQ(display.lines.size(), 1u);
    EXPECT_EQ(display.lines[0].text, "Area #1");
    EXPECT_EQ(display.lines[0].value, "20.00 m2");
    EXPECT_EQ(display.total.value, "20.00 m2");
}

TEST(StampDisplayTest, AStampWithoutItsParametersShowsAnEmptyTotal) {
    const Report::StampDisplay display = ComputeStampDisplay({});
    EXPECT_EQ(display.title, "");
    EXPECT_TRUE(display.lines.empty());
    EXPECT_EQ(display.total.value, "0.00 m\xC2\xB2");
}

} // namespace
