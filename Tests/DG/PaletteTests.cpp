#include "DGTestFixture.hpp"

namespace DGTests {
namespace {

using PaletteTest = DGTest;

TEST_F(PaletteTest, ShowAndHideAreLoggedOnChangeAndOpenOnlyOnce) {
    TestPalette palette(module);
    EXPECT_FALSE(palette.IsVisible());
    palette.Show(DG::ModelessBase::DefaultPosition);
    palette.Show(-32768);
    EXPECT_TRUE(palette.IsVisible());
    palette.Hide();
    palette.Hide();
    EXPECT_FALSE(palette.IsVisible());
    palette.Show();
    EXPECT_EQ(palette.openedCount, 1);

    const auto log = DG::GetUILog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].kind, DG::UILogKind::PanelShown);
    EXPECT_EQ(log[1].kind, DG::UILogKind::PanelHidden);
    EXPECT_EQ(log[2].kind, DG::UILogKind::PanelShown);
    EXPECT_EQ(log[0].paletteGuid, PaletteGuid);
    EXPECT_EQ(log[0].panelId, PaletteId);
}

TEST_F(PaletteTest, RegistryFindsTheLivePaletteByGuid) {
    const GS::Guid otherGuid("00000000-0000-0000-0000-000000000001");
    EXPECT_EQ(DG::FindPalette(PaletteGuid), nullptr);
    {
        TestPalette palette(module);
        EXPECT_EQ(DG::FindPalette(PaletteGuid), &palette);
        EXPECT_EQ(DG::FindPalette(otherGuid), nullptr);
    }
    EXPECT_EQ(DG::FindPalette(PaletteGuid), nullptr);
}

TEST_F(PaletteTest, CloseBoxAsksTheObserverWhichHidesThePalette) {
    TestPalette palette(module);
    palette.Show();
    ASSERT_TRUE(palette.PressCloseBox());
    EXPECT_FALSE(palette.IsVisible());
    EXPECT_TRUE(palette.reopen);
    EXPECT_FALSE(palette.PressCloseBox()); // hidden: no close box to press

    palette.Show();
    palette.keepOpen = true;
    palette.PressCloseBox();
    EXPECT_TRUE(palette.IsVisible());
}

TEST_F(PaletteTest, CloseBoxHidesAPaletteWithoutObservers) {
    DG::Palette palette(module, PaletteId, module, PaletteGuid);
    palette.BeginEventProcessing();
    palette.Show();
    palette.PressCloseBox();
    EXPECT_FALSE(palette.IsVisible());
}

TEST_F(PaletteTest, UserInputNeedsEventProcessingAndEndingItClosesThePalette) {
    TestPalette palette(module);
    palette.EndEventProcessing(); // not opened yet: no close notification
    EXPECT_EQ(palette.closedCount, 0);
    palette.Show();
    EXPECT_FALSE(palette.ClickButton(5));
    palette.BeginEventProcessing();
    EXPECT_TRUE(palette.ClickButton(5));

    palette.EndEventProcessing();
    EXPECT_EQ(palette.closedCount, 1);
    EXPECT_FALSE(palette.IsVisible());
    palette.BeginEventProcessing();
    palette.Show();
    EXPECT_EQ(palette.openedCount, 2);
}

TEST_F(PaletteTest, ShowingAPaletteWithoutResourceThrows) {
    DG::Palette palette(module, 999, module, PaletteGuid);
    EXPECT_EQ(palette.GetId(), 0);
    EXPECT_THROW(palette.Show(), DG::PanelNotLoaded);
    EXPECT_FALSE(palette.IsVisible());
    EXPECT_TRUE(DG::GetUILog().empty());
}

} // namespace
} // namespace DGTests
