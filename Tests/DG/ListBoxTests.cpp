#include "DGTestFixture.hpp"

namespace DGTests {
namespace {

class ListBoxTest : public DGTest {
protected:
    void SetUp() override {
        DGTest::SetUp();
        palette = std::make_unique<TestPalette>(module);
    }
    void TearDown() override {
        palette.reset();
        DGTest::TearDown();
    }

    // Column 1 of every row, joined by '|'.
    static std::string Column1(const DG::ListBox& list) {
        std::string joined;
        for (short row = 1; row <= list.GetItemCount(); ++row)
            joined += (row > 1 ? "|" : "") + list.GetTabItemText(row, 1).ToUtf8();
        return joined;
    }

    static void Fill(DG::ListBox& list, std::initializer_list<const char*> texts) {
        for (const char* text : texts) {
            list.AppendItem();
            list.SetTabItemText(list.GetItemCount(), 1, text);
        }
    }

    std::unique_ptr<TestPalette> palette;
};

TEST_F(ListBoxTest, RowsKeepTheirTabTextsThroughInsertAndDelete) {
    DG::SingleSelListBox& list = palette->roomList;
    Fill(list, {"a", "b", "c"});
    list.SetTabItemText(2, 4, "b4");
    ASSERT_TRUE(list.InsertItem(1));
    list.SetTabItemText(1, 1, "first");
    EXPECT_EQ(Column1(list), "first|a|b|c");
    EXPECT_EQ(list.GetTabItemText(3, 4), GS::UniString("b4"));
    list.DeleteItem(2);
    EXPECT_EQ(Column1(list), "first|b|c");
    EXPECT_EQ(list.GetTabItemText(2, 4), GS::UniString("b4"));

    DG::SingleSelListBox driverView(*palette, 4);
    EXPECT_EQ(driverView.GetItemCount(), 3);
    list.DeleteItem(DG::ListBox::AllItems);
    EXPECT_EQ(driverView.GetItemCount(), 0);
    EXPECT_TRUE(UsageErrors().empty());
}

TEST_F(ListBoxTest, SingleSelectionFollowsItsRow) {
    DG::SingleSelListBox& list = palette->stampList;
    Fill(list, {"a", "b", "c", "d"});
    EXPECT_EQ(list.GetSelectedItem(), 0);
    list.SelectItem(2);
    list.SelectItem(3);
    EXPECT_EQ(list.GetSelectedItem(), 3);
    EXPECT_EQ(list.GetSelectedCount(), 1);
    EXPECT_EQ(list.GetSelectedItem(4), 0); // searching from row 4 on
    list.DeleteItem(1);
    EXPECT_EQ(list.GetSelectedItem(), 2); // "c" moved up
    list.DeleteItem(2);
    EXPECT_EQ(list.GetSelectedItem(), 0);
    list.SelectItem(1);
    list.DeselectItem(DG::ListBox::AllItems);
    EXPECT_EQ(list.GetSelectedCount(), 0);
}

TEST_F(ListBoxTest, OutOfRangeRowsAndFieldsChangeNothingAndAreRecorded) {
    DG::SingleSelListBox& list = palette->stampList; // 2 tab fields
    Fill(list, {"a"});
    list.SetTabItemText(2, 1, "x");
    list.SetTabItemText(1, 3, "x");
    list.SelectItem(0);
    EXPECT_TRUE(list.GetTabItemText(5, 1).IsEmpty());
    EXPECT_FALSE(list.InsertItem(3));
    list.DeleteItem(0);
    EXPECT_EQ(Column1(list), "a");
    EXPECT_EQ(list.GetSelectedItem(), 0);
    const auto errors = UsageErrors();
    ASSERT_EQ(errors.size(), 6u);
    EXPECT_EQ(errors[0], "dialog 32512: item 8: SetTabItemText row 2, valid are 1 to 1");
    EXPECT_EQ(errors[1], "dialog 32512: item 8: SetTabItemText tab field 3, valid are 1 to 2");
}

TEST_F(ListBoxTest, TabFieldCountChangesKeepTheRemainingTexts) {
    DG::SingleSelListBox& list = palette->roomList;
    Fill(list, {"a"});
    list.SetTabItemText(1, 2, "a2");
    list.SetTabFieldCount(1);
    list.SetTabFieldCount(3);
    EXPECT_EQ(list.GetTabItemText(1, 1), GS::UniString("a"));
    EXPECT_TRUE(list.GetTabItemText(1, 2).IsEmpty());
    EXPECT_EQ(list.GetHeaderItemText(1), GS::UniString("No."));
    EXPECT_TRUE(list.GetHeaderItemText(3).IsEmpty()); // a new field starts blank
}

TEST_F(ListBoxTest, ColumnsAreLaidOutFromTheItemWidth) {
    // 270 wide less the 16 of the scroll bar: u = 254 / 5 = 50, s = 254 / 3 = 84.
    const DG::SingleSelListBox& rooms = palette->roomList;
    EXPECT_EQ(rooms.GetItemWidth(), 254);
    EXPECT_EQ(rooms.GetHeaderItemSize(4), 100);
    EXPECT_EQ(rooms.GetTabFieldBeginPosition(4), 150);
    EXPECT_EQ(rooms.GetTabFieldEndPosition(4), 250);
    const DG::TabField field = rooms.GetTabField(2);
    EXPECT_EQ(field.begin, 50);
    EXPECT_EQ(field.justification, DG::ListBox::DefaultJust);
    EXPECT_TRUE(field.status);
    EXPECT_FALSE(field.hasSeparator);
    EXPECT_EQ(palette->stampList.GetTabFieldWidth(2), 168);
    EXPECT_EQ(palette->stampList.GetHeaderItemText(1), GS::UniString("Story"));

    palette->roomList.SetWidth(10);
    EXPECT_EQ(palette->roomList.GetItemWidth(), 0);
}

TEST_F(ListBoxTest, UserSelectionNotifiesOnlyOnChange) {
    palette->Show();
    Fill(palette->roomList, {"a", "b"});
    EXPECT_TRUE(palette->SelectListItem(4, 2));
    EXPECT_TRUE(palette->SelectListItem(4, 2));
    EXPECT_FALSE(palette->SelectListItem(4, 3));
    EXPECT_EQ(palette->roomList.GetSelectedItem(), 2);
    EXPECT_EQ(palette->selectionChangedLists, (std::vector<short>{4}));
}

} // namespace
} // namespace DGTests
