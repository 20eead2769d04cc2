#include <functional>

#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/StampParameters.hpp"
#include "ApartmentTestSupport.hpp"

using namespace Zarimark;

using Headless::Parameter;

namespace {

struct Operation {
    const char* name;
    std::function<GSErrCode(const std::vector<API_Guid>& rooms)> run;
};

void PrintTo(const Operation& operation, std::ostream* os) {
    *os << operation.name;
}

const char* const FailingHostOperations[] = {"HostListElements",         "HostGetElement",
                                             "HostGetElementHeader",     "HostGetElementMemo",
                                             "HostGetElementQuantities", "HostGetAttribute"};

class ResourceReleaseTest : public ApartmentTest, public ::testing::WithParamInterface<Operation> {};

// Every operation gives back each memo and handle it took, whichever host call fails and at
// whichever room, and also when a room has no apartment ID.
TEST_P(ResourceReleaseTest, NothingIsLeftOutstandingOnAnyPath) {
    host.AddZoneCategory("C", "Category");
    const std::vector<API_Guid> rooms = {AddRoom("A", {10, 10, 10, 10, 0}, 1), AddRoom(nullptr),
                                         AddRoom("B", {10, 12, 10, 10, 0}, 1)};
    for (const char* failing : FailingHostOperations) {
        for (int n = 1; n <= 3; ++n) {
            host.ClearFaults();
            ASSERT_TRUE(host.InjectFault(failing, n, APIERR_GENERAL));
            GetParam().run(rooms);
            EXPECT_EQ(host.GetOutstandingMemoCount(), 0) << failing << " failing at call " << n;
        }
    }
    host.ClearFaults();
    GetParam().run(rooms);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ResourceReleaseTest,
    ::testing::Values(Operation{"ReadElementParameterText",
                                [](const std::vector<API_Guid>& rooms) {
                                    GS::UniString text;
                                    ReadElementParameterText(rooms[1], "stApartmentId", text);
                                    return ReadElementParameterText(rooms[0], "stApartmentId", text);
                                }},
                      Operation{"GroupRoomsByApartmentId",
                                [](const std::vector<API_Guid>& rooms) {
                                    ApartmentRooms apartments;
                                    return GroupRoomsByApartmentId(Rooms(rooms), apartments);
                                }},
                      Operation{"CollectApartmentIds",
                                [](const std::vector<API_Guid>&) {
                                    ApartmentIdSet ids;
                                    return CollectApartmentIds(ids);
                                }},
                      Operation{"CheckRoomAreas",
                                [](const std::vector<API_Guid>& rooms) {
                                    GS::HashSet<API_Guid> found;
                                    return CheckRoomAreas(Rooms(rooms), found);
                                }},
                      Operation{"FillStampParameters",
                                [](const std::vector<API_Guid>& rooms) {
                                    ParameterHandle params(
                                        {Parameter::NumberArray("zm_roomCats", 0, 1, {}),
                                         Parameter::TextArray("zm_ZoneCatNames", 0, 1, {})});
                                    BMKillHandle(&params.Record(0).value.array);
                                    CategorySet shown;
                                    return FillStampParameters(Rooms(rooms), params.Get(), shown);
                                }}),
    [](const ::testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

} // namespace
