#include <algorithm>

#include "AddOn/MenuCommands.hpp"
#include "AddOn/PaletteIdentity.hpp"
#include "CheckPaletteSupport.hpp"
#include "Host/HostCodes.hpp"
#include "ResourceIds.hpp"

using namespace Zarimark;

namespace {

using ::testing::IsEmpty;
using Strings = std::vector<std::string>;

Headless::ZoneChange AreasChange(Areas areas) {
    Headless::ZoneChange change;
    change.areas = Headless::ZoneAreaDesc{areas.a, areas.b, areas.c, areas.d, areas.e};
    return change;
}

// A listed room changed one or more times within one user action (one batch).
struct BatchCase {
    const char* name;
    std::vector<Areas> changes;
    bool listed;
};

std::ostream& operator<<(std::ostream& out, const BatchCase& c) {
    return out << c.name;
}

class BatchClosingTest : public PaletteTest, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(BatchClosingTest, RoomFoundInconsistentByAnyCheckOfTheBatchIsListedAndShown) {
    const API_Guid room = Room("1", "A");
    const API_Guid other = Room("2", "A", Inconsistent);
    Palette().AddInconsistentRooms({room, other});
    ASSERT_FALSE(IsShown());

    host.RunUserAction([&] {
        for (const Areas& areas : GetParam().changes)
            ASSERT_EQ(host.ChangeZone(room, AreasChange(areas)), NoError);
    });
    ASSERT_EQ(host.GetDeliveredBatches().size(), 1u);
    EXPECT_EQ(host.GetDeliveredBatches()[0].events.size(), GetParam().changes.size() + 2);
    // Removals come first: a room both removed and added ends up last.
    EXPECT_EQ(RoomNumbers(), GetParam().listed ? (Strings{"2", "1"}) : Strings{"2"});
    EXPECT_EQ(IsShown(), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, BatchClosingTest,
    ::testing::Values(BatchCase{"InconsistentThenConsistent", {Inconsistent, Consistent}, true},
                      BatchCase{"ConsistentThenInconsistent", {Consistent, Inconsistent}, true},
                      BatchCase{"Consistent", {Consistent}, false}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return std::string(info.param.name); });

using HandOverTest = PaletteTest;

TEST_F(HandOverTest, DeletedStampLeavesTheStampList) {
    const API_Guid first = Stamp("A", {});
    const API_Guid second = Stamp("B", {});
    const API_Guid third = Stamp("C", {});
    Palette().AddWrongStamps({first, second, third});

    ASSERT_EQ(host.DeleteElements({first}), NoError);
    EXPECT_EQ(StampIds(), (Strings{"C", "B"}));
    EXPECT_FALSE(IsShown());
}

TEST_F(HandOverTest, StampEntriesAloneShowThePalette) {
    const API_Guid room = Room("1", "A");
    Stamp("A", {room});
    // The room stays consistent; its stamp's update is refused.
    ASSERT_TRUE(host.InjectFault("HostChangeElement", 1, APIERR_LOCKEDELEM));

    ASSERT_EQ(host.ChangeZone(room, AreasChange({20, 19, 18, 17, 0})), NoError);
    EXPECT_EQ(StampIds(), Strings{"A"});
    EXPECT_THAT(RoomNumbers(), IsEmpty());
    EXPECT_TRUE(IsShown());
    EXPECT_EQ(AlertIds(), std::vector<GSResID>{ZM_ALERT_STAMPS_NOT_UPDATED});
}

// The create command as the host calls it, with the palette as the command left it: the echo of a
// new stamp, delivered after the call, may list its rooms and show the palette on its own.
struct CreateOutcome {
    GSErrCode result = NoError;
    bool shown = false;
    std::vector<std::string> rooms;
    Rows stamps;
};

class CreateFindingsTest : public PaletteTest {
protected:
    CreateOutcome RunCreateCommand() {
        CreateOutcome outcome;
        host.RunAddOnCall([&] {
            API_MenuParams params;
            params.menuItemRef.menuResID = ZM_STRS_MENU_CREATE;
            params.menuItemRef.itemIndex = 1;
            outcome.result = MenuCommandHandler(&params);
            outcome.shown = IsShown();
            outcome.rooms = RoomNumbers();
            outcome.stamps = ListRows(8);
        });
        return outcome;
    }
};

TEST_F(CreateFindingsTest, InconsistentRoomAndItsNewStampAreListedAndShown) {
    Room("1.01", "A");
    Room("1.02", "A", Inconsistent);
    Room("2.01", "B");

    const CreateOutcome outcome = RunCreateCommand();
    EXPECT_EQ(outcome.result, NoError);
    ASSERT_EQ(host.GetElements(API_LabelID).size(), 2u);
    EXPECT_TRUE(outcome.shown);
    EXPECT_EQ(outcome.rooms, Strings{"1.02"});
    EXPECT_EQ(outcome.stamps, (Rows{{"0", "A"}}));
    EXPECT_THAT(Alerts(), IsEmpty());
    // Still so once the host has reported the new stamps.
    EXPECT_TRUE(IsShown());
    EXPECT_EQ(RoomNumbers(), Strings{"1.02"});
    EXPECT_EQ(ListRows(8), (Rows{{"0", "A"}}));
}

TEST_F(CreateFindingsTest, FailingCreateCommandShowsTheCodeAndLeavesThePaletteClosed) {
    Room("1.01", "A", Inconsistent);
    Room("2.01", "B");
    // A's stamp is made and found wrong, B's cannot be made.
    ASSERT_TRUE(host.InjectFault("HostCreateElement", 2, InjectedCode));

    const CreateOutcome outcome = RunCreateCommand();
    EXPECT_EQ(outcome.result, InjectedCode);
    EXPECT_FALSE(outcome.shown);
    EXPECT_THAT(outcome.rooms, IsEmpty());
    EXPECT_THAT(outcome.stamps, IsEmpty());
    EXPECT_EQ(host.GetElements(API_LabelID).size(), 1u);
    ASSERT_EQ(AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_COMMAND_ERROR});
    EXPECT_NE(Alerts()[0].smallText.ToUtf8().find(std::string("Error Code: ") + InjectedCodeText + "\n"),
              std::string::npos);
}

// Something that fails while the palette opens, after it became visible.
class FailingOpening : public DG::PanelObserver {
public:
    void PanelOpened(const DG::PanelOpenEvent&) override { throw std::runtime_error("cannot open"); }
};

// Showing the palette fails: the user is told, and it stays hidden.
struct ShowFailureCase {
    const char* name;
    bool resourceMissing; // else the opening fails
    GSErrCode (*show)(Headless::HeadlessHost& host);
};

std::ostream& operator<<(std::ostream& out, const ShowFailureCase& c) {
    return out << c.name;
}

class ShowFailureTest : public PaletteTest, public ::testing::WithParamInterface<ShowFailureCase> {
protected:
    FailingOpening failingOpening;
};

TEST_P(ShowFailureTest, ShowsTheErrorAlertAndKeepsThePaletteHidden) {
    if (GetParam().resourceMissing)
        UseModuleWithoutPalette();
    else
        Palette().Attach(failingOpening);
    EXPECT_EQ(GetParam().show(host), NoError);

    ASSERT_NE(UserPalette(), nullptr);
    EXPECT_FALSE(UserPalette()->IsVisible());
    std::vector<DG::UILogEntry> log = DG::GetUILog();
    log.erase(std::remove_if(log.begin(), log.end(),
                             [](const DG::UILogEntry& entry) {
                                 return entry.kind == DG::UILogKind::PanelShown ||
                                        entry.kind == DG::UILogKind::PanelHidden;
                             }),
              log.end());
    ASSERT_EQ(log.size(), 1u);
    ASSERT_EQ(log[0].kind, DG::UILogKind::Alert);
    const DG::AlertRecord& alert = log[0].alert;
    EXPECT_EQ(alert.id, 0);
    EXPECT_EQ(alert.kind, RS::AlertKind::Error);
    EXPECT_EQ(alert.largeText.ToUtf8(), "An unexpected error happened in the \"Zarimark\" Add-On.");
    EXPECT_EQ(alert.smallText.ToUtf8(), "");
    EXPECT_EQ(alert.buttons[0].ToUtf8(), "OK");
    EXPECT_EQ(alert.buttons[1].ToUtf8(), "");
    EXPECT_EQ(alert.buttons[2].ToUtf8(), "");
    EXPECT_THAT(AddOnDebugLines(), IsEmpty());
}

GSErrCode PaletteMenu(Headless::HeadlessHost& host) {
    return host.InvokeMenu(ZM_STRS_MENU_PALETTE);
}

GSErrCode OpenMessage(Headless::HeadlessHost& host) {
    return host.SendPaletteMessage(PaletteIdentity::GetPaletteReferenceId(), APIPalMsg_OpenPalette);
}

INSTANTIATE_TEST_SUITE_P(Entries, ShowFailureTest,
                         ::testing::Values(ShowFailureCase{"MenuWithoutResource", true, PaletteMenu},
                                           ShowFailureCase{"MessageWithoutResource", true, OpenMessage},
                                           ShowFailureCase{"MenuFailingToOpen", false, PaletteMenu},
                                           ShowFailureCase{"MessageFailingToOpen", false, OpenMessage}),
                         [](const ::testing::TestParamInfo<ShowFailureCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
