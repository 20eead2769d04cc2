#include <string>

#include <gmock/gmock.h>

#include "AddOn/AddOnMain.hpp"
#include "AddOn/BuiltInLibParts.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/PaletteIdentity.hpp"
#include "FrameTestSupport.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/APIGuid.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostOperations.hpp"

using namespace Zarimark;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string Utf8(const char16_t* text) {
    return GS::UniString(text).ToUtf8();
}

using DescribeAddOnTest = FrameTest;

TEST_F(DescribeAddOnTest, FillsNameAndVersionedDescription) {
    API_EnvirParams envir;

    EXPECT_EQ(DescribeAddOn(&envir), 2);

    EXPECT_EQ(Utf8(envir.addOnInfo.name), "Zarimark");
    EXPECT_EQ(Utf8(envir.addOnInfo.description),
              "Create automatically updating apartment stamps.\n\nVersion: 1.0.0");
    EXPECT_THAT(host.GetCallLog(), IsEmpty());
}

TEST_F(DescribeAddOnTest, WithoutARecordDescribesNothing) {
    EXPECT_EQ(DescribeAddOn(nullptr), APIAddon_Unknown);
}

class FrameStateTest : public FrameTest {
protected:
    // The add-on's operations reach the host whose table it took.
    void ExpectOperationsReachTheHost() {
        ResetLogs();
        bool on = true;
        EXPECT_EQ(HostIsSuspendGroupOn(&on), NoError);
        EXPECT_FALSE(on);
        EXPECT_THAT(CalledOperations(), ElementsAre("HostIsSuspendGroupOn"));
    }
};

TEST_F(FrameStateTest, KeepsTheTokenAndTheHostsResourceModule) {
    EXPECT_TRUE(FrameState::IsOperationTableReceived());
    EXPECT_EQ(FrameState::GetHostToken(), &hostToken);
    EXPECT_EQ(FrameState::GetOwnResourceModule(), AddOnResourceModule());
    ExpectOperationsReachTheHost();
}

TEST_F(FrameStateTest, RefusesANullOperationTable) {
    EXPECT_EQ(FrameState::AcceptHostOperations(nullptr, HostOperationCount, nullptr), APIERR_BADPARS);

    ExpectOperationsReachTheHost();
    EXPECT_EQ(FrameState::GetHostToken(), &hostToken);
}

// A host failure thrown reaches the add-on's code as the same failure returned would.
TEST_F(FrameStateTest, AnOperationThatThrowsAnswersAsFailedAndIsNamed) {
    ASSERT_TRUE(host.GetFaults().InjectException("HostGetElementHeader", 1, false));
    ASSERT_TRUE(host.GetFaults().InjectException("HostFilterElement", 1, false));
    ASSERT_TRUE(host.GetFaults().InjectException("HostCallUndoableCommand", 1, false));
    API_Elem_Head header;
    bool ran = false;
    const HostInterface::UndoableCommand step = [&] {
        ran = true;
        return NoError;
    };

    EXPECT_EQ(HostGetElementHeader(&header), APIERR_GENERAL);
    EXPECT_FALSE(HostFilterElement(header.guid, APIFilt_InMyWorkspace, 0));
    EXPECT_EQ(HostCallUndoableCommand("step", step), APIERR_GENERAL);
    EXPECT_FALSE(ran);
    EXPECT_THAT(
        DebugLines(),
        ElementsAre(
            "ZM: HostGetElementHeader: unexpected exception: exception injected into "
            "HostGetElementHeader\n",
            "ZM: HostFilterElement: unexpected exception: exception injected into HostFilterElement\n",
            "ZM: HostCallUndoableCommand: unexpected exception: exception injected into "
            "HostCallUndoableCommand\n"));
    // The next calls are the host's own again.
    EXPECT_EQ(HostCallUndoableCommand("step", step), NoError);
    EXPECT_TRUE(ran);
}

TEST_F(FrameStateTest, UnloadingWhileTheTokenIsSetReportsAbnormalTermination) {
    FrameState::ModuleUnloading("/opt/addons/libZarimark.so");

    EXPECT_THAT(DebugLines(), ElementsAre("Abnormal add-on termination (\"/opt/addons/libZarimark.so\")"));
    EXPECT_EQ(FrameState::GetOwnResourceModule(), InvalidResModule);
}

TEST_F(FrameStateTest, UnloadingAfterReleaseIsQuiet) {
    ReleaseAddOn(); // whatever the host answers, the token is gone
    GS::ClearDebugLog();

    FrameState::ModuleUnloading("/opt/addons/libZarimark.so");

    EXPECT_THAT(DebugLines(), IsEmpty());
    EXPECT_EQ(FrameState::GetOwnResourceModule(), InvalidResModule);
}

TEST(PaletteIdentityTest, ReferenceIdIsTheWrappingSumOfTheGuidWords) {
    EXPECT_EQ(PaletteIdentity::GetPaletteGuid().ToString(), "45D7CAFB-970B-4D95-BF7A-697E894006AF");
    EXPECT_EQ(static_cast<UInt32>(PaletteIdentity::GetPaletteReferenceId()), 0xC0DD1D4Eu);
    EXPECT_EQ(PaletteIdentity::GetPaletteApiGuid(),
              APIGuidFromString("45D7CAFB-970B-4D95-BF7A-697E894006AF"));
}

TEST(PaletteIdentityTest, WordsFollowTheSixteenByteForm) {
    // Second word: the second group low, the third group high.
    EXPECT_EQ(PaletteIdentity::ComputeReferenceId(GS::Guid("00000000-0001-0002-0000-000000000000")),
              0x00020001u);
    // The last eight bytes as written, read as two little-endian words.
    EXPECT_EQ(PaletteIdentity::ComputeReferenceId(GS::Guid("00000000-0000-0000-0100-000000000002")),
              0x02000001u);
    EXPECT_EQ(PaletteIdentity::ComputeReferenceId(GS::Guid("FFFFFFFF-0001-0000-0000-000000000000")), 0u);
}

TEST(BuiltInLibPartsTest, HoldsOnlyTheStampWithItsFileResource) {
    EXPECT_EQ(static_cast<Int32>(ZMBuiltInLibParts::Stamp), 0);
    EXPECT_EQ(GetBuiltInLibPartTable().GetSize(), 1u);

    Int64 fileResourceId = -1;
    EXPECT_TRUE(FindBuiltInLibPartResourceId(ZMBuiltInLibParts::Stamp, &fileResourceId));
    EXPECT_EQ(fileResourceId, 31990);

    Int64 untouched = -7;
    EXPECT_FALSE(FindBuiltInLibPartResourceId(static_cast<ZMBuiltInLibParts>(1), &untouched));
    EXPECT_EQ(untouched, -7);
}

} // namespace
