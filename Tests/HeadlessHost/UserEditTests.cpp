#include "FakeAddOn.hpp"

using namespace Headless;

// Grouping, zone areas, the label tool's part and zone categories at an index, as the user
// changes them.

TEST_F(HostTest, UngroupingDissolvesWholeGroupsAllOrNothingAndNobodyIsTold) {
    const API_Guid a = AddObservedRoom("a", "A");
    const API_Guid b = AddObservedRoom("b", "A");
    const API_Guid c = AddObservedRoom("c", "A");
    const API_Guid free = AddObservedRoom("free", "A");
    const API_Guid ab = host.GroupElements({a, b});
    host.GroupElements({c});
    EXPECT_EQ(ChangeApartment(a, "B"), APIERR_GROUPED); // grouped, groups not suspended

    EXPECT_EQ(host.UngroupElements({a, free}), APIERR_BADPARS);
    EXPECT_EQ(host.FindElement(b)->element.header.groupGuid, ab);
    EXPECT_EQ(host.UngroupElements({a}), NoError);
    EXPECT_EQ(host.FindElement(b)->element.header.groupGuid, APINULLGuid);
    EXPECT_NE(host.FindElement(c)->element.header.groupGuid, APINULLGuid);
    EXPECT_EQ(host.UngroupElements({b}), APIERR_BADPARS);
    EXPECT_EQ(FakeAddOn::Trace(), "");
    EXPECT_EQ(ChangeApartment(a, "B"), NoError);
}

TEST_F(HostTest, AreasKeptByAZoneChangeNoLongerFollowTheOutline) {
    ZoneDesc desc;
    desc.polygon = {{0, 0}, {4, 0}, {4, 5}, {0, 5}};
    const API_Guid zone = host.AddZone(desc);
    ZoneChange change;
    change.areas = ZoneAreaDesc{std::nullopt, 5.0, std::nullopt, std::nullopt, std::nullopt};
    ASSERT_EQ(host.ChangeZone(zone, change), NoError);
    ASSERT_EQ(host.EditZonePolygon(zone, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}), NoError);
    const ZoneAreas& areas = host.FindElement(zone)->areas;
    EXPECT_EQ((std::vector<double>{areas.a, areas.b, areas.c, areas.d, areas.e}),
              (std::vector<double>{20, 5, 20, 20, 0}));
}

TEST_F(HostTest, TheLabelToolPlacesAnotherPartWithThatPartsDefaults) {
    LibPartDesc tag;
    tag.name = "Tag.gsm";
    tag.parameters = {Parameter::Text("text", "x")};
    const Int32 tagIndex = host.AddLibraryPart(tag);
    LibPartDesc mark;
    mark.name = "Mark.gsm";
    mark.parameters = {Parameter::Real("size", 2.0)};
    API_Element defaults;
    defaults.header.layer = 1;
    defaults.label.libInd = host.AddLibraryPart(mark);
    host.SetLabelDefaults(defaults, {Parameter::Real("size", 3.0)});

    API_Guid label;
    ASSERT_EQ(host.PlaceLabel(LabelPlacement{"tag", {1, 1}, APINULLGuid, tagIndex}, &label), NoError);
    EXPECT_EQ(host.FindElement(label)->element.label.libInd, tagIndex);
    EXPECT_EQ(host.FindElement(label)->parameters.at(0).GetName(), "text");
    // The defaults' own part keeps the defaults' values.
    ASSERT_EQ(host.PlaceLabel(LabelPlacement{"mark", {1, 1}, APINULLGuid, defaults.label.libInd}, &label),
              NoError);
    EXPECT_DOUBLE_EQ(host.FindElement(label)->parameters.at(0).GetReal(), 3.0);
    EXPECT_EQ(host.PlaceLabel(LabelPlacement{"none", {1, 1}, APINULLGuid, 99}), APIERR_BADPARS);
}

TEST_F(HostTest, ZoneCategoriesAtAnIndexLeaveGapsAndTakeOnlyFreeIndices) {
    host.AddZoneCategory("LIV", "Living");
    host.AddZoneCategory("BTH", "Bath");
    ASSERT_TRUE(host.DeleteZoneCategory(2));
    EXPECT_FALSE(host.AddZoneCategoryAt(1, "X", "Taken"));
    EXPECT_FALSE(host.AddZoneCategoryAt(0, "X", "None"));
    EXPECT_TRUE(host.AddZoneCategoryAt(5, "BAL", "Balcony"));
    EXPECT_TRUE(host.GetProject().zoneCategories.IsGap(4));
    EXPECT_TRUE(host.AddZoneCategoryAt(2, "WET", "Wet room")); // a deleted index is free again
    EXPECT_EQ(host.FindZoneCategory(2)->name, "Wet room");
    EXPECT_EQ(host.FindZoneCategory(5)->code, GS::UniString("BAL"));
    EXPECT_EQ(host.AddZoneCategory("STO", "Storage"), 6);
}
