#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/StampResync.hpp"
#include "ResourceIds.hpp"
#include "StampCreationSupport.hpp"

using namespace Zarimark;

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Values no update would write: a rewrite shows.
Headless::ParameterList Stale() {
    return {Headless::Parameter::NumberArray("zm_roomCats", 2, 1, {9.0, 9.0}),
            Headless::Parameter::NumberArray("zm_roomAreasInZari", 2, 4, {1, 2, 3, 4, 5, 6, 7, 8})};
}

class ResyncTest : public CreationTest {
protected:
    GSErrCode Resync(const std::vector<API_Guid>& stamps) {
        for (const API_Guid& stamp : stamps)
            stampSet.Add(stamp);
        before = p().CaptureEditAccess();
        p().ClearLogs();
        return p().host.HostCallUndoableCommand(GS::UniString("Update Zarimarks"),
                                                [&] { return ResyncStamps(stampSet, roomSet); });
    }

    std::vector<std::string> Calls(const char* operation) {
        std::vector<std::string> calls;
        for (const Headless::CallLogEntry& entry : p().host.GetCallLog()) {
            if (entry.operation == operation)
                calls.push_back(entry.arguments);
        }
        return calls;
    }

    GuidSet stampSet;
    GuidSet roomSet;
    EditAccessState before;
};

TEST_F(ResyncTest, StampOfApartmentNoRoomCarriesLosesLinksAndShowsPlaceholder) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", "A");
    const API_Guid s = p().Stamp("s", "Q", {a1, a2}, 0, Stale());

    ASSERT_EQ(Resync({s}), NoError);

    EXPECT_THAT(p().LinkNames(s), IsEmpty());
    EXPECT_THAT(p().LinkNames(a1), IsEmpty());
    EXPECT_THAT(p().LinkNames(a2), IsEmpty());
    EXPECT_THAT(p().Numbers(s, "zm_roomCats"), ElementsAre(-1.0));
    EXPECT_THAT(p().Numbers(s, "zm_roomAreasInZari"), ElementsAre(0.0, 0.0, 0.0, 0.0));
    EXPECT_THAT(p().Names(stampSet), IsEmpty());
    EXPECT_THAT(p().Names(roomSet), IsEmpty());
    EXPECT_EQ(p().LastUndoStep()->name.ToUtf8(), "Update Zarimarks");
}

TEST_F(ResyncTest, StampWithInconsistentRoomRelinkedButStaysWrong) {
    const API_Guid a1 = p().Room("a1", RoomPlan{"A", 1});
    const API_Guid a2 = p().Room("a2", RoomPlan{"A", 2, InconsistentAreas()});
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid s = p().Stamp("s", "A", {b1}, 0, Stale());

    ASSERT_EQ(Resync({s}), NoError);

    EXPECT_THAT(p().LinkNames(s), ElementsAre("a1", "a2"));
    EXPECT_THAT(p().LinkNames(a1), ElementsAre("s"));
    EXPECT_THAT(p().LinkNames(a2), ElementsAre("s"));
    EXPECT_THAT(p().LinkNames(b1), IsEmpty());
    // Stamp to room first, both when unlinking and when linking.
    EXPECT_THAT(Calls("HostUnlinkElements"), ElementsAre("s, b1", "b1, s"));
    EXPECT_THAT(Calls("HostLinkElements"), ElementsAre("s, a1", "a1, s", "s, a2", "a2, s"));
    EXPECT_THAT(p().Numbers(s, "zm_roomCats"), ElementsAre(1.0, 2.0));
    EXPECT_THAT(p().Names(stampSet), ElementsAre("s"));
    EXPECT_THAT(p().Names(roomSet), ElementsAre("a2"));
}

class ResyncLocked : public ResyncTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ResyncLocked, LockedStampUnlockedRewrittenRelocked) {
    const bool unlockFails = GetParam();
    p().Room("a1", RoomPlan{"A", 3});
    const API_Guid s1 = p().Stamp("s1", "A", {}, 1, Stale());
    const API_Guid s2 = p().Stamp("s2", "A", {}, 0, Stale());
    if (unlockFails)
        p().host.InjectFault("HostApplyElementTool", 1, InjectedCode);

    ASSERT_EQ(Resync({s1, s2}), NoError);

