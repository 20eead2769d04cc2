#include <stdexcept>

#include "DGTestFixture.hpp"

namespace DGTests {
namespace {

class ModalDialogTest : public DGTest {
protected:
    void SetUp() override {
        DGTest::SetUp();
        DG::SetUIDriver(&driver);
    }

    DG::DialogCloseReason LastCloseReason() const {
        const auto closed = Entries(DG::UILogKind::DialogClosed);
        EXPECT_FALSE(closed.empty());
        return closed.empty() ? DG::DialogCloseReason::Aborted : closed.back().reason;
    }

    ScriptedDriver driver;
};

TEST_F(ModalDialogTest, OkWithASelectedRowAcceptsAndHandsBackTheRow) {
    TestStampDialog dialog(module, {"A1", "B2", ""});
    bool openedBeforeDriver = false;
    driver.dialogScript = [&](DG::ModalDialog& open) {
        openedBeforeDriver = dialog.openedCount == 1 && open.IsOpen();
        EXPECT_EQ(DG::GetTopModalDialog(), &dialog);
        EXPECT_EQ(DG::FindModalDialog(StampDialogId), &dialog);
        EXPECT_TRUE(open.SelectListItem(4, 2));
        EXPECT_TRUE(open.ClickButton(1));
        EXPECT_FALSE(open.IsOpen());
        EXPECT_FALSE(open.ClickButton(2)); // closed: nothing to click
    };
    EXPECT_TRUE(dialog.Invoke());
    EXPECT_TRUE(openedBeforeDriver);
    EXPECT_EQ(dialog.selectedApartmentId, GS::UniString("B2"));
    EXPECT_EQ(dialog.closeRequests, (std::vector<bool>{true}));
    EXPECT_EQ(dialog.closedAccepted, (std::vector<bool>{true}));
    EXPECT_EQ(dialog.apartmentList.GetTabFieldEndPosition(1), 234); // 250 - 16, set on opening
    EXPECT_EQ(DG::GetTopModalDialog(), nullptr);

    const auto log = DG::GetUILog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].kind, DG::UILogKind::DialogOpened);
    EXPECT_EQ(log[0].title, GS::UniString("Create Zarimark"));
    EXPECT_EQ(log[1].kind, DG::UILogKind::DialogClosed);
    EXPECT_TRUE(log[1].accepted);
    EXPECT_EQ(log[1].reason, DG::DialogCloseReason::Accepted);
}

TEST_F(ModalDialogTest, ObserverClearingTheAcceptFlagKeepsTheDialogOpen) {
    TestStampDialog dialog(module, {"A1"});
    bool stillOpen = false;
    driver.dialogScript = [&](DG::ModalDialog& open) {
        open.ClickButton(1); // OK without a selection
        stillOpen = open.IsOpen();
        open.ClickButton(2);
    };
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(dialog.selectedApartmentId.IsEmpty());
    EXPECT_EQ(dialog.closeRequests, (std::vector<bool>{true, false}));
    ASSERT_EQ(driver.alertsSeen.size(), 1u);
    EXPECT_EQ(driver.alertsSeen[0].largeText, GS::UniString("Please choose a ZARI ID!"));
    EXPECT_EQ(LastCloseReason(), DG::DialogCloseReason::Cancelled);
}

TEST_F(ModalDialogTest, CancelButtonSendsANonAcceptingRequest) {
    TestStampDialog dialog(module, {"A1"});
    driver.dialogScript = [](DG::ModalDialog& open) {
        open.SelectListItem(4, 1);
        open.ClickButton(2);
    };
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(dialog.closeRequests, (std::vector<bool>{false}));
    EXPECT_EQ(dialog.closedAccepted, (std::vector<bool>{false}));
    EXPECT_TRUE(dialog.selectedApartmentId.IsEmpty());
}

TEST_F(ModalDialogTest, CloseBoxCancelsUnlessTheObserverRefuses) {
    TestStampDialog dialog(module, {"A1"});
    dialog.refuseCloseBox = true;
    bool refusedStaysOpen = false;
    driver.dialogScript = [&](DG::ModalDialog& open) {
        EXPECT_TRUE(open.PressCloseBox());
        refusedStaysOpen = open.IsOpen();
        dialog.refuseCloseBox = false;
        open.PressCloseBox();
    };
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_TRUE(refusedStaysOpen);
    EXPECT_EQ(dialog.closeRequests, (std::vector<bool>{false, false}));
    EXPECT_EQ(LastCloseReason(), DG::DialogCloseReason::CloseBox);
}

TEST_F(ModalDialogTest, DialogLeftOpenByTheDriverOrWithoutDriverIsCancelled) {
    TestStampDialog dialog(module, {"A1"});
    driver.dialogScript = [](DG::ModalDialog& open) { open.SelectListItem(4, 1); };
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(LastCloseReason(), DG::DialogCloseReason::DriverReturned);
    EXPECT_TRUE(dialog.closeRequests.empty());

    DG::SetUIDriver(nullptr);
    EXPECT_FALSE(dialog.Invoke()); // a second invocation of the same dialog works
    EXPECT_EQ(dialog.openedCount, 2);
    EXPECT_EQ(LastCloseReason(), DG::DialogCloseReason::NoDriver);
    EXPECT_EQ(dialog.closedAccepted, (std::vector<bool>{false, false}));
}

TEST_F(ModalDialogTest, ExceptionFromTheDriverLeavesTheDialogClosed) {
    TestStampDialog dialog(module, {"A1"});
    driver.dialogScript = [](DG::ModalDialog&) { throw std::runtime_error("script failed"); };
    EXPECT_THROW(dialog.Invoke(), std::runtime_error);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(DG::GetTopModalDialog(), nullptr);
    EXPECT_EQ(LastCloseReason(), DG::DialogCloseReason::Aborted);
}

TEST_F(ModalDialogTest, OnlyTheInnermostModalDialogTakesInput) {
    TestStampDialog outer(module, {"A1"});
    DG::ModalDialog inner(module, FixedDialogId, module);
    TestPalette palette(module);
    palette.Show();
    driver.dialogScript = [&](DG::ModalDialog& open) {
        if (&open == &outer) {
            EXPECT_FALSE(inner.Invoke());
            EXPECT_EQ(DG::GetTopModalDialog(), &outer);
            open.SelectListItem(4, 1);
            open.ClickButton(1);
        } else {
            EXPECT_EQ(DG::GetTopModalDialog(), &inner);
            EXPECT_FALSE(outer.ClickButton(1));
            EXPECT_FALSE(outer.PressCloseBox());
            EXPECT_FALSE(palette.ClickButton(5));
            open.PostCloseRequest(DG::ModalDialog::Cancel);
        }
    };
    EXPECT_TRUE(outer.Invoke());
    EXPECT_EQ(driver.dialogsRun, 2);
    EXPECT_TRUE(outer.closeRequests.size() == 1 && outer.closeRequests[0]);
    EXPECT_TRUE(palette.clickedItems.empty());
    EXPECT_TRUE(palette.ClickButton(5)); // free again
}

} // namespace
} // namespace DGTests
