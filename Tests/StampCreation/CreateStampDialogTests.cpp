#include "AddOn/CreateStampDialog.hpp"
#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "StampCreationSupport.hpp"

using namespace Zarimark;

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const PleaseChoose = "Please choose a ZARI ID!";

class CreateStampDialogTest : public CreationTest {
protected:
    // Zones of the current story with IDs B, A, B, the empty ID and none; C lies on story 1.
    void SetUp() override {
        CreationTest::SetUp();
        p().Room("b1", "B");
        p().Room("a1", "A");
        p().Room("b2", "B");
        p().Room("e1", "");
        p().Room("x1", nullptr);
        p().Room("c1", RoomPlan{"C", 1, {}, 1});
        p().ClearLogs();
    }

    // Invoke's answer and the chosen ID.
    std::pair<bool, std::string> Run(std::function<void(DG::ModalDialog&)> script) {
        p().user.dialog = std::move(script);
        CreateStampDialog dialog;
        EXPECT_NE(dialog.GetId(), 0);
        const bool accepted = dialog.Invoke();
        return {accepted, dialog.GetSelectedApartmentId().ToUtf8()};
    }
};

TEST_F(CreateStampDialogTest, RowsInOrderFirstMetOnCurrentStoryEmptyIdChoosable) {
    std::vector<std::string> rows;
    const auto result = Run([&](DG::ModalDialog& dialog) {
        rows = ListRows(dialog);
        EXPECT_TRUE(dialog.SelectListItem(4, 3));
        EXPECT_TRUE(dialog.ClickButton(1));
    });

    EXPECT_THAT(rows, ElementsAre("B", "A", ""));
    EXPECT_TRUE(result.first);
    EXPECT_EQ(result.second, "");
    EXPECT_THAT(p().UIEvents(), ElementsAre("opened 32510", "accepted"));
}

TEST_F(CreateStampDialogTest, OkWithoutSelectionAsksAndStaysOpen) {
    bool openAfterFirstOk = false;
    const auto result = Run([&](DG::ModalDialog& dialog) {
        EXPECT_TRUE(dialog.ClickButton(1));
        openAfterFirstOk = dialog.IsOpen();
        EXPECT_THAT(ListRows(dialog), ElementsAre("B", "A", ""));
        EXPECT_TRUE(dialog.SelectListItem(4, 2));
        EXPECT_TRUE(dialog.ClickButton(1));
    });

    EXPECT_TRUE(openAfterFirstOk);
    EXPECT_TRUE(result.first);
    EXPECT_EQ(result.second, "A");
    EXPECT_THAT(p().UIEvents(),
                ElementsAre("opened 32510", std::string("alert ") + PleaseChoose, "accepted"));
    const DG::AlertRecord alert = p().Alerts().at(0);
    EXPECT_EQ(alert.id, 0);
    EXPECT_EQ(alert.smallText.ToUtf8(), "");
    EXPECT_EQ(alert.buttons[0].ToUtf8(), "OK");
    EXPECT_EQ(alert.buttons[1].ToUtf8(), "");
}

TEST_F(CreateStampDialogTest, UnreadableStoryGivesEmptyListOnlyCancelCloses) {
    p().host.InjectFault("HostListElements", 1, InjectedCode);
    std::vector<std::string> rows = {"not read"};
    const auto result = Run([&](DG::ModalDialog& dialog) {
        rows = ListRows(dialog);
        EXPECT_TRUE(dialog.ClickButton(1));
        EXPECT_TRUE(dialog.ClickButton(1));
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_TRUE(dialog.ClickButton(2));
    });

    EXPECT_THAT(rows, IsEmpty());
    EXPECT_FALSE(result.first);
    EXPECT_EQ(result.second, "");
    const std::string ask = std::string("alert ") + PleaseChoose;
    EXPECT_THAT(p().UIEvents(), ElementsAre("opened 32510", ask, ask, "cancelled"));
}

struct CloseCase {
    const char* name;
    bool closeBox;
};

