#include "DGTestFixture.hpp"

namespace DGTests {
namespace {

using ObserverTest = DGTest;

struct ClickCounter : DG::ButtonItemObserver {
    void ButtonClicked(const DG::ButtonClickEvent& ev) override {
        clicked.push_back(ev.GetSource()->GetId());
        if (onClick)
            onClick();
    }
    std::vector<short> clicked;
    std::function<void()> onClick;
};

// A shown palette whose own observers are detached, so only the test's observers listen.
class BarePalette : public DG::Palette {
public:
    explicit BarePalette(GSResModule module) : DG::Palette(module, PaletteId, module, PaletteGuid) {
        BeginEventProcessing();
        Show();
    }
};

TEST_F(ObserverTest, OnlyAttachedObserversAreNotifiedUntilDetached) {
    BarePalette palette(module);
    DG::Button button(palette, 5);
    ClickCounter attached;
    ClickCounter bystander;
    button.Attach(attached);
    button.Attach(attached); // twice still means once
    ASSERT_TRUE(palette.ClickButton(5));
    EXPECT_EQ(attached.clicked, (std::vector<short>{5}));
    EXPECT_TRUE(bystander.clicked.empty());

    DG::Button otherView(palette, 5);
    otherView.Detach(attached); // observers belong to the item, whichever view detaches
    palette.ClickButton(5);
    EXPECT_EQ(attached.clicked.size(), 1u);
}

TEST_F(ObserverTest, ObserverDetachedByAnEarlierOneIsNotCalled) {
    BarePalette palette(module);
    DG::Button button(palette, 9);
    ClickCounter first;
    ClickCounter second;
    button.Attach(first);
    button.Attach(second);
    first.onClick = [&] { button.Detach(second); };
    palette.ClickButton(9);
    EXPECT_EQ(first.clicked.size(), 1u);
    EXPECT_TRUE(second.clicked.empty());
}

TEST_F(ObserverTest, AttachToAllItemsCoversEveryButtonAndListAndDetachUndoesIt) {
    TestPalette palette(module);
    palette.Show();
    palette.roomList.AppendItem();
    palette.stampList.AppendItem();
    for (short id : {5, 9, 10})
        EXPECT_TRUE(palette.ClickButton(id));
    EXPECT_TRUE(palette.SelectListItem(4, 1));
    EXPECT_TRUE(palette.SelectListItem(8, 1));
    EXPECT_EQ(palette.clickedItems, (std::vector<short>{5, 9, 10}));
    EXPECT_EQ(palette.clickSourceWasMember, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(palette.selectionChangedLists, (std::vector<short>{4, 8}));

    palette.DetachFromAllItems(palette);
    palette.ClickButton(5);
    palette.SelectListItem(4, 0);
    EXPECT_EQ(palette.clickedItems.size(), 3u);
    EXPECT_EQ(palette.selectionChangedLists.size(), 2u);
}

TEST_F(ObserverTest, ClickWithoutAMemberViewStillNamesTheItem) {
    BarePalette palette(module);
    struct Observer : DG::CompoundItemObserver, DG::ButtonItemObserver {
        void ButtonClicked(const DG::ButtonClickEvent& ev) override {
            ids.push_back(ev.GetSource()->GetId());
        }
        std::vector<short> ids;
    } observer;
    observer.AttachToAllItems(palette);
    palette.ClickButton(10);
    EXPECT_EQ(observer.ids, (std::vector<short>{10}));
    observer.DetachFromAllItems(palette);
}

TEST_F(ObserverTest, UserCannotClickDisabledHiddenOrMissingButtons) {
    TestPalette palette(module);
    EXPECT_FALSE(palette.ClickButton(5)); // not shown yet
    palette.Show();
    palette.DisableItems();
    EXPECT_FALSE(palette.ClickButton(5));
    palette.EnableItems();
    palette.updateAllButton.Hide();
    EXPECT_FALSE(palette.ClickButton(10));
    EXPECT_FALSE(palette.ClickButton(4));  // a list box
    EXPECT_FALSE(palette.ClickButton(42)); // no such item
    EXPECT_TRUE(palette.ClickButton(5));
    EXPECT_EQ(palette.clickedItems, (std::vector<short>{5}));
}

TEST_F(ObserverTest, PanelObserversAreDispatchedPerPanel) {
    struct Opened : DG::PanelObserver {
        void PanelOpened(const DG::PanelOpenEvent& ev) override { sources.push_back(ev.GetSource()); }
        std::vector<DG::Panel*> sources;
    } observer;
    DG::Palette first(module, PaletteId, module, PaletteGuid);
    DG::Palette second(module, PaletteId, module, PaletteGuid);
    first.Attach(observer);
    second.Show();
    first.Show();
    first.Detach(observer);
    EXPECT_EQ(observer.sources, (std::vector<DG::Panel*>{&first}));
}

} // namespace
} // namespace DGTests
