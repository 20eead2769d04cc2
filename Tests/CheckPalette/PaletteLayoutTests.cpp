#include "CheckPaletteSupport.hpp"
#include "DG/Item.hpp"
#include "DG/ListBox.hpp"

namespace {

struct Box {
    short x, y, width, height;
    bool operator==(const Box& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.x << ", " << box.y << ", " << box.width << " x " << box.height << ")";
}

class PaletteLayoutTest : public PaletteTest {
protected:
    static Box ItemBox(short item) {
        const DG::Item view(*UserPalette(), item);
        return {view.GetPosition().GetX(), view.GetPosition().GetY(), view.GetWidth(), view.GetHeight()};
    }
    // Columns between consecutive edges, header sizes as given; every column plain.
    static void ExpectList(short item, const std::vector<int>& edges, const std::vector<int>& sizes) {
        const DG::ListBox list(*UserPalette(), item);
        ASSERT_EQ(list.GetTabFieldCount(), static_cast<short>(sizes.size()));
        for (short field = 1; field <= list.GetTabFieldCount(); ++field) {
            const DG::TabField tab = list.GetTabField(field);
            const std::size_t i = static_cast<std::size_t>(field - 1);
            EXPECT_EQ(tab.begin, edges[i]) << "list " << item << " field " << field;
            EXPECT_EQ(tab.end, edges[i + 1]) << "list " << item << " field " << field;
            EXPECT_EQ(list.GetHeaderItemSize(field), sizes[i]) << "list " << item << " field " << field;
            EXPECT_EQ(tab.justification, 0);
            EXPECT_EQ(tab.truncation, 0);
            EXPECT_FALSE(tab.hasSeparator);
            EXPECT_TRUE(tab.status);
        }
    }
    // Room list: u, u, u, 2u; stamp list: s, 2s.
    static void ExpectColumns(int u, int s) {
        ExpectList(4, {0, u, 2 * u, 3 * u, 5 * u}, {u, u, u, 2 * u});
        ExpectList(8, {0, s, 3 * s}, {s, 2 * s});
    }
    void ResizeBy(short h, short v) {
        bool resized = false;
        host.RunAddOnCall([&] { resized = UserPalette()->ResizeBy(h, v); });
        ASSERT_TRUE(resized);
    }
};

// Lists 270 wide, 254 inside the scroll bar: u = 50, s = 84.
TEST_F(PaletteLayoutTest, ColumnsAndHeadersAfterConstruction) {
    Palette();
    ExpectColumns(50, 84);
    const DG::ListBox rooms(*UserPalette(), 4);
    const DG::ListBox stamps(*UserPalette(), 8);
    EXPECT_EQ(rooms.GetHeaderItemText(1).ToUtf8(), "No.");
    EXPECT_EQ(rooms.GetHeaderItemText(2).ToUtf8(), "Name");
    EXPECT_EQ(rooms.GetHeaderItemText(3).ToUtf8(), "Story");
    EXPECT_EQ(rooms.GetHeaderItemText(4).ToUtf8(), "Apartment ID");
    EXPECT_EQ(stamps.GetHeaderItemText(1).ToUtf8(), "Story");
    EXPECT_EQ(stamps.GetHeaderItemText(2).ToUtf8(), "Apartment ID");
}

TEST_F(PaletteLayoutTest, OpeningLaysTheColumnsOutAgain) {
    Palette();
    DG::Item(*UserPalette(), 4).SetWidth(116); // 100 inside: u = 20
    DG::Item(*UserPalette(), 8).SetWidth(166); // 150 inside: s = 50
    ShowPalette();
    ExpectColumns(20, 50);
}

struct ResizeCase {
    short h, v;
    short buttonWidth, rightButtonX; // half the palette width - 20, and + 5
    short u, s;
};

std::ostream& operator<<(std::ostream& out, const ResizeCase& c) {
    return out << "by (" << c.h << ", " << c.v << ")";
}

class PaletteResizeTest : public PaletteLayoutTest, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(PaletteResizeTest, VerticalGrowthGoesToTheRoomListAndTheButtonsShareTheWidth) {
    const ResizeCase c = GetParam();
    ShowPalette();
    ResizeBy(c.h, c.v);
    const short w = static_cast<short>(270 + c.h);
    EXPECT_EQ(ItemBox(2), (Box{10, 40, w, 2}));
    EXPECT_EQ(ItemBox(3), (Box{10, 50, w, 30}));
    EXPECT_EQ(ItemBox(4), (Box{10, 90, w, static_cast<short>(110 + c.v)}));
    EXPECT_EQ(ItemBox(5), (Box{10, static_cast<short>(210 + c.v), w, 20}));
    EXPECT_EQ(ItemBox(6), (Box{10, static_cast<short>(240 + c.v), w, 2}));
    EXPECT_EQ(ItemBox(7), (Box{10, static_cast<short>(250 + c.v), w, 30}));
    EXPECT_EQ(ItemBox(8), (Box{10, static_cast<short>(290 + c.v), w, 110}));
    EXPECT_EQ(ItemBox(9), (Box{10, static_cast<short>(410 + c.v), c.buttonWidth, 20}));
    EXPECT_EQ(ItemBox(10), (Box{c.rightButtonX, static_cast<short>(410 + c.v), c.buttonWidth, 20}));
    ExpectColumns(c.u, c.s);
}

INSTANTIATE_TEST_SUITE_P(Resizes, PaletteResizeTest,
                         ::testing::Values(ResizeCase{0, 0, 130, 150, 50, 84},    // nothing happens
                                           ResizeCase{0, 30, 125, 150, 50, 84},   // 290 wide: 125, not 130
                                           ResizeCase{40, 60, 145, 170, 58, 98},  // 330 wide
                                           ResizeCase{-21, -10, 114, 139, 46, 77} // 269 wide: half 134
                                           ));

TEST_F(PaletteLayoutTest, ButtonsFollowThePaletteWidthNotTheSumOfChanges) {
    ShowPalette();
    ResizeBy(40, 60);
    ResizeBy(-40, -60);
    EXPECT_EQ(ItemBox(4), (Box{10, 90, 270, 110}));
    EXPECT_EQ(ItemBox(9), (Box{10, 410, 125, 20}));
    EXPECT_EQ(ItemBox(10), (Box{150, 410, 125, 20}));
    ExpectColumns(50, 84);
}

} // namespace
