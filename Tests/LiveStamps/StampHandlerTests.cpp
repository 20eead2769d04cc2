#include "AddOn/ErrorCodes.hpp"
#include "LiveStampsSupport.hpp"
#include "ResourceIds.hpp"

using namespace Zarimark;

// What the user's edit or copy of a stamp does to its links.

namespace {

using Headless::Parameter;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Names = std::vector<std::string>;

class StampHandlers : public LiveStampsTest {
protected:
    void EditId(const API_Guid& stamp, const char* apartmentId) {
        p().Act([&] {
            EXPECT_EQ(p().host.EditParameters(stamp, {Parameter::Text("zm_apartmentId", apartmentId)}),
                      NoError);
        });
    }
};

TEST_F(StampHandlers, IdEditMovesTheStampToTheRoomsOfTheNewApartment) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", "A");
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid b2 = p().Room("b2", "B");
    const API_Guid s = p().Stamp("s", "A", {a1, a2});

    EditId(s, "B");

    EXPECT_EQ(p().LinkNames(s), (Names{"b1", "b2"}));
    EXPECT_THAT(p().LinkNames(a1), IsEmpty());
    EXPECT_THAT(p().LinkNames(a2), IsEmpty());
    EXPECT_EQ(p().LinkNames(b1), Names{"s"});
    EXPECT_EQ(p().LinkNames(b2), Names{"s"});
    EXPECT_EQ(p().StampId(s), "B");
    EXPECT_EQ(p().Rows(s), p().RowsOf({b1, b2}));
    EXPECT_EQ(p().CallCount("HostChangeElement", "s"), 1);
    EXPECT_THAT(p().AlertIds(), IsEmpty());
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError));
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), IsEmpty());
}

TEST_F(StampHandlers, RoomOfBothApartmentsKeepsItsLinks) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid r = p().Room("r", "B");
    const API_Guid b1 = p().Room("b1", "B");
    // A stale link: r already carries the new ID.
    const API_Guid s = p().Stamp("s", "A", {a1, r});

    EditId(s, "B");

    EXPECT_EQ(p().LinkNames(s), (Names{"r", "b1"}));
    EXPECT_EQ(p().LinkNames(r), Names{"s"});
    EXPECT_EQ(p().LinkNames(b1), Names{"s"});
    EXPECT_THAT(p().LinkNames(a1), IsEmpty());
    EXPECT_EQ(p().CallCount("HostUnlinkElements", "r, s"), 0);
    EXPECT_EQ(p().CallCount("HostUnlinkElements", "s, r"), 0);
    EXPECT_EQ(p().CallCount("HostUnlinkElements", "a1, s"), 1);
    EXPECT_EQ(p().Rows(s), p().RowsOf({r, b1}));
}

TEST_F(StampHandlers, IdNoRoomCarriesLeavesTheStampWithoutRooms) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", "A");
    const API_Guid s = p().Stamp("s", "A", {a1, a2});

    EditId(s, "Nowhere");

    EXPECT_THAT(p().LinkNames(s), IsEmpty());
    EXPECT_THAT(p().LinkNames(a1), IsEmpty());
    EXPECT_THAT(p().LinkNames(a2), IsEmpty());
    EXPECT_EQ(p().Rows(s), p().RowsOf({}));
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError));
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

TEST_F(StampHandlers, EditLeavingTheIdAloneRewritesWithoutRelinking) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid s = p().Stamp("s", "A", {a1});

    p().Act([&] { EXPECT_EQ(p().host.EditParameters(s, {Parameter::Real("zm_note", 3.0)}), NoError); });

    EXPECT_EQ(p().LinkNames(s), Names{"a1"});
    EXPECT_EQ(p().CallCount("HostLinkElements") + p().CallCount("HostUnlinkElements"), 0);
    EXPECT_EQ(p().CallCount("HostChangeElement", "s"), 1);
    EXPECT_EQ(p().Rows(s), p().RowsOf({a1}));
}

struct TeamworkIdEditCase {
    const char* name;
    short answer; // to the rooms' reservation alert
    const char* idAfter;
    Names stampLinks;
    int stampWrites;
};

void PrintTo(const TeamworkIdEditCase& c, std::ostream* out) {
    *out << c.name;
}

const TeamworkIdEditCase TeamworkIdEditCases[] = {
    {"DeclinedTurnsTheEditBack", 2, "A", {"a1"}, 1},
    {"AcceptedReservesAndRelinks", 1, "B", {"b1"}, 1},
};

class TeamworkIdEdit : public StampHandlers, public ::testing::WithParamInterface<TeamworkIdEditCase> {};

