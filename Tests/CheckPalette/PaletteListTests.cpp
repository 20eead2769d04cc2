#include "CheckPaletteSupport.hpp"
#include "ResourceIds.hpp"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Strings = std::vector<std::string>;

using PaletteListTest = PaletteTest;

TEST_F(PaletteListTest, CheckRoomsWithNoInconsistentRoomEmptiesTheRoomList) {
    const API_Guid first = Room("1", "A");
    const API_Guid second = Room("2", "A");
    const API_Guid stamp = Stamp("A", {first});
    Palette().AddInconsistentRooms({first, second});
    Palette().AddWrongStamps({stamp});
    ShowPalette();
    ASSERT_EQ(RoomNumbers(), (Strings{"1", "2"}));

    Click(5);
    EXPECT_THAT(RoomNumbers(), IsEmpty());
    EXPECT_EQ(StampIds(), Strings{"A"});
    EXPECT_THAT(Alerts(), IsEmpty());
}

TEST_F(PaletteListTest, CheckRoomsReplacesTheRoomListWithTheRoomsInconsistentNow) {
    const API_Guid stale = Room("1", "A");
    Room("2", "A", Inconsistent);
    Room("3", "B");
    Room("4", "B", Inconsistent);
    Palette().AddInconsistentRooms({stale});
    ShowPalette();

    Click(5);
    EXPECT_EQ(RoomNumbers(), (Strings{"2", "4"}));
    EXPECT_THAT(Alerts(), IsEmpty());
}

TEST_F(PaletteListTest, CheckRoomsFailureShowsTheCodeAndKeepsTheList) {
    const API_Guid listed = Room("1", "A");
    Room("2", "A", Inconsistent);
    Palette().AddInconsistentRooms({listed});
    ShowPalette();
    ASSERT_TRUE(host.InjectFault("HostListElements", 1, InjectedCode));

    Click(5);
    EXPECT_EQ(RoomNumbers(), Strings{"1"});
    ASSERT_EQ(AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_COMMAND_ERROR});
    EXPECT_NE(Alerts()[0].smallText.ToUtf8().find(std::string("Error Code: ") + InjectedCodeText + "\n"),
              std::string::npos)
        << Alerts()[0].smallText.ToUtf8();
}

TEST_F(PaletteListTest, RoomRowsShowNumberNameStoryAndApartmentId) {
    ThreeStories();
    Headless::ZoneDesc cellar;
    cellar.story = -1;
    cellar.roomName = "Cellar";
    Headless::ZoneDesc living;
    living.story = 1;
    living.roomName = "Living";
    Headless::ZoneDesc bath = living;
    bath.roomName = "Bath";
    const API_Guid withId = Room("0.01", "A1", Consistent, cellar);
    const API_Guid withoutId = Room("1.01", nullptr, Consistent, living);
    const API_Guid unreadable = Room("1.02", "B2", Consistent, bath);
    // One memo read per room: the third room's apartment ID cannot be read.
    ASSERT_TRUE(host.InjectFault("HostGetElementMemo", 3, InjectedCode));

    Palette().AddInconsistentRooms({withId, withoutId, unreadable});
    EXPECT_EQ(
        ListRows(4),
        (Rows{{"0.01", "Cellar", "-1", "A1"}, {"1.01", "Living", "1", "N/A"}, {"1.02", "Bath", "1", ""}}));

    Palette().AddInconsistentRooms({});
    EXPECT_EQ(ListRows(4).at(2), (Strings{"1.02", "Bath", "1", "B2"}));
}

