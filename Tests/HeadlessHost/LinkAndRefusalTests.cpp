#include "FakeAddOn.hpp"

using namespace Headless;

namespace {

std::vector<std::string> LinkNames(HeadlessHost& host, const API_Guid& guid) {
    GS::Array<API_Guid> links;
    EXPECT_EQ(host.HostGetElementLinks(guid, &links), NoError);
    std::vector<std::string> names;
    for (const API_Guid& linked : links)
        names.push_back(host.GetElementName(linked));
    return names;
}

} // namespace

TEST_F(HostTest, LinksKeepTheirOrderAndReportMissingOnes) {
    const API_Guid stamp = AddRoom("stamp", "A");
    const API_Guid a = AddRoom("a", "A");
    const API_Guid b = AddRoom("b", "A");
    const API_Guid c = AddRoom("c", "A");
    for (const API_Guid& room : {a, b, c})
        ASSERT_EQ(host.HostLinkElements(stamp, room, 0), NoError);
    EXPECT_EQ(host.HostLinkElements(stamp, b, 0), NoError); // linking again keeps one link
    EXPECT_EQ(LinkNames(host, stamp), (std::vector<std::string>{"a", "b", "c"}));

    EXPECT_EQ(host.HostUnlinkElements(stamp, a), NoError);
    EXPECT_EQ(LinkNames(host, stamp), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(host.HostUnlinkElements(stamp, a), APIERR_LINKNOTEXIST);
    EXPECT_EQ(host.HostUnlinkElements(a, stamp), APIERR_LINKNOTEXIST); // links are directed
    EXPECT_TRUE(LinkNames(host, a).empty());

    API_Guid unknown;
    unknown.time_low = 0xDEAD;
    EXPECT_EQ(host.HostLinkElements(stamp, unknown, 0), APIERR_BADELEMENT);
    GS::Array<API_Guid> links;
    EXPECT_EQ(host.HostGetElementLinks(unknown, &links), APIERR_BADELEMENT);
}

TEST_F(HostTest, ObserversAttachOnceAndDetachOnlyWhenAttached) {
    const API_Guid room = AddRoom("r1", "A");
    EXPECT_EQ(host.HostAttachElementObserver(room, 0), NoError);
    EXPECT_EQ(host.HostAttachElementObserver(room, 0), APIERR_LINKEXIST);
    EXPECT_EQ(host.HostDetachElementObserver(room), NoError);
    EXPECT_EQ(host.HostDetachElementObserver(room), APIERR_LINKNOTEXIST);
    API_Guid unknown;
    unknown.time_low = 0xDEAD;
    EXPECT_EQ(host.HostAttachElementObserver(unknown, 0), APIERR_BADELEMENT);
}

TEST_F(HostTest, EachRefusalCauseHasItsOwnCode) {
    const API_Guid room = AddRoom("r1", "A");
    const API_AttributeIndex hidden = host.AddLayer("hidden", APILay_Hidden);
    const API_AttributeIndex locked = host.AddLayer("locked", APILay_Locked);
    auto moveTo = [&](API_AttributeIndex layer) {
        ZoneChange change;
        change.layer = layer;
        ASSERT_EQ(host.ChangeZone(room, change), NoError);
    };

    host.SetElementLock(room, 3);
    EXPECT_EQ(ChangeApartment(room, "B"), APIERR_LOCKEDELEM);
    EXPECT_EQ(host.HostDeleteElements({room}), APIERR_LOCKEDELEM);
    EXPECT_EQ(host.MoveElement(room, {1, 0}), APIERR_LOCKEDELEM); // the user is refused too
    host.SetElementLock(room, 0);

    moveTo(hidden);
    EXPECT_EQ(ChangeApartment(room, "B"), APIERR_LAYERHIDDEN);
    host.SetElementLock(room, 1);
    EXPECT_EQ(ChangeApartment(room, "B"), APIERR_LOCKEDELEM); // the lock is tested first
    host.SetElementLock(room, 0);
    host.SetLayerFlags(hidden, 0);
    moveTo(locked);
    EXPECT_EQ(ChangeApartment(room, "B"), APIERR_LAYERLOCKED);
    host.SetLayerFlags(locked, APILay_Locked | APILay_Hidden);
    EXPECT_EQ(ChangeApartment(room, "B"), APIERR_LAYERHIDDEN);
    host.SetLayerFlags(locked, 0);

    host.SetTeamworkMode(true);
    EXPECT_EQ(ChangeApartment(room, "B"), APIERR_NOTMINE);
    host.SetReservation(room, Reservation::ThisUser);
    host.GroupElements({room});
    EXPECT_EQ(ChangeApartment(room, "B"), APIERR_GROUPED);
    EXPECT_EQ(host.HostApplyElementTool({}, APITool_SuspendGroups), NoError);
    bool suspended = false;
    host.HostIsSuspendGroupOn(&suspended);
    EXPECT_TRUE(suspended);
    EXPECT_EQ(ChangeApartment(room, "B"), NoError);
    EXPECT_EQ(ApartmentOf(room), "B");
    EXPECT_EQ(FakeAddOn::Trace(), ""); // refused changes tell nothing; the room is not observed
}

TEST_F(HostTest, LockToolsSetAndClearTheLockOfListedElements) {
    const API_Guid a = AddRoom("a", "A");
    const API_Guid b = AddRoom("b", "A");
    EXPECT_EQ(host.HostApplyElementTool({a, b}, APITool_Lock), NoError);
    EXPECT_NE(Read(a).header.lockId, 0);
    EXPECT_NE(Read(b).header.lockId, 0);
    EXPECT_EQ(host.HostApplyElementTool({a}, APITool_Unlock), NoError);
    EXPECT_EQ(Read(a).header.lockId, 0);
    EXPECT_NE(Read(b).header.lockId, 0);
    EXPECT_EQ(host.HostApplyElementTool({a}, MakeFourCharCode('X', 'X', 'X', 'X')), APIERR_BADPARS);
}

TEST_F(HostTest, ReservationSucceedsPartlyAndTheWorkspaceFilterFollowsIt) {
    host.SetStories({{0, "Ground", 0.0}, {1, "First", 3.0}});
    const API_Guid free = AddRoom("free", "A");
    const API_Guid held = AddRoom("held", "A");
    const API_Guid other = AddRoom("other", "A", 1);
    host.SetReservation(held, Reservation::OtherMember);

    // Outside Teamwork every element is in the workspace.
    EXPECT_TRUE(host.HostFilterElement(held, APIFilt_InMyWorkspace, 0, APINULLGuid));
    host.SetTeamworkMode(true);
    EXPECT_FALSE(host.HostFilterElement(free, APIFilt_InMyWorkspace, 0, APINULLGuid));

    GS::HashTable<API_Guid, Int16> conflicts;
    EXPECT_EQ(host.HostReserveElements({free, held}, &conflicts, true), NoError);
    EXPECT_TRUE(host.HostFilterElement(free, APIFilt_InMyWorkspace, 0, APINULLGuid));
    EXPECT_FALSE(host.HostFilterElement(held, APIFilt_InMyWorkspace, 0, APINULLGuid));
    EXPECT_EQ(conflicts.GetSize(), 1u);
    EXPECT_TRUE(conflicts.ContainsKey(held));

    GS::Array<API_Guid> list;
    ASSERT_EQ(host.HostListElements(API_ZoneID, &list, APIFilt_CurrentStory, APINULLGuid), NoError);
    EXPECT_EQ(list.GetSize(), 2u);
    host.SetCurrentStory(1);
    ASSERT_EQ(host.HostListElements(API_ZoneID, &list, APIFilt_CurrentStory, APINULLGuid), NoError);
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list[0], other);
    ASSERT_EQ(host.HostListElements(API_ZoneID, &list, APIFilt_IsInStructureDisplay, APINULLGuid), NoError);
    EXPECT_EQ(list.GetSize(), 3u);
    ASSERT_EQ(host.HostListElements(API_ZoneID, &list, APIFilt_InMyWorkspace, APINULLGuid), NoError);
    EXPECT_EQ(list.GetSize(), 1u);
}

TEST_F(HostTest, SelectionGivesNeigsOrNothingSelected) {
    const API_Guid room = AddRoom("r1", "A");
    WallDesc wallDesc;
    const API_Guid wall = host.AddWall(wallDesc);
    API_SelectionInfo info;
    GS::Array<API_Neig> neigs;
    EXPECT_EQ(host.HostGetSelection(&info, &neigs, false, true, 0), APIERR_NOSEL);
    EXPECT_EQ(info.sel_nElem, 0);

    host.SetSelection({wall, room});
    ASSERT_EQ(host.HostGetSelection(&info, &neigs, false, true, 0), NoError);
    ASSERT_EQ(neigs.GetSize(), 2u);
    API_ElemType type;
    EXPECT_EQ(host.HostNeigToElementType(neigs[0], &type), NoError);
    EXPECT_EQ(type.typeID, API_WallID);
    EXPECT_EQ(host.HostNeigToElementType(neigs[1], &type), NoError);
    EXPECT_EQ(type.typeID, API_ZoneID);

    host.DeleteElements({room, wall});
    EXPECT_EQ(host.HostGetSelection(&info, &neigs, false, true, 0), APIERR_NOSEL);
}
