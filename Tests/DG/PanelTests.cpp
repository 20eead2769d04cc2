#include "DGTestFixture.hpp"

namespace DGTests {
namespace {

using PanelTest = DGTest;

TEST_F(PanelTest, LoadsGeometryTitleAndItemsFromTheResource) {
    TestPalette palette(module);
    EXPECT_EQ(palette.GetId(), PaletteId);
    EXPECT_EQ(palette.GetTitle(), GS::UniString("Zarimark"));
    EXPECT_EQ(palette.GetWidth(), 290);
    EXPECT_EQ(palette.GetHeight(), 440);
    EXPECT_TRUE(palette.IsResizable());
    EXPECT_EQ(palette.GetItemCount(), 10);
    EXPECT_EQ(palette.checkRoomsButton.GetText(), GS::UniString("Check Rooms"));
    EXPECT_EQ(palette.updateAllButton.GetPosition(), DG::Point(150, 410));
    EXPECT_TRUE(palette.roomList.HasHeader());
    EXPECT_TRUE(UsageErrors().empty());
}

TEST_F(PanelTest, MissingResourceGivesIdZeroNoItemsAndQuietInvalidViews) {
    TestStampDialog dialog(module, {"A1"}, 4242);
    EXPECT_EQ(dialog.GetId(), 0);
    EXPECT_EQ(dialog.GetResourceId(), 4242);
    EXPECT_EQ(dialog.GetItemCount(), 0);
    EXPECT_FALSE(dialog.okButton.IsValid());
    EXPECT_EQ(dialog.apartmentList.GetItemCount(), 0); // the fill was ignored
    EXPECT_TRUE(UsageErrors().empty());

    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(dialog.openedCount, 0);
    const auto closed = Entries(DG::UILogKind::DialogClosed);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].reason, DG::DialogCloseReason::NotLoaded);
    EXPECT_EQ(closed[0].panelId, 4242);
}

TEST_F(PanelTest, ViewOfTheWrongKindIsInvalidAndRecorded) {
    TestPalette palette(module);
    DG::Button notAButton(palette, 4);
    DG::SingleSelListBox noSuchItem(palette, 11);
    EXPECT_FALSE(notAButton.IsValid());
    EXPECT_FALSE(noSuchItem.IsValid());
    notAButton.Move(5, 5);
    EXPECT_EQ(palette.roomList.GetPosition(), DG::Point(10, 90));
    EXPECT_EQ(UsageErrors(), (std::vector<std::string>{"dialog 32512: item 4 is a list box, not a button",
                                                       "dialog 32512: item 11 does not exist"}));
}

TEST_F(PanelTest, ViewsOfOneItemShareItsStateAndOutliveThePanelSafely) {
    auto palette = std::make_unique<TestPalette>(module);
    DG::Button driverView(*palette, 5);
    palette->checkRoomsButton.SetText("Recheck");
    palette->checkRoomsButton.Disable();
    EXPECT_EQ(driverView.GetText(), GS::UniString("Recheck"));
    EXPECT_FALSE(driverView.IsEnabled());
    palette->EnableItems();
    EXPECT_TRUE(driverView.IsEnabled());

    palette.reset();
    EXPECT_FALSE(driverView.IsValid());
    EXPECT_EQ(driverView.GetWidth(), 0);
}

TEST_F(PanelTest, MoveResizeArithmeticClampsSizesAndSaturatesCoordinates) {
    TestPalette palette(module);
    DG::Button& button = palette.checkRoomsButton; // 10, 210, 270 x 20
    button.Move(-3, 7);
    button.Resize(-70, 5);
    EXPECT_EQ(button.GetRect(), DG::Rect(7, 217, 207, 242));
    button.MoveAndResize(1, 1, -300, -100);
    EXPECT_EQ(button.GetPosition(), DG::Point(8, 218));
    EXPECT_EQ(button.GetWidth(), 0);
    EXPECT_EQ(button.GetHeight(), 0);
    button.SetPosition(32000, -32000);
    button.Move(32000, -32000);
    EXPECT_EQ(button.GetPosition(), DG::Point(32767, -32768));
    button.SetWidth(-5);
    EXPECT_EQ(button.GetWidth(), 0);
}

TEST_F(PanelTest, ResizeOfThePaletteMovesItemsLikeTheCheckPaletteLayout) {
    TestPalette palette(module);
    palette.Show();
    ASSERT_TRUE(palette.ResizeBy(30, 40));
    EXPECT_EQ(palette.GetWidth(), 320);
    EXPECT_EQ(palette.GetHeight(), 480);
    EXPECT_EQ(palette.roomList.GetRect(), DG::Rect(10, 90, 310, 240));
    EXPECT_EQ(palette.checkRoomsButton.GetRect(), DG::Rect(10, 250, 310, 270));
    EXPECT_EQ(palette.stampList.GetRect(), DG::Rect(10, 330, 310, 440));
    EXPECT_EQ(palette.updateWrongButton.GetRect(), DG::Rect(10, 450, 150, 470)); // 320 / 2 - 20 wide
    EXPECT_EQ(palette.updateAllButton.GetRect(), DG::Rect(165, 450, 305, 470));
    // Columns follow the new item width: (300 - 16) / 5 = 56.
    EXPECT_EQ(palette.roomList.GetTabFieldEndPosition(4), 280);
    EXPECT_EQ(palette.roomList.GetHeaderItemSize(4), 112);
    EXPECT_TRUE(UsageErrors().empty());
}

TEST_F(PanelTest, ResizeEventCarriesTheChangeThatHappened) {
    TestStampDialog dialog(module, {});
    ScriptedDriver driver;
    DG::UIDriverScope scope(&driver);
    driver.dialogScript = [](DG::ModalDialog& open) { open.ResizeBy(-300, 10); };
    dialog.Invoke();
    EXPECT_EQ(dialog.GetWidth(), 0);
    // The buttons moved by the 270 the panel really shrank, not by 300.
    EXPECT_EQ(dialog.okButton.GetPosition(), DG::Point(-115, 130));
    EXPECT_EQ(dialog.apartmentList.GetWidth(), 0);
}

TEST_F(PanelTest, ResizeIsRefusedOnAFixedSizeOrClosedPanel) {
    DG::ModalDialog fixed(module, FixedDialogId, module);
    ScriptedDriver driver;
    DG::UIDriverScope scope(&driver);
    bool resized = true;
    driver.dialogScript = [&](DG::ModalDialog& open) { resized = open.ResizeBy(10, 10); };
    fixed.Invoke();
    EXPECT_FALSE(resized);
    EXPECT_EQ(fixed.GetWidth(), 200);

    TestPalette palette(module); // not shown
    EXPECT_FALSE(palette.ResizeBy(10, 10));
    EXPECT_EQ(palette.GetWidth(), 290);
}

TEST_F(PanelTest, UnbalancedMoveResizeBracketIsRecorded) {
    DG::ModalDialog fixed(module, FixedDialogId, module);
    fixed.BeginMoveResizeItems();
    fixed.EndMoveResizeItems();
    EXPECT_TRUE(UsageErrors().empty());
    fixed.EndMoveResizeItems();
    EXPECT_EQ(UsageErrors().size(), 1u);
}

} // namespace
} // namespace DGTests