TEST_F(PaletteListTest, DeletedRoomKeepsItsPlaceInTheSetButLosesItsRow) {
    const API_Guid first = Room("1", "A");
    const API_Guid third = Room("3", "A");
    const API_Guid fourth = Room("4", "A");
    const API_Guid deleted = Room("2", "A");
    Palette().AddInconsistentRooms({first, third, fourth, deleted});
    ASSERT_EQ(RoomNumbers(), (Strings{"1", "3", "4", "2"}));
    // Not observed: the add-on is not told.
    host.SetObserved(deleted, false);
    ASSERT_EQ(host.DeleteElements({deleted}), NoError);

    Palette().AddInconsistentRooms({});
    EXPECT_EQ(RoomNumbers(), (Strings{"1", "3", "4"}));
    // Still the set's last key, the deleted room fills the place of the removed first one.
    Palette().RemoveInconsistentRooms({first});
    EXPECT_EQ(RoomNumbers(), (Strings{"3", "4"}));
}

TEST_F(PaletteListTest, StampRowsShowStoryAndApartmentId) {
    ThreeStories();
    Headless::LabelDesc upstairs;
    upstairs.story = 1;
    Headless::LabelDesc basement;
    basement.story = -1;
    const API_Guid withId = Stamp("A1", {}, upstairs);
    const API_Guid withoutId = Stamp(nullptr, {}, basement);
    const API_Guid deleted = Stamp("C3", {});
    host.SetObserved(deleted, false);
    ASSERT_EQ(host.DeleteElements({deleted}), NoError);

    Palette().AddWrongStamps({withId, deleted, withoutId});
    EXPECT_EQ(ListRows(8), (Rows{{"1", "A1"}, {"-1", ""}}));
    EXPECT_THAT(ListRows(4), IsEmpty());
}

// The room list and the stamp list keep their sets' order alike.
struct ListKind {
    const char* name;
    short item;
    short keyField;
    void (*add)(CheckPalette&, const GuidSet&);
    void (CheckPalette::*remove)(const GuidSet&);
};

std::ostream& operator<<(std::ostream& out, const ListKind& kind) {
    return out << kind.name;
}

class PaletteOrderTest : public PaletteTest, public ::testing::WithParamInterface<ListKind> {
protected:
    // Four rooms or stamps whose key column reads "1" to "4".
    std::vector<API_Guid> Elements() {
        std::vector<API_Guid> elements;
        for (const char* key : {"1", "2", "3", "4"})
            elements.push_back(GetParam().item == 4 ? Room(key, "A") : Stamp(key, {}));
        return elements;
    }
    void Add(const GuidSet& set) { GetParam().add(Palette(), set); }
    void Remove(const GuidSet& set) { (Palette().*GetParam().remove)(set); }
    Strings Keys() const { return Column(GetParam().item, GetParam().keyField); }
};

TEST_P(PaletteOrderTest, TwoAddsOfOneElementMakeOneRow) {
    const std::vector<API_Guid> e = Elements();
    Add({e[0]});
    Add({e[0], e[1]});
    Add({e[1]});
    EXPECT_EQ(Keys(), (Strings{"1", "2"}));
}

TEST_P(PaletteOrderTest, RemovingAMiddleRowMovesTheLastRowIntoItsPlace) {
    const std::vector<API_Guid> e = Elements();
    Add({e[0], e[1], e[2], e[3]});
    Remove({e[1]});
    EXPECT_EQ(Keys(), (Strings{"1", "4", "3"}));
    Remove({e[1], e[3]}); // absent ones are passed over
    EXPECT_EQ(Keys(), (Strings{"1", "3"}));
    Add({e[1]});
    EXPECT_EQ(Keys(), (Strings{"1", "3", "2"}));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, PaletteOrderTest,
    ::testing::Values(
        ListKind{"Rooms", 4, 1, [](CheckPalette& p, const GuidSet& s) { p.AddInconsistentRooms(s); },
                 &CheckPalette::RemoveInconsistentRooms},
        ListKind{"Stamps", 8, 2,
                 [](CheckPalette& p, const GuidSet& s) { EXPECT_EQ(p.AddWrongStamps(s), NoError); },
                 &CheckPalette::RemoveWrongStamps}),
    [](const ::testing::TestParamInfo<ListKind>& info) { return std::string(info.param.name); });

} // namespace
