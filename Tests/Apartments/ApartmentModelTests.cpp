#include <cstring>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "ApartmentTestSupport.hpp"

using namespace Zarimark;

using Headless::Parameter;

namespace {

std::vector<GS::UniString> Keys(const ApartmentRooms& apartments) {
    std::vector<GS::UniString> keys;
    for (const auto& entry : apartments)
        keys.push_back(entry.key);
    return keys;
}

std::vector<GS::UniString> Ids(const ApartmentIdSet& ids) {
    return std::vector<GS::UniString>(ids.begin(), ids.end());
}

} // namespace

using GroupRoomsTest = ApartmentTest;

TEST_F(GroupRoomsTest, IdsAreExactTextsKeptInFirstSeenOrder) {
    const API_Guid first = AddRoom("A1");
    const API_Guid lower = AddRoom("a1");
    const API_Guid blank = AddRoom(" A1");
    const API_Guid second = AddRoom("A1");
    ApartmentRooms apartments;

    EXPECT_EQ(GroupRoomsByApartmentId(Rooms({first, lower, blank, second}), apartments), NoError);

    EXPECT_EQ(Keys(apartments), (std::vector<GS::UniString>{"A1", "a1", " A1"}));
    EXPECT_EQ(ToVector(apartments.Get("A1")), (std::vector<API_Guid>{first, second}));
    EXPECT_EQ(ToVector(apartments.Get("a1")), std::vector<API_Guid>{lower});
    EXPECT_EQ(ToVector(apartments.Get(" A1")), std::vector<API_Guid>{blank});
}

TEST_F(GroupRoomsTest, EmptyIdIsAnOrdinaryApartment) {
    const API_Guid room = AddRoom("");
    ApartmentRooms apartments;

    EXPECT_EQ(GroupRoomsByApartmentId(Rooms({room}), apartments), NoError);

    ASSERT_TRUE(apartments.ContainsKey(""));
    EXPECT_EQ(ToVector(apartments.Get("")), std::vector<API_Guid>{room});
}

TEST_F(GroupRoomsTest, RoomWithoutIdIsLeftOutWhileOthersAreGrouped) {
    const API_Guid before = AddRoom("B2");
    const API_Guid withoutId = AddRoom(nullptr);
    const API_Guid after = AddRoom("B2");
    ApartmentRooms apartments;

    EXPECT_EQ(GroupRoomsByApartmentId(Rooms({before, withoutId, after}), apartments),
              ErrRoomsWithoutApartmentId);

    EXPECT_EQ(apartments.GetSize(), 1u);
    EXPECT_EQ(ToVector(apartments.Get("B2")), (std::vector<API_Guid>{before, after}));
}

TEST_F(GroupRoomsTest, DuplicatesAreKeptAndTheTableIsAddedTo) {
    const API_Guid room = AddRoom("C3");
    const API_Guid earlier = AddRoom("Z9");
    ApartmentRooms apartments = MakeApartmentRooms("C3", Rooms({earlier}));

    EXPECT_EQ(GroupRoomsByApartmentId(Rooms({room, room}), apartments), NoError);
    EXPECT_EQ(GroupRoomsByApartmentId({}, apartments), NoError);

    EXPECT_EQ(ToVector(apartments.Get("C3")), (std::vector<API_Guid>{earlier, room, room}));
}

TEST_F(GroupRoomsTest, HostErrorStopsAtTheFailingRoomKeepingEarlierOnes) {
    const API_Guid first = AddRoom("D4");
    const API_Guid second = AddRoom("D4");
    const API_Guid third = AddRoom("D4");
    const API_Guid fourth = AddRoom("E5");
    ApartmentRooms apartments;
    host.InjectFault("HostGetElement", 3, APIERR_GENERAL);

    EXPECT_EQ(GroupRoomsByApartmentId(Rooms({first, second, third, fourth}), apartments), APIERR_GENERAL);

    EXPECT_EQ(Keys(apartments), std::vector<GS::UniString>{"D4"});
    EXPECT_EQ(ToVector(apartments.Get("D4")), (std::vector<API_Guid>{first, second}));
}

using FindParameterTextTest = ApartmentTest;

TEST_F(FindParameterTextTest, FirstOfTwoEqualNamesWins) {
    const API_Guid room =
        AddRoomWithParameters({Parameter::Real("area", 3.0), Parameter::Text("stApartmentId", "first"),
                               Parameter::Text("stApartmentId", "second")},
                              {}, 0);
    ApartmentRooms apartments;

    EXPECT_EQ(GroupRoomsByApartmentId(Rooms({room}), apartments), NoError);

    EXPECT_EQ(Keys(apartments), std::vector<GS::UniString>{"first"});
}