    ASSERT_FALSE(p().host.GetCallLog().empty());
    EXPECT_NE(p().Element(s1).element.header.lockId, 0);
    EXPECT_EQ(p().Element(s2).element.header.lockId, 0);
    EXPECT_THAT(p().Numbers(s2, "zm_roomCats"), ElementsAre(3.0));
    if (unlockFails) {
        EXPECT_THAT(p().Numbers(s1, "zm_roomCats"), ElementsAre(9.0, 9.0));
        EXPECT_THAT(p().Names(stampSet), ElementsAre("s1"));
    } else {
        EXPECT_THAT(p().Numbers(s1, "zm_roomCats"), ElementsAre(3.0));
        EXPECT_THAT(p().Names(stampSet), IsEmpty());
        EXPECT_THAT(Calls("HostApplyElementTool"), ::testing::Contains("'ULCK', s1"));
        EXPECT_THAT(Calls("HostApplyElementTool"), ::testing::Contains("'LOCK', s1"));
    }
    EXPECT_THAT(p().Names(roomSet), IsEmpty());
    ExpectSameEditAccess(before, p().CaptureEditAccess());
}

INSTANTIATE_TEST_SUITE_P(Unlock, ResyncLocked, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "ToolFails" : "ToolWorks";
                         });

TEST_F(ResyncTest, StampOnHiddenLockedLayerRewrittenLayerPutBack) {
    const API_AttributeIndex layer = p().host.AddLayer("Stamps");
    p().Room("a1", RoomPlan{"A", 3});
    const API_Guid s = p().Stamp("s", "A", {}, 0, Stale(), layer);
    ASSERT_TRUE(p().host.SetLayerFlags(layer, APILay_Hidden | APILay_Locked));

    ASSERT_EQ(Resync({s}), NoError);

    EXPECT_THAT(p().Numbers(s, "zm_roomCats"), ElementsAre(3.0));
    EXPECT_THAT(p().Names(stampSet), IsEmpty());
    EXPECT_EQ(p().host.FindLayer(layer)->flags, APILay_Hidden | APILay_Locked);
    ExpectSameEditAccess(before, p().CaptureEditAccess());
}

TEST_F(ResyncTest, DeclinedStampReservationProcessesReservedOnly) {
    p().host.SetTeamworkMode(true);
    const API_Guid a1 = p().Room("a1", "A");
    p().host.SetReservation(a1, Headless::Reservation::ThisUser);
    const API_Guid s1 = p().Stamp("s1", "A", {}, 0, Stale());
    const API_Guid s2 = p().Stamp("s2", "A", {}, 0, Stale());
    p().host.SetReservation(s1, Headless::Reservation::Free);
    p().host.SetReservation(s2, Headless::Reservation::ThisUser);
    p().user.Answer(ZM_ALERT_STAMPS_NOT_RESERVED, {2});

    ASSERT_EQ(Resync({s1, s2}), NoError);

    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_STAMPS_NOT_RESERVED));
    EXPECT_THAT(p().LinkNames(s2), ElementsAre("a1"));
    EXPECT_THAT(p().LinkNames(s1), IsEmpty());
    EXPECT_THAT(p().Numbers(s1, "zm_roomCats"), ElementsAre(9.0, 9.0));
    EXPECT_THAT(p().Names(stampSet), ElementsAre("s1"));
}

TEST_F(ResyncTest, EmptySetStillGroupsAllZones) {
    p().Room("a1", "A");
    p().Room("x1", RoomPlan{nullptr, 1, {}, 1});

    ASSERT_EQ(Resync({}), NoError);

    EXPECT_THAT(Calls("HostListElements"), ElementsAre("17, 0x00000000"));
    EXPECT_EQ(p().CallCount("HostGetElementMemo"), 2);
    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_MISSING_APARTMENT_ID));
    EXPECT_EQ(p().CallCount("HostChangeElement"), 0);
}

TEST_F(ResyncTest, EmptySetStillAsksToReserveProjectRooms) {
    p().host.SetTeamworkMode(true);
    p().Room("a1", "A");
    p().user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {2});

    EXPECT_EQ(Resync({}), ErrRoomReservationDeclined);

    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_ROOMS_NOT_RESERVED));
}

} // namespace