TEST_P(TeamworkIdEdit, AsksToReserveTheNewApartmentsRooms) {
    const TeamworkIdEditCase& c = GetParam();
    p().host.SetTeamworkMode(true);
    Headless::ZoneDesc mine;
    mine.reservation = Headless::Reservation::ThisUser;
    Headless::LabelDesc myStamp;
    myStamp.reservation = Headless::Reservation::ThisUser;
    const API_Guid a1 = p().Room("a1", "A", {}, mine);
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid s = p().Stamp("s", "A", {a1}, myStamp);
    p().user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {c.answer});

    EditId(s, "B");

    EXPECT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_ROOMS_NOT_RESERVED});
    EXPECT_EQ(p().StampId(s), c.idAfter);
    EXPECT_EQ(p().LinkNames(s), c.stampLinks);
    EXPECT_EQ(p().LinkNames(a1), c.answer == 1 ? Names{} : Names{"s"});
    EXPECT_EQ(p().LinkNames(b1), c.answer == 1 ? Names{"s"} : Names{});
    EXPECT_EQ(p().Element(b1).reservation,
              c.answer == 1 ? Headless::Reservation::ThisUser : Headless::Reservation::Free);
    EXPECT_EQ(p().CallCount("HostChangeElement", "s"), c.stampWrites);
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError));
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TeamworkIdEdit, ::testing::ValuesIn(TeamworkIdEditCases),
                         [](const ::testing::TestParamInfo<TeamworkIdEditCase>& info) {
                             return info.param.name;
                         });

TEST_F(StampHandlers, CopyShowsTheSameRoomsAndIsObserved) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", "A");
    const API_Guid s = p().Stamp("s", "A", {a1, a2});
    const std::vector<std::vector<double>> rows = p().Rows(s);
    API_Guid copy;

    p().Act([&] { EXPECT_EQ(p().host.CopyElement(s, {4.0, 0.0}, "copy", &copy), NoError); });

    EXPECT_TRUE(p().Element(copy).observed);
    EXPECT_EQ(p().LinkNames(copy), (Names{"a1", "a2"}));
    EXPECT_EQ(p().LinkNames(a1), (Names{"s", "copy"}));
    EXPECT_EQ(p().LinkNames(a2), (Names{"s", "copy"}));
    // The copy keeps the values it was copied with.
    EXPECT_EQ(p().CallCount("HostChangeElement"), 0);
    EXPECT_EQ(p().Rows(copy), rows);
    EXPECT_THAT(p().AlertIds(), IsEmpty());
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError));
}

TEST_F(StampHandlers, CopyWhoseRoomsTheUserWouldNotReserveIsDeleted) {
    p().host.SetTeamworkMode(true);
    const API_Guid a1 = p().Room("a1", "A");
    Headless::LabelDesc myStamp;
    myStamp.reservation = Headless::Reservation::ThisUser;
    const API_Guid s = p().Stamp("s", "A", {a1}, myStamp);
    p().user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {2});
    API_Guid copy;

    p().Act([&] { EXPECT_EQ(p().host.CopyElement(s, {4.0, 0.0}, "copy", &copy), NoError); });

    EXPECT_FALSE(p().Exists(copy));
    EXPECT_EQ(p().LinkNames(a1), Names{"s"});
    EXPECT_EQ(p().LinkNames(s), Names{"a1"});
    EXPECT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_ROOMS_NOT_RESERVED});
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError));
}

TEST_F(StampHandlers, PreviousStateWithoutIdListsTheStampWrong) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid s = p().Stamp("s", nullptr, {a1});

    EditId(s, "A");

    ASSERT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_EVENT_ERROR});
    EXPECT_NE(p().Alerts()[0].smallText.ToUtf8().find("Error Code: -2129788919\n"), std::string::npos);
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), ElementsAre("s"));
    EXPECT_EQ(p().LinkNames(s), Names{"a1"});
    EXPECT_EQ(p().CallCount("HostChangeElement"), 0);
}

TEST_F(StampHandlers, ZoneWhoseIdCannotBeReadStopsTheEditWithTheHostCode) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid s = p().Stamp("s", "A", {a1});
    // The stamp's new ID, then the zones in list order.
    ASSERT_TRUE(p().host.InjectFault("HostGetElementMemo", 2, InjectedCode));

    EditId(s, "B");

    ASSERT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_EVENT_ERROR});
    EXPECT_NE(p().Alerts()[0].smallText.ToUtf8().find("Error Code: " + std::to_string(InjectedCode) + "\n"),
              std::string::npos);
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), ElementsAre("s"));
    EXPECT_EQ(p().LinkNames(s), Names{"a1"});
    EXPECT_THAT(p().LinkNames(b1), IsEmpty());
}

TEST_F(StampHandlers, CopyWhoseSourceCannotBeReadIsReported) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid s = p().Stamp("s", "A", {a1});
    ASSERT_TRUE(p().host.InjectFault("HostGetParentElement", 1, InjectedCode));
    API_Guid copy;

    p().Act([&] { EXPECT_EQ(p().host.CopyElement(s, {4.0, 0.0}, "copy", &copy), NoError); });

    ASSERT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_EVENT_ERROR});
    EXPECT_NE(p().Alerts()[0].smallText.ToUtf8().find("Error Code: " + std::to_string(InjectedCode) + "\n"),
              std::string::npos);
    EXPECT_THAT(p().LinkNames(copy), IsEmpty());
    EXPECT_EQ(p().LinkNames(a1), Names{"s"});
}

} // namespace