TEST_F(FindParameterTextTest, MissingNameLeavesTheTextUntouched) {
    ParameterHandle params({Parameter::Text("zm_apartmentId", "X")});
    GS::UniString text = "kept";

    EXPECT_EQ(FindParameterText(params.Get(), "stApartmentId", text), ErrParameterNotFound);
    EXPECT_EQ(FindParameterText(nullptr, "stApartmentId", text), ErrParameterNotFound);

    EXPECT_EQ(text, GS::UniString("kept"));
}

TEST_F(FindParameterTextTest, NamesCompareAsTheHostDoesAndWhole) {
    ParameterHandle params({Parameter::Text("stApartmentId", "A1"), Parameter::Text("zm_lineTexts", "L")});
    GS::UniString text;

    EXPECT_EQ(FindParameterText(params.Get(), "STAPARTMENTID", text), NoError);
    EXPECT_EQ(text, GS::UniString("A1"));
    EXPECT_EQ(FindParameterText(params.Get(), "zm_lines", text), ErrParameterNotFound);
    EXPECT_EQ(FindParameterText(params.Get(), "stApartmentIdX", text), ErrParameterNotFound);
}

TEST_F(FindParameterTextTest, NameFillingTheWholeFieldIsNotReadPastItsEnd) {
    Parameter full = Parameter::Text("placeholder", "whole");
    std::memset(full.record.name, 'n', API_NameLen);
    // What lies behind the name field must not lengthen the name.
    full.record.uDescname[0] = u'n';
    ParameterHandle params({full});
    const std::string exact(API_NameLen, 'n');
    GS::UniString text;

    EXPECT_EQ(FindParameterText(params.Get(), (exact + "n").c_str(), text), ErrParameterNotFound);
    EXPECT_EQ(FindParameterText(params.Get(), exact.c_str(), text), NoError);
    EXPECT_EQ(text, GS::UniString("whole"));
}

TEST_F(FindParameterTextTest, ANumberUnderTheNameIsNoText) {
    ParameterHandle params(
        {Parameter::Real("stApartmentId", 12.0), Parameter::Text("stApartmentId", "late")});
    GS::UniString text = "kept";

    EXPECT_EQ(FindParameterText(params.Get(), "stApartmentId", text), ErrParameterNotFound);
    EXPECT_EQ(text, GS::UniString("kept"));
}

TEST_F(FindParameterTextTest, ElementReadPassesHostErrorsThrough) {
    const API_Guid room = AddRoom("F6");
    GS::UniString text = "kept";
    host.InjectFault("HostGetElementMemo", 1, APIERR_BADELEMENT);

    EXPECT_EQ(ReadElementParameterText(room, "stApartmentId", text), APIERR_BADELEMENT);
    EXPECT_EQ(text, GS::UniString("kept"));
    EXPECT_EQ(ReadElementParameterText(room, "stApartmentId", text), NoError);
    EXPECT_EQ(text, GS::UniString("F6"));
}

using CollectApartmentIdsTest = ApartmentTest;

TEST_F(CollectApartmentIdsTest, DistinctIdsOfTheCurrentStoryInListOrder) {
    host.SetStories({{0, "Ground Floor", 0.0}, {1, "First Floor", 3.0}});
    AddRoom("B");
    AddRoom("A");
    AddRoom("B");
    Headless::ZoneDesc upstairs;
    upstairs.story = 1;
    upstairs.parameters = {Parameter::Text("stApartmentId", "C")};
    host.AddZone(upstairs);
    ApartmentIdSet ids = {"stale"};

    EXPECT_EQ(CollectApartmentIds(ids), NoError);

    EXPECT_EQ(Ids(ids), (std::vector<GS::UniString>{"B", "A"}));
}

TEST_F(CollectApartmentIdsTest, UnreadableZoneIsSkippedAndCountsAsWithoutId) {
    AddRoom("A");
    AddRoom("B");
    ApartmentIdSet ids;
    host.InjectFault("HostGetElementMemo", 1, APIERR_GENERAL);

    EXPECT_EQ(CollectApartmentIds(ids), ErrRoomsWithoutApartmentId);

    EXPECT_EQ(Ids(ids), std::vector<GS::UniString>{"B"});
}

TEST_F(CollectApartmentIdsTest, ZoneWithoutParameterIsReported) {
    AddRoom(nullptr);
    AddRoom("A");
    ApartmentIdSet ids;

    EXPECT_EQ(CollectApartmentIds(ids), ErrRoomsWithoutApartmentId);

    EXPECT_EQ(Ids(ids), std::vector<GS::UniString>{"A"});
}

TEST_F(CollectApartmentIdsTest, ListingErrorLeavesTheSetEmpty) {
    AddRoom("A");
    ApartmentIdSet ids = {"stale"};
    host.InjectFault("HostListElements", 1, APIERR_GENERAL);

    EXPECT_EQ(CollectApartmentIds(ids), APIERR_GENERAL);

    EXPECT_TRUE(ids.IsEmpty());
}
