#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "ApartmentTestSupport.hpp"

using namespace Zarimark;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct ConsistencyCase {
    const char* what;
    RoomAreas areas;
    bool consistent;
};

void PrintTo(const ConsistencyCase& c, std::ostream* os) {
    *os << c.what;
}

class ConsistencyTest : public ::testing::TestWithParam<ConsistencyCase> {};

TEST_P(ConsistencyTest, ThreeDifferencesAgainstTheTolerance) {
    EXPECT_EQ(AreRoomAreasConsistent(GetParam().areas), GetParam().consistent);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, ConsistencyTest,
    ::testing::Values(ConsistencyCase{"all differences zero", {20, 20, 18, 18, 0}, true},
                      ConsistencyCase{"B just inside", {20, 20.00009, 18, 18, 0}, true},
                      ConsistencyCase{"B outside", {20, 20.0002, 18, 18, 0}, false},
                      ConsistencyCase{"B at the edge, as doubles give it", {20, 20.0001, 18, 18, 0}, true},
                      ConsistencyCase{"E makes up for A", {19, 20, 18, 18, 1}, true},
                      ConsistencyCase{"C above B", {20, 20, 20.0002, 18, 0}, false},
                      ConsistencyCase{"C below D", {20, 20, 18, 18.0002, 0}, false},
                      ConsistencyCase{
                          "sum first, then the difference", {1e16, 1e16 + 2, 1e16 + 2, 1e16 + 2, 1.5}, true},
                      ConsistencyCase{"NaN in A", {NaN, 20, 18, 18, 0}, false},
                      ConsistencyCase{"NaN in E", {20, 20, 18, 18, NaN}, false}));

Headless::ZoneAreas Consistent() {
    return {20, 20, 18, 18, 0};
}

Headless::ZoneAreas Inconsistent() {
    return {20, 20.0002, 18, 18, 0};
}

std::vector<API_Guid> Members(const GS::HashSet<API_Guid>& set) {
    return std::vector<API_Guid>(set.begin(), set.end());
}

} // namespace

using CheckRoomAreasTest = ApartmentTest;

TEST_F(CheckRoomAreasTest, InconsistentRoomsJoinTheCallersSet) {
    const API_Guid good = AddRoom("A", Consistent());
    const API_Guid bad = AddRoom("A", Inconsistent());
    const API_Guid earlier = AddRoom("B", Inconsistent());
    GS::HashSet<API_Guid> found = {earlier};

    EXPECT_EQ(CheckRoomAreas(Rooms({good, bad, bad}), found), ErrInconsistentRooms);

    EXPECT_EQ(Members(found), (std::vector<API_Guid>{earlier, bad}));
}

TEST_F(CheckRoomAreasTest, AlreadyListedRoomStillMakesTheResult) {
    const API_Guid bad = AddRoom("A", Inconsistent());
    GS::HashSet<API_Guid> found = {bad};

    EXPECT_EQ(CheckRoomAreas(Rooms({bad}), found), ErrInconsistentRooms);
    EXPECT_EQ(found.GetSize(), 1u);
}

TEST_F(CheckRoomAreasTest, DeletedRoomsAreSkipped) {
    const API_Guid gone = AddRoom("A", Inconsistent());
    const API_Guid good = AddRoom("A", Consistent());
    ASSERT_EQ(host.DeleteElements({gone}), NoError);
    GS::HashSet<API_Guid> found;

    EXPECT_EQ(CheckRoomAreas(Rooms({gone, good}), found), NoError);
    EXPECT_EQ(CheckRoomAreas(Rooms({gone}), found), NoError);

    EXPECT_TRUE(found.IsEmpty());
}

TEST_F(CheckRoomAreasTest, RoomVanishingAfterItsHeaderIsNotMistakenForTheNext) {
    const API_Guid good = AddRoom("A", Consistent());
    const API_Guid vanishing = AddRoom("A", Consistent());
    const API_Guid bad = AddRoom("A", Inconsistent());
    host.InjectFault("HostGetElement", 2, APIERR_BADELEMENT);
    GS::HashSet<API_Guid> found;

    EXPECT_EQ(CheckRoomAreas(Rooms({good, vanishing, bad}), found), ErrInconsistentRooms);

    EXPECT_EQ(Members(found), std::vector<API_Guid>{bad});
}

