#include "AddOn/Zarimark/StampLibPart.hpp"
#include "Host/HostOperations.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

namespace {

using StampLibPartTest = StampTest;

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x81060E01);

TEST_F(StampLibPartTest, GivesTheIndexTheHostGaveTheStampPart) {
    Int32 index = 0;
    ASSERT_EQ(FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &index), NoError);
    EXPECT_EQ(index, stampLibInd);
}

TEST_F(StampLibPartTest, AsksTheHostAnewOnEveryCall) {
    Int32 first = 0;
    Int32 second = 0;
    ASSERT_EQ(FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &first), NoError);
    ASSERT_EQ(FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &second), NoError);
    EXPECT_EQ(first, second);
    const std::vector<std::string> expected = {"HostGetLibPartUniqueId", "HostSearchLibraryPart",
                                               "HostGetLibPartUniqueId", "HostSearchLibraryPart"};
    EXPECT_EQ(CalledOperations(), expected);
    // The part is asked for by its FILE resource and looked up by the unique ID that gave.
    EXPECT_EQ(host.GetCallLog()[0].arguments, "31990");
    EXPECT_EQ(host.GetCallLog()[1].arguments,
              "{013BD535-32AB-49CE-AAD9-580F3229FDAC}-{BB8967E8-9C6F-4D84-B27D-99B27AFAB3BD}");
}

TEST_F(StampLibPartTest, FollowsTheHostWhenTheIndexDiffers) {
    // A host whose own parts came first gives the built-in part a later index.
    Headless::HeadlessHost other;
    Headless::LibPartDesc door;
    door.name = "Door.gsm";
    door.uniqueId = "{11111111-2222-3333-4444-555555555555}-{11111111-2222-3333-4444-555555555555}";
    other.AddLibraryPart(door);
    other.AddLibraryPart(door);
    other.SetOwnResourceModule(CompiledResourceModule());
    ASSERT_EQ(other.ACAPI_Register_BuiltInLibrary(), NoError);
    Host::SetCurrentHost(&other);
    Int32 index = 0;
    const GSErrCode err = FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &index);
    Host::SetCurrentHost(&host);
    ASSERT_EQ(err, NoError);
    EXPECT_EQ(index, 3);
}

TEST_F(StampLibPartTest, HostErrorsPassThroughAndLeaveTheIndexAlone) {
    for (const char* operation : {"HostGetLibPartUniqueId", "HostSearchLibraryPart"}) {
        SCOPED_TRACE(operation);
        ASSERT_TRUE(host.InjectFault(operation, 1, InjectedCode));
        Int32 index = 77;
        EXPECT_EQ(FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &index), InjectedCode);
        EXPECT_EQ(index, 77);
        host.ClearFaults();
    }
}

} // namespace
