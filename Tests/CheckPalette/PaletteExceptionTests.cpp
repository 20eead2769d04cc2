#include "CheckPaletteSupport.hpp"
#include "Host/HostCodes.hpp"
#include "ResourceIds.hpp"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// What keeps the add-on from changing a stamp, and must be back afterwards.
struct EditAccess {
    Int16 layerFlags = 0;
    UInt16 lock = 0;
    bool groupsSuspended = false;
    API_AttributeIndex combination = 0;
    bool operator==(const EditAccess& other) const {
        return layerFlags == other.layerFlags && lock == other.lock &&
               groupsSuspended == other.groupsSuspended && combination == other.combination;
    }
};

std::ostream& operator<<(std::ostream& out, const EditAccess& access) {
    return out << "layer flags " << access.layerFlags << ", lock " << access.lock << ", groups suspended "
               << access.groupsSuspended << ", combination " << access.combination;
}

class PaletteExceptionTest;

// An exception thrown by a host operation during one of the host's calls into the add-on: it is
// told as the operation failing with the general error.
struct ExceptionCase {
    const char* name;
    const char* operation;
    bool editsStamp;    // the stamp's edit access is lifted when the exception passes
    GSErrCode expected; // of the call, when it has a result
    std::vector<GSResID> alerts;
    bool stampListed; // on the palette's stamp list afterwards
    GSErrCode (*call)(PaletteExceptionTest& test);
};

std::ostream& operator<<(std::ostream& out, const ExceptionCase& c) {
    return out << c.name;
}

// Room A.1 with a stamp that is locked, grouped and on a hidden, locked layer.
class PaletteExceptionTest : public PaletteTest, public ::testing::WithParamInterface<ExceptionCase> {
protected:
    void SetUp() override {
        PaletteTest::SetUp();
        layer = host.AddLayer("closed", APILay_Hidden | APILay_Locked);
        room = Room("A.1", "A");
        Headless::LabelDesc desc;
        desc.layer = layer;
        desc.lockId = 1;
        stamp = Stamp("A", {room}, desc);
        host.GroupElements({stamp});
        host.ClearCallLog();
    }
    EditAccess Capture() const {
        return {host.FindLayer(layer)->flags, host.FindElement(stamp)->element.header.lockId,
                host.IsSuspendGroups(), host.GetCurrentLayerCombination()};
    }

public:
    GSErrCode ChangeRoom() {
        Headless::ZoneChange change;
        change.areas = Headless::ZoneAreaDesc{20, 19, 18, 17, 0};
        EXPECT_EQ(host.ChangeZone(room, change), NoError);
        // What the add-on answered to the change event.
        const std::vector<Headless::DeliveredEvent>& events = host.GetDeliveredBatches().at(0).events;
        return events.at(1).code == APINotifyElement_Change ? events[1].result : NoError;
    }
    GSErrCode Menu(Int16 menu) { return host.InvokeMenu(menu); }
    GSErrCode Button(short item) {
        Palette().AddWrongStamps({stamp});
        ShowPalette();
        Click(item);
        return NoError;
    }

    API_AttributeIndex layer = 0;
    API_Guid room, stamp;
};

TEST_P(PaletteExceptionTest, StaysInTheAddOnAndLeavesNothingBehind) {
    const ExceptionCase& c = GetParam();
    const EditAccess before = Capture();
    ASSERT_TRUE(host.GetFaults().InjectException(c.operation, 1, false));

    EXPECT_EQ(c.call(*this), c.expected);
    EXPECT_THAT(host.GetAddOnExceptions(), IsEmpty());
    EXPECT_THAT(AddOnDebugLines(),
                ElementsAre(std::string("ZM: ") + c.operation +
                            ": unexpected exception: exception injected into " + c.operation + "\n"));
    EXPECT_EQ(AlertIds(), c.alerts);
    for (const DG::AlertRecord& alert : Alerts())
        EXPECT_NE(alert.smallText.ToUtf8().find(GeneralErrorText), std::string::npos);
    EXPECT_EQ(ListRows(8), c.stampListed ? Rows({{"0", "A"}}) : Rows());
    if (c.editsStamp) {
        EXPECT_GT(CallCount("HostApplyElementTool"), 0) << "the stamp's edit access was never lifted";
    }
    EXPECT_EQ(Capture(), before);
}

constexpr GSResID CommandError = ZM_ALERT_UNEXPECTED_COMMAND_ERROR;
constexpr GSResID EventError = ZM_ALERT_UNEXPECTED_EVENT_ERROR;

INSTANTIATE_TEST_SUITE_P(
    Entries, PaletteExceptionTest,
    ::testing::Values(ExceptionCase{"ZoneEventUpdatingItsStamp",
                                    "HostChangeElement",
                                    true,
                                    APIERR_GENERAL,
                                    {EventError},
                                    true,
                                    [](PaletteExceptionTest& t) { return t.ChangeRoom(); }},
                      ExceptionCase{"ZoneEventReadingAreas",
                                    "HostGetElementQuantities",
                                    false,
                                    APIERR_GENERAL,
                                    {EventError},
                                    true,
                                    [](PaletteExceptionTest& t) { return t.ChangeRoom(); }},
                      ExceptionCase{"CreateMenuBeforeItsStep",
                                    "HostGetSelection",
                                    false,
                                    APIERR_GENERAL,
                                    {CommandError},
                                    false,
                                    [](PaletteExceptionTest& t) { return t.Menu(ZM_STRS_MENU_CREATE); }},
                      ExceptionCase{"CreateMenuInsideItsStep",
                                    "HostCreateElement",
                                    false,
                                    APIERR_GENERAL,
                                    {CommandError},
                                    false,
                                    [](PaletteExceptionTest& t) { return t.Menu(ZM_STRS_MENU_CREATE); }},
                      // A stamp that cannot be updated stays listed; the update itself goes on.
                      ExceptionCase{"UpdateWrongStampsButton",
                                    "HostChangeElement",
                                    true,
                                    NoError,
                                    {},
                                    true,
                                    [](PaletteExceptionTest& t) { return t.Button(9); }},
                      ExceptionCase{"UpdateAllStampsButton",
                                    "HostListElements",
                                    false,
                                    NoError,
                                    {CommandError},
                                    true,
                                    [](PaletteExceptionTest& t) { return t.Button(10); }},
                      ExceptionCase{"CheckRoomsButton",
                                    "HostGetElementQuantities",
                                    false,
                                    NoError,
                                    {CommandError},
                                    true,
                                    [](PaletteExceptionTest& t) { return t.Button(5); }}),
    [](const ::testing::TestParamInfo<ExceptionCase>& info) { return std::string(info.param.name); });

using PaletteMessageExceptionTest = PaletteTest;

// A palette message calls no host operation; what can throw there is the user interface itself.
TEST_F(PaletteMessageExceptionTest, ExceptionWhileHandlingAMessageIsSwallowedAndNamed) {
    UseModuleWithoutPalette();
    user.throwOnLiteralAlert = true;

    EXPECT_EQ(host.SendPaletteMessage(ReferenceId(), APIPalMsg_OpenPalette), NoError);
    EXPECT_THAT(host.GetAddOnExceptions(), IsEmpty());
    EXPECT_THAT(
        AddOnDebugLines(),
        ElementsAre("ZM: CheckPaletteControlCallback: unexpected exception: the user interface failed\n"));
    EXPECT_TRUE(host.GetCallLog().empty());
}

} // namespace