TEST_F(CheckRoomAreasTest, HostErrorsAddNothing) {
    const API_Guid bad = AddRoom("A", Inconsistent());
    const API_Guid good = AddRoom("A", Consistent());
    GS::HashSet<API_Guid> found;

    host.InjectFault("HostGetElementHeader", 2, APIERR_GENERAL);
    EXPECT_EQ(CheckRoomAreas(Rooms({bad, good}), found), APIERR_GENERAL);
    host.ClearFaults();
    host.InjectFault("HostGetElementQuantities", 2, APIERR_BADPARS);
    EXPECT_EQ(CheckRoomAreas(Rooms({bad, good}), found), APIERR_BADPARS);

    EXPECT_TRUE(found.IsEmpty());
}

TEST_F(CheckRoomAreasTest, AllZonesOfTheProjectAreChecked) {
    host.SetStories({{0, "Ground Floor", 0.0}, {1, "First Floor", 3.0}});
    Headless::ZoneDesc upstairs;
    upstairs.story = 1;
    upstairs.areas.a = 10;
    upstairs.areas.b = 12;
    const API_Guid upper = host.AddZone(upstairs);
    AddRoom(nullptr, Consistent());
    GS::HashSet<API_Guid> found;

    EXPECT_EQ(CheckAllRoomAreas(found), ErrInconsistentRooms);

    EXPECT_EQ(Members(found), std::vector<API_Guid>{upper});
}

namespace {

// Records what the operation hands to the host's quantity read.
class QuantityRecordingHost : public Headless::HeadlessHost {
public:
    GSErrCode HostGetElementQuantities(const API_Guid& guid, const API_QuantityPar* params,
                                       API_Quantities* quantities, const API_QuantitiesMask* mask) override {
        paramsGiven = params != nullptr;
        std::memcpy(&maskSeen, mask, sizeof(maskSeen));
        const unsigned char* output = reinterpret_cast<const unsigned char*>(quantities->zone);
        outputCleared =
            std::all_of(output, output + sizeof(API_ZoneQuantity), [](unsigned char b) { return b == 0; });
        return HeadlessHost::HostGetElementQuantities(guid, params, quantities, mask);
    }

    bool paramsGiven = true;
    bool outputCleared = false;
    API_QuantitiesMask maskSeen;
};

} // namespace

TEST(CollectRoomAreasTest, ReadsExactlyTheFiveAreasWithTheirCategory) {
    QuantityRecordingHost host;
    Host::SetCurrentHost(&host);
    const API_AttributeIndex category = host.AddZoneCategory("C", "Category");
    Headless::ZoneDesc desc;
    desc.category = category;
    desc.areas = {1.5, 2.5, 3.5, 4.5, 5.5};
    const API_Guid room = host.AddZone(desc);
    GS::Array<RoomAreas> areas;
    GS::Array<int> categories = {99};

    EXPECT_EQ(CollectRoomAreas(Rooms({room}), areas, categories), NoError);
    Host::SetCurrentHost(nullptr);

    ASSERT_EQ(areas.GetSize(), 1u);
    EXPECT_EQ(areas[0].areaA, 1.5);
    EXPECT_EQ(areas[0].areaB, 2.5);
    EXPECT_EQ(areas[0].areaC, 3.5);
    EXPECT_EQ(areas[0].areaD, 4.5);
    EXPECT_EQ(areas[0].areaE, 5.5);
    EXPECT_EQ(categories, (GS::Array<int>{99, category}));
    EXPECT_FALSE(host.paramsGiven);
    EXPECT_TRUE(host.outputCleared);
    unsigned char expectedMask[sizeof(API_ZoneQuantity)] = {};
    for (std::size_t offset : {0, 104, 128, 136, 200})
        expectedMask[offset] = 0xFF;
    EXPECT_EQ(std::memcmp(&host.maskSeen.zone, expectedMask, sizeof(expectedMask)), 0);
}
