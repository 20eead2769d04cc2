#include "AddOn/Zarimark/StampUpdate.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

// Whichever host operation fails on the way, the update ends with its code, leaves the stamp as
// it was and gives every memo back.

namespace {

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x81060E02);

struct Fault {
    const char* operation;
    int call; // the n-th call of the operation during the update
};

// In the order the update reaches them: the stamp, its links, the part's index, the stamp's
// memo, the zone-category table, the room (its element and quantities), the change itself.
const Fault Faults[] = {
    {"HostGetElement", 1},        {"HostGetElementLinks", 1}, {"HostGetLibPartUniqueId", 1},
    {"HostSearchLibraryPart", 1}, {"HostGetElementMemo", 1},  {"HostEnumerateAttributes", 1},
    {"HostGetAttribute", 1},      {"HostGetElement", 2},      {"HostGetElementQuantities", 1},
    {"HostChangeElement", 1},
};

void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.operation << " call " << fault.call;
}

class FailingStampUpdate : public StampTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(FailingStampUpdate, EndsWithTheHostCodeAndChangesNothing) {
    host.AddZoneCategory("LIV", "Living");
    const API_Guid room = AddRoom(1, {10, 10, 10, 10, 0});
    Headless::LabelDesc desc;
    desc.parameters = {Headless::Parameter::NumberArray("zm_roomCats", 2, 1, {7, 8})};
    const API_Guid stamp = AddStamp({room}, 0, desc);
    const Headless::ParameterList before = Element(stamp).parameters;
    ASSERT_TRUE(host.InjectFault(GetParam().operation, GetParam().call, InjectedCode));

    EXPECT_EQ(UpdateStamp(stamp), InjectedCode);

    ExpectSameParameters(before, Element(stamp).parameters);
    EXPECT_EQ(Param(stamp, "zm_roomCats").GetNumbers(), (std::vector<double>{7, 8}));
    EXPECT_TRUE(Element(stamp).observed);
    EXPECT_EQ(Links(stamp), std::vector<API_Guid>{room});
    EXPECT_EQ(Links(room), std::vector<API_Guid>{stamp});
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FailingStampUpdate, ::testing::ValuesIn(Faults),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return std::string(info.param.operation) + "_" + std::to_string(info.param.call);
                         });

} // namespace
