#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "AddOn/AddOnMain.hpp"
#include "AddOn/CheckPaletteCallback.hpp"
#include "AddOn/ElementEventHandler.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/MenuCommands.hpp"
#include "AddOn/ProjectEvents.hpp"
#include "FrameTestSupport.hpp"
#include "GSRoot/Guid.hpp"
#include "Host/APIGuid.hpp"

using namespace Zarimark;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x81060042);

struct FailingStep {
    const char* operation;
    int nthCall;           // of that operation
    std::size_t callsMade; // operations called up to and including the failing one
    const char* debugLine; // empty: none
};

std::vector<std::string> FirstOperations(const std::vector<std::string>& all, std::size_t count) {
    return std::vector<std::string>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count));
}

const std::vector<std::string> RegisterInterfaceOperations = {
    "ACAPI_Register_Menu", "ACAPI_Register_Menu", "ACAPI_Register_Menu", "ACAPI_Register_BuiltInLibrary"};

const std::vector<std::string> InitializeOperations = {
    "ACAPI_Install_MenuHandler",      "ACAPI_Install_MenuHandler",           "ACAPI_RegisterModelessWindow",
    "ACAPI_Notify_CatchProjectEvent", "ACAPI_Notify_InstallElementObserver", "ACAPI_Notify_CatchNewElement",
    "ACAPI_Notify_CatchNewElement"};

} // namespace

using RegisterInterfaceTest = FrameTest;

TEST_F(RegisterInterfaceTest, RegistersBothMenusThreeTimesThenTheLibrary) {
    EXPECT_EQ(RegisterInterface(), NoError);

    EXPECT_EQ(CalledOperations(), RegisterInterfaceOperations);
    const std::vector<Headless::MenuRecord>& menus = host.GetMenus();
    ASSERT_EQ(menus.size(), 3u);
    const Int16 expectedIds[] = {32501, 32502, 32502};
    const Int32 expectedPositions[] = {17, 17, 12};
    const GSFlags expectedFlags[] = {1, 0, 0};
    for (std::size_t i = 0; i < menus.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menus[i].menuResID, expectedIds[i]);
        EXPECT_EQ(menus[i].promptResID, 0);
        EXPECT_EQ(menus[i].position, expectedPositions[i]);
        EXPECT_EQ(menus[i].flags, expectedFlags[i]);
    }
    // The palette item is registered with its icon suffix, unchanged.
    EXPECT_EQ(menus[0].itemText, GS::UniString("Create Zarimark"));
    EXPECT_EQ(menus[1].itemText, GS::UniString("Zarimark Palette^10001"));
    EXPECT_EQ(host.GetBuiltInLibraryRegistrationCount(), 1);
    EXPECT_THAT(DebugLines(), IsEmpty());
}

class RegisterInterfaceFailureTest : public FrameTest, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(RegisterInterfaceFailureTest, StopsAtTheFailingStepWithItsLineAndCode) {
    const FailingStep& step = GetParam();
    ASSERT_TRUE(host.InjectFault(step.operation, step.nthCall, InjectedCode));

    EXPECT_EQ(RegisterInterface(), InjectedCode);

    EXPECT_EQ(CalledOperations(), FirstOperations(RegisterInterfaceOperations, step.callsMade));
    EXPECT_THAT(DebugLines(), ElementsAre(step.debugLine));
    // What was registered before the failure stays registered.
    EXPECT_EQ(host.GetMenus().size(), std::min<std::size_t>(step.callsMade - 1, 3));
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, RegisterInterfaceFailureTest,
    ::testing::Values(FailingStep{"ACAPI_Register_Menu", 1, 1,
                                  "ZM: RegisterInterface() ACAPI_Register_Menu MENU failed.\n"},
                      FailingStep{"ACAPI_Register_Menu", 2, 2,
                                  "ZM: RegisterInterface() ACAPI_Register_Menu PALETTE_MENU failed.\n"},
                      FailingStep{
                          "ACAPI_Register_Menu", 3, 3,
                          "ZM: RegisterInterface() ACAPI_Register_Menu PALETTE_MENU in Palettes failed.\n"},
                      FailingStep{"ACAPI_Register_BuiltInLibrary", 1, 4,
                                  "ZM: RegisterInterface() ACAPI_Register_BuiltInLibrary failed.\n"}));

class InitializeTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_EQ(RegisterInterface(), NoError);
        ResetLogs();
    }
};

