#include "FakeAddOn.hpp"

using namespace Headless;

namespace {

GSErrCode GetAttribute(HeadlessHost& host, Int16 type, API_AttributeIndex index, API_Attribute* attribute) {
    *attribute = API_Attribute();
    attribute->header.typeID = type;
    attribute->header.index = index;
    return host.HostGetAttribute(attribute);
}

} // namespace

TEST_F(HostTest, DeletedZoneCategoriesLeaveGaps) {
    host.AddZoneCategory("LIV", "Living");
    host.AddZoneCategory("BTH", "Bath");
    host.AddZoneCategory("KIT", "Kitchen");
    host.AddZoneCategory("STO", "Storage");
    ASSERT_TRUE(host.DeleteZoneCategory(3));
    ASSERT_TRUE(host.DeleteZoneCategory(4));

    API_Attribute attribute;
    ASSERT_EQ(GetAttribute(host, API_ZoneCatID, 2, &attribute), NoError);
    EXPECT_STREQ(attribute.header.name, "Bath");
    EXPECT_EQ(GS::UniString(attribute.zoneCat.catCode), "BTH");
    EXPECT_EQ(GetAttribute(host, API_ZoneCatID, 3, &attribute), APIERR_BADINDEX);
    EXPECT_EQ(GetAttribute(host, API_ZoneCatID, 4, &attribute), APIERR_BADINDEX);
    EXPECT_EQ(GetAttribute(host, API_ZoneCatID, 5, &attribute), APIERR_BADELEMENT);
    EXPECT_EQ(GetAttribute(host, API_ZoneCatID, 0, &attribute), APIERR_BADELEMENT);
    EXPECT_EQ(GetAttribute(host, 99, 1, &attribute), APIERR_BADID);

    std::vector<API_AttributeIndex> visited;
    EXPECT_EQ(host.HostEnumerateAttributes(
                  API_ZoneCatID, [&](const API_Attr_Head& header) { visited.push_back(header.index); }),
              NoError);
    EXPECT_EQ(visited, (std::vector<API_AttributeIndex>{1, 2}));
    EXPECT_EQ(host.AddZoneCategory("NEW", "New"), 5); // indices are never reused
}

TEST_F(HostTest, LayerCombinationsApplyAndDirectFlagChangesLeaveThem) {
    const API_AttributeIndex second = host.AddLayer("Labels");
    const API_AttributeIndex combination =
        host.AddLayerCombination("Plan", {{1, APILay_Hidden}, {second, 0}});
    EXPECT_EQ(host.HostSetLayerCombination(combination), NoError);
    API_AttributeIndex current = 0;
    host.HostGetLayerCombination(&current);
    EXPECT_EQ(current, combination);
    EXPECT_EQ(host.FindLayer(1)->flags, APILay_Hidden);

    API_Attribute layer;
    ASSERT_EQ(GetAttribute(host, API_LayerID, 1, &layer), NoError);
    EXPECT_EQ(layer.header.flags, APILay_Hidden);
    layer.header.flags = 0;
    EXPECT_EQ(host.HostModifyAttribute(&layer), NoError);
    host.HostGetLayerCombination(&current);
    EXPECT_EQ(current, 0);
    EXPECT_EQ(host.FindLayer(1)->flags, 0);

    EXPECT_EQ(host.HostSetLayerCombination(combination), NoError);
    EXPECT_EQ(host.FindLayer(1)->flags, APILay_Hidden);
    EXPECT_EQ(host.HostSetLayerCombination(7), APIERR_BADINDEX);
}

TEST_F(HostTest, UndoRestoresTheStateBeforeTheLastStep) {
    const API_Guid room = AddRoom("r1", "A");
    GSErrCode result = host.HostCallUndoableCommand("Create Zarimark", [&] {
        EXPECT_EQ(ChangeApartment(room, "B"), NoError);
        API_Element label;
        label.header.type.typeID = API_LabelID;
        label.header.layer = 1;
        EXPECT_EQ(host.HostCreateElement(&label, nullptr), NoError);
        return NoError;
    });
    EXPECT_EQ(result, NoError);
    // A failing command keeps what it changed before failing; its step is recorded too.
    result = host.HostCallUndoableCommand("Update Zarimarks", [&] {
        ChangeApartment(room, "C");
        return APIERR_GENERAL;
    });
    EXPECT_EQ(result, APIERR_GENERAL);
    EXPECT_EQ(ApartmentOf(room), "C");
    ASSERT_EQ(host.GetUndoSteps().size(), 2u);
    EXPECT_EQ(host.GetUndoSteps()[1].name, "Update Zarimarks");
    EXPECT_EQ(host.GetUndoSteps()[1].result, APIERR_GENERAL);

    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(ApartmentOf(room), "B");
    EXPECT_EQ(host.GetElements(API_LabelID).size(), 1u);
    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(ApartmentOf(room), "A");
    EXPECT_TRUE(host.GetElements(API_LabelID).empty());
    EXPECT_FALSE(host.Undo());
    EXPECT_TRUE(host.GetUndoSteps()[0].undone);
}

TEST_F(HostTest, NestedUndoableCommandsJoinTheOuterStep) {
    const API_Guid room = AddRoom("r1", "A");
    host.HostCallUndoableCommand("Outer", [&] {
        return host.HostCallUndoableCommand("Inner", [&] { return ChangeApartment(room, "B"); });
    });
    EXPECT_EQ(host.GetUndoSteps().size(), 1u);
    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(ApartmentOf(room), "A");
}

TEST_F(HostTest, StoryInfoListsStoriesAndTheCurrentOne) {
    host.SetStories({{1, "First", 3.0}, {0, "Ground", 0.0}, {2, "Second", 6.0}});
    host.SetCurrentStory(1);
    API_StoryInfo info;
    ASSERT_EQ(host.HostGetStoryInfo(&info), NoError);
    EXPECT_EQ(info.firstStory, 0);
    EXPECT_EQ(info.lastStory, 2);
    EXPECT_EQ(info.actStory, 1);
    ASSERT_EQ(BMGetHandleSize(reinterpret_cast<GSConstHandle>(info.data)), 3 * GSSize(sizeof(API_StoryType)));
    EXPECT_DOUBLE_EQ((*info.data)[2].level, 6.0);
    EXPECT_EQ(GS::UniString((*info.data)[1].uName), "First");
    BMKillHandle(reinterpret_cast<GSHandle*>(&info.data));
    EXPECT_FALSE(host.SetCurrentStory(5));
}
