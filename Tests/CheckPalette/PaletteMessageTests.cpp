#include "AddOn/AddOnMain.hpp"
#include "AddOn/CheckPaletteCallback.hpp"
#include "CheckPaletteSupport.hpp"
#include "DG/Item.hpp"

using namespace Zarimark;

namespace {

using PaletteMessageTest = PaletteTest;

TEST_F(PaletteMessageTest, VisibilityQueryBeforeAnyUseBuildsTheHiddenPalette) {
    bool visible = true;
    EXPECT_EQ(CheckPaletteControlCallback(ReferenceId(), APIPalMsg_IsPaletteVisible, &visible), NoError);
    EXPECT_FALSE(visible);
    ASSERT_NE(UserPalette(), nullptr);
    EXPECT_FALSE(UserPalette()->IsVisible());
    EXPECT_EQ(UserPalette()->GetTitle().ToUtf8(), "Zarimark");

    ShowPalette();
    EXPECT_TRUE(Message(APIPalMsg_IsPaletteVisible));
}

TEST_F(PaletteMessageTest, MessageForAnotherPaletteIsIgnored) {
    for (Int32 message = 1; message <= 7; ++message) {
        bool flag = true;
        EXPECT_EQ(CheckPaletteControlCallback(ReferenceId() + 1, message, &flag), NoError);
        EXPECT_TRUE(flag) << message;
    }
    EXPECT_FALSE(CheckPalette::HasInstance());
    EXPECT_TRUE(DG::GetUILog().empty());
}

TEST_F(PaletteMessageTest, CloseBoxHidesThePaletteAndMessage3BringsItBack) {
    ShowPalette();
    bool pressed = false;
    host.RunAddOnCall([&] { pressed = UserPalette()->PressCloseBox(); });
    ASSERT_TRUE(pressed);
    EXPECT_FALSE(IsShown());
    EXPECT_FALSE(Message(APIPalMsg_IsPaletteVisible));

    Message(APIPalMsg_HidePalette_End);
    EXPECT_TRUE(IsShown());
}

TEST_F(PaletteMessageTest, Message3AloneDoesNotShowANeverShownPalette) {
    Message(APIPalMsg_HidePalette_End);
    ASSERT_TRUE(CheckPalette::HasInstance());
    EXPECT_FALSE(IsShown());

    Message(APIPalMsg_OpenPalette);
    EXPECT_TRUE(IsShown());
}

class HideMessageTest : public PaletteTest, public ::testing::WithParamInterface<Int32> {};

TEST_P(HideMessageTest, HidesTheVisiblePaletteUntilMessage3) {
    ShowPalette();
    Message(GetParam());
    EXPECT_FALSE(IsShown());
    Message(APIPalMsg_HidePalette_End);
    EXPECT_TRUE(IsShown());
}

// After the close box, message 3 alone would show it again (see above): the hidden case forgets that.
TEST_P(HideMessageTest, WhileHiddenKeepsMessage3FromShowingThePalette) {
    ShowPalette();
    host.RunAddOnCall([&] { UserPalette()->PressCloseBox(); });
    ASSERT_FALSE(IsShown());
    Message(GetParam());
    Message(APIPalMsg_HidePalette_End);
    EXPECT_FALSE(IsShown());
}

INSTANTIATE_TEST_SUITE_P(CloseAndHideBegin, HideMessageTest,
                         ::testing::Values(APIPalMsg_ClosePalette, APIPalMsg_HidePalette_Begin));

TEST_F(PaletteMessageTest, DisableAndEnableItems) {
    ShowPalette();
    Message(APIPalMsg_DisableItems_Begin);
    for (short item = 2; item <= 10; ++item)
        EXPECT_FALSE(DG::Item(*UserPalette(), item).IsEnabled()) << item;
    EXPECT_FALSE(UserPalette()->ClickButton(5));

    Message(APIPalMsg_DisableItems_End);
    for (short item = 2; item <= 10; ++item)
        EXPECT_TRUE(DG::Item(*UserPalette(), item).IsEnabled()) << item;
    Click(5);
}

TEST_F(PaletteMessageTest, UnknownMessagesChangeNothing) {
    for (Int32 message : {0, 8, -1, 100}) {
        ShowPalette();
        Message(message);
        EXPECT_TRUE(IsShown()) << message;
        host.RunAddOnCall([&] { UserPalette()->PressCloseBox(); });
        Message(message);
        EXPECT_FALSE(IsShown()) << message;
        Message(APIPalMsg_HidePalette_End);
        EXPECT_TRUE(IsShown()) << message;
    }
}

TEST_F(PaletteMessageTest, ReleasingTheAddOnUnregistersAndDestroysThePalette) {
    ShowPalette();
    ASSERT_EQ(host.GetModelessWindows().size(), 1u);

    EXPECT_EQ(ReleaseAddOn(), NoError);
    EXPECT_TRUE(host.GetModelessWindows().empty());
    EXPECT_FALSE(CheckPalette::HasInstance());
    EXPECT_EQ(UserPalette(), nullptr);
}

} // namespace