TEST_F(InitializeTest, InstallsHandlersPaletteAndNotificationsInOrder) {
    EXPECT_EQ(Initialize(), NoError);

    EXPECT_EQ(CalledOperations(), InitializeOperations);
    EXPECT_THAT(DebugLines(), IsEmpty());

    for (const Headless::MenuRecord& menu : host.GetMenus())
        EXPECT_EQ(menu.handler, &MenuCommandHandler) << menu.menuResID;

    ASSERT_EQ(host.GetModelessWindows().size(), 1u);
    const Headless::ModelessWindowRecord& palette = host.GetModelessWindows()[0];
    EXPECT_EQ(static_cast<UInt32>(palette.referenceID), 0xC0DD1D4Eu);
    EXPECT_EQ(palette.callback, &CheckPaletteControlCallback);
    EXPECT_EQ(palette.controlFlags, 1);
    EXPECT_EQ(palette.paletteGuid, APIGuidFromString("45D7CAFB-970B-4D95-BF7A-697E894006AF"));

    EXPECT_EQ(host.GetProjectEventHandler(), &ProjectEventHandler);
    EXPECT_EQ(host.GetProjectEventMask(), 7);
    EXPECT_EQ(host.GetElementObserverHandler(), &ElementEventHandler);

    const std::vector<Headless::NewElementHandlerRecord>& catches = host.GetNewElementHandlers();
    ASSERT_EQ(catches.size(), 2u);
    const Int32 expectedTypes[] = {API_ZoneID, API_LabelID};
    for (std::size_t i = 0; i < catches.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(catches[i].type.typeID, expectedTypes[i]);
        EXPECT_EQ(catches[i].type.variationID, 0);
        EXPECT_EQ(catches[i].type.classID, APINULLGuid);
        EXPECT_EQ(catches[i].handler, &ElementEventHandler);
    }
}

TEST_F(InitializeTest, AttachesNoObserverToAnyElement) {
    Headless::ZoneDesc zone;
    zone.name = "Z1";
    host.AddZone(zone);

    EXPECT_EQ(Initialize(), NoError);

    EXPECT_FALSE(host.FindElementByName("Z1")->observed);
}

class InitializeFailureTest : public InitializeTest, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(InitializeFailureTest, StopsAtTheFailingStepWithItsLineAndCode) {
    const FailingStep& step = GetParam();
    ASSERT_TRUE(host.InjectFault(step.operation, step.nthCall, InjectedCode));

    EXPECT_EQ(Initialize(), InjectedCode);

    EXPECT_EQ(CalledOperations(), FirstOperations(InitializeOperations, step.callsMade));
    if (std::string(step.debugLine).empty())
        EXPECT_THAT(DebugLines(), IsEmpty());
    else
        EXPECT_THAT(DebugLines(), ElementsAre(step.debugLine));
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, InitializeFailureTest,
    ::testing::Values(
        FailingStep{"ACAPI_Install_MenuHandler", 1, 1,
                    "ZM: Initialize() ACAPI_Install_MenuHandler MENU failed.\n"},
        FailingStep{"ACAPI_Install_MenuHandler", 2, 2,
                    "ZM: Initialize() ACAPI_Install_MenuHandler ID_ZM_PALETTE_MENU failed.\n"},
        FailingStep{"ACAPI_RegisterModelessWindow", 1, 3,
                    "ZM: Initialize() ACAPI_RegisterModelessWindow failed.\n"},
        FailingStep{"ACAPI_Notify_CatchProjectEvent", 1, 4, "ZM: ACAPI_Notify_CatchProjectEvent failed.\n"},
        FailingStep{"ACAPI_Notify_InstallElementObserver", 1, 5,
                    "ZM: ACAPI_Notify_InstallElementObserver failed.\n"},
        FailingStep{"ACAPI_Notify_CatchNewElement", 1, 6, "ZM: ACAPI_Notify_CatchNewElement failed.\n"},
        FailingStep{"ACAPI_Notify_CatchNewElement", 2, 7, ""}));

using ReleaseAddOnTest = InitializeTest;

TEST_F(ReleaseAddOnTest, UnregistersThePaletteAndClearsTheToken) {
    ASSERT_EQ(Initialize(), NoError);
    ResetLogs();

    EXPECT_EQ(ReleaseAddOn(), NoError);

    EXPECT_THAT(CalledOperations(), ElementsAre("HostUnregisterModelessWindow"));
    EXPECT_THAT(host.GetModelessWindows(), IsEmpty());
    EXPECT_EQ(FrameState::GetHostToken(), nullptr);
}

TEST_F(ReleaseAddOnTest, ReturnsTheHostsRefusalAndStillClearsTheToken) {
    ASSERT_EQ(Initialize(), NoError);
    ASSERT_TRUE(host.InjectFault("HostUnregisterModelessWindow", 1, InjectedCode));

    EXPECT_EQ(ReleaseAddOn(), InjectedCode);

    EXPECT_EQ(FrameState::GetHostToken(), nullptr);
}