class CreateStampDialogClose : public CreateStampDialogTest,
                               public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CreateStampDialogClose, ClosingWithoutOkChoosesNothing) {
    bool closed = false;
    const auto result = Run([&](DG::ModalDialog& dialog) {
        EXPECT_TRUE(dialog.SelectListItem(4, 1));
        EXPECT_TRUE(GetParam().closeBox ? dialog.PressCloseBox() : dialog.ClickButton(2));
        closed = !dialog.IsOpen();
    });

    EXPECT_TRUE(closed);
    EXPECT_FALSE(result.first);
    EXPECT_EQ(result.second, "");
    EXPECT_THAT(p().Alerts(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateStampDialogClose,
                         ::testing::Values(CloseCase{"Cancel", false}, CloseCase{"CloseBox", true}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

// Cancel and the close box from a placement: the placed label goes, no stamp comes.
TEST_P(CreateStampDialogClose, PlacementClosedWithoutOkLeavesNoStamp) {
    p().user.dialog = [&](DG::ModalDialog& dialog) {
        EXPECT_TRUE(dialog.SelectListItem(4, 1));
        EXPECT_TRUE(GetParam().closeBox ? dialog.PressCloseBox() : dialog.ClickButton(2));
    };
    API_Guid placed;

    ASSERT_EQ(p().PlaceStamp({1.0, 1.0}, APINULLGuid, &placed), NoError);

    EXPECT_FALSE(p().Exists(placed));
    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_THAT(p().UIEvents(), ElementsAre("opened 32510", "cancelled"));
}

struct ItemLayout {
    DG::Point ok, cancel;
    short listWidth = 0, listHeight = 0, itemWidth = 0;
    DG::TabField column;
    short panelWidth = 0, panelHeight = 0;
};

ItemLayout ReadLayout(DG::ModalDialog& dialog) {
    const DG::Button ok(dialog, 1);
    const DG::Button cancel(dialog, 2);
    const DG::ListBox list(dialog, 4);
    ItemLayout layout;
    layout.ok = ok.GetPosition();
    layout.cancel = cancel.GetPosition();
    layout.listWidth = list.GetWidth();
    layout.listHeight = list.GetHeight();
    layout.itemWidth = list.GetItemWidth();
    layout.column = list.GetTabField(1);
    layout.panelWidth = dialog.GetWidth();
    layout.panelHeight = dialog.GetHeight();
    return layout;
}

struct ResizeCase {
    const char* name;
    short dx, dy;
};

class CreateStampDialogResize : public CreateStampDialogTest,
                                public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(CreateStampDialogResize, ButtonsKeepCornerDistanceListTakesRoom) {
    const ResizeCase& c = GetParam();
    ItemLayout before, after;
    const auto result = Run([&](DG::ModalDialog& dialog) {
        before = ReadLayout(dialog);
        ASSERT_TRUE(dialog.ResizeBy(c.dx, c.dy));
        after = ReadLayout(dialog);
        EXPECT_TRUE(dialog.SelectListItem(4, 2));
        EXPECT_TRUE(dialog.ClickButton(1));
    });

    ASSERT_EQ(after.panelWidth, before.panelWidth + c.dx);
    ASSERT_EQ(after.panelHeight, before.panelHeight + c.dy);
    // On opening the one column spans the list's items.
    EXPECT_EQ(before.column.begin, 0);
    EXPECT_EQ(before.column.end, before.itemWidth);
    for (const auto& button :
         {std::make_pair(before.ok, after.ok), std::make_pair(before.cancel, after.cancel)}) {
        EXPECT_EQ(button.second.GetX(), button.first.GetX() + c.dx);
        EXPECT_EQ(button.second.GetY(), button.first.GetY() + c.dy);
        EXPECT_EQ(after.panelWidth - button.second.GetX(), before.panelWidth - button.first.GetX());
    }
    EXPECT_EQ(after.listWidth, before.listWidth + c.dx);
    EXPECT_EQ(after.listHeight, before.listHeight + c.dy);
    EXPECT_EQ(after.column.begin, 0);
    EXPECT_EQ(after.column.end, after.itemWidth);
    EXPECT_EQ(after.itemWidth, before.itemWidth + c.dx);
    EXPECT_TRUE(result.first);
    EXPECT_EQ(result.second, "A");
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateStampDialogResize,
                         ::testing::Values(ResizeCase{"Larger", 40, 25}, ResizeCase{"Smaller", -20, -10},
                                           ResizeCase{"WiderOnly", 35, 0}, ResizeCase{"TallerOnly", 0, 30}),
                         [](const ::testing::TestParamInfo<ResizeCase>& info) { return info.param.name; });

} // namespace
