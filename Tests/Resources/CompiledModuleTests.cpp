#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Formats/Bytes.hpp"
#include "RS/RS.hpp"
#include "ResourceIds.hpp"
#include "ResourceImage.hpp"
#include "TestSupport.hpp"

// The add-on's real resource module, as the build compiled it, read back through RS and compared
// with the texts and layouts the add-on must show.
namespace ResourceTests {
namespace {

class CompiledModuleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        image_ = ReadBytes(ZM_RESOURCE_MODULE_PATH);
        std::string error;
        module_ = RS::RegisterModule(image_.data(), image_.size(), "ZarimarkResources", &error);
        ASSERT_NE(module_, InvalidResModule) << error;
    }
    static void TearDownTestSuite() { RS::UnregisterModule(module_); }

    static std::u16string Item(GSResID list, Int32 index) {
        GS::UniString text(u"<missing>");
        EXPECT_TRUE(RSGetIndString_ParamAdapter(&text, list, index, module_)) << list << "/" << index;
        return text.GetUnits();
    }

    static std::vector<unsigned char> image_;
    static GSResModule module_;
};

std::vector<unsigned char> CompiledModuleTest::image_;
GSResModule CompiledModuleTest::module_ = InvalidResModule;

const std::u16string supportAddress = u"<support@zarimark.com>";

TEST_F(CompiledModuleTest, EmbeddedImageIsTheModuleFile) {
    ASSERT_EQ(ZarimarkResourceImage::Size(), image_.size());
    EXPECT_TRUE(std::equal(image_.begin(), image_.end(), ZarimarkResourceImage::Data()));
}

TEST_F(CompiledModuleTest, StringListTexts) {
    EXPECT_EQ(Item(ZM_STRS_ADDON_NAME, ZM_ADDON_NAME_ITEM), u"Zarimark");
    EXPECT_EQ(Item(ZM_STRS_ADDON_NAME, ZM_ADDON_DESCRIPTION_ITEM),
              u"Create automatically updating apartment stamps.\n\nVersion: %s");
    EXPECT_EQ(Item(ZM_STRS_MENU_CREATE, ZM_MENU_ITEM), u"Create Zarimark");
    EXPECT_EQ(Item(ZM_STRS_MENU_PALETTE, ZM_MENU_ITEM), u"Zarimark Palette^10001");
    EXPECT_EQ(Item(ZM_STRS_UNDO_UPDATE_STAMPS, ZM_MENU_ITEM), u"Update Zarimarks");
    EXPECT_EQ(Item(ZM_STRS_PALETTE_COLUMNS, ZM_COLUMN_NUMBER_ITEM), u"No.");
    EXPECT_EQ(Item(ZM_STRS_PALETTE_COLUMNS, ZM_COLUMN_NAME_ITEM), u"Name");
    EXPECT_EQ(Item(ZM_STRS_PALETTE_COLUMNS, ZM_COLUMN_STORY_ITEM), u"Story");
    EXPECT_EQ(Item(ZM_STRS_PALETTE_COLUMNS, ZM_COLUMN_APARTMENT_ID_ITEM), u"Apartment ID");
}

TEST_F(CompiledModuleTest, StringListsHaveNoExtraItems) {
    const std::pair<GSResID, std::size_t> lists[] = {
        {32000, 2}, {32501, 1}, {32502, 1}, {32504, 1}, {32513, 4}};
    for (const auto& [id, count] : lists) {
        std::vector<GS::UniString> items;
        ASSERT_TRUE(RS::GetStringList(module_, id, &items)) << id;
        EXPECT_EQ(items.size(), count) << id;
    }
    EXPECT_EQ(RS::ListResources(module_, RS::StringListType),
              (std::vector<GSResID>{32000, 32501, 32502, 32504, 32513}));
}

struct ExpectedAlert {
    GSResID id;
    RS::AlertKind kind;
    std::u16string title;
    std::u16string largeText;
    std::u16string smallText;
    std::u16string buttons[3];
};

TEST_F(CompiledModuleTest, AlertTexts) {
    using K = RS::AlertKind;
    const ExpectedAlert expected[] = {
        {31001,
         K::Error,
         u"Zarimark Error",
         u"Unexpected error while updating Zarimarks!",
         u"Error Code: %s\n\nThe Zarimarks might contain wrong values now. Please recreate them.\n\nPlease "
         u"send the "
         u"error code and a brief description of what triggered the error to " +
             supportAddress + u".",
         {u"OK", u"", u""}},
        {31010,
         K::Error,
         u"Zarimark Error",
         u"Some rooms are not reserved!",
         u"No 'Zarimarks' will be created.\nThe following rooms are not in your Teamwork workspace:\n\n%s",
         {u"Reserve Rooms and Create Zarimarks", u"Cancel", u""}},
        {31011,
         K::Error,
         u"Zarimark Error",
         u"Some Zarimarks are not reserved!",
         u"The following Zarimarks are not in your Teamwork workspace:\n\n%s",
         {u"Reserve and update Zarimarks", u"Cancel", u""}},
        {31012,
         K::Error,
         u"Zarimark Error",
         u"Some Zarimarks could not be updated!",
         u"The last Operation should update Zarimarks, but it wasn't able to complete.\nZarimarks with "
         u"incorrect "
         u"values may exist now. Please ensure, that all Zarimarks are editable (unlocked, visible, reserved "
         u"and "
         u"not grouped). If the error persists, please contact " +
             supportAddress + u" for support.",
         {u"OK", u"", u""}},
        {31016,
         K::Error,
         u"Zarimark Error",
         u"Unexpected error while operating on Zarimarks.",
         u"Error Code: %s\n\nPlease send the error code and a brief description of how to reproduce the "
         u"error "
         u"to " +
             supportAddress + u".",
         {u"OK", u"", u""}},
        {31018,
         K::Error,
         u"Zarimark Error",
         u"Error while updating Zarimark.",
         u"One or more Zarimarks is/are no longer using the correct label. These labels cannot be updated by "
         u"the "
         u"Add-On and therefor will no longer be managed by the Add-On.",
         {u"OK", u"", u""}},
        {31019,
         K::Warning,
         u"Zarimark Warning",
         u"Some rooms in the project have no accessible Apartment ID!",
         u"Those rooms can't be considered for Zarimarks.",
         {u"OK", u"", u"Don't Show This Again"}},
        {31020,
         K::Warning,
         u"Zarimark Warning",
         u"The clicked room doesn't have an associated Apartment ID!",
         u"Please choose an Apartment ID / ZARI ID from this floor in the next dialog.",
         {u"OK", u"", u""}},
        {31021,
         K::Error,
         u"Zarimark Error",
         u"Layer for Labels is unavailable, hidden or locked!",
         u"Please change the layer in the label settings!\nThe Zarimarks won't be created for this "
         u"operation.",
         {u"OK", u"", u""}},
    };
    std::vector<GSResID> ids;
    for (const ExpectedAlert& want : expected) {
        SCOPED_TRACE(want.id);
        ids.push_back(want.id);
        RS::AlertResource alert;
        ASSERT_TRUE(RS::GetAlert(module_, want.id, &alert));
        EXPECT_EQ(alert.kind, want.kind);
        EXPECT_EQ(alert.title.GetUnits(), want.title);
        EXPECT_EQ(alert.largeText.GetUnits(), want.largeText);
        EXPECT_EQ(alert.smallText.GetUnits(), want.smallText);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(alert.buttons[i].GetUnits(), want.buttons[i]) << "button " << i + 1;
        EXPECT_EQ(alert.defaultButton, 1);
    }
    EXPECT_EQ(RS::ListResources(module_, RS::AlertType), ids);
}

TEST_F(CompiledModuleTest, AlertIdsMatchTheirNames) {
    EXPECT_EQ(ZM_ALERT_UNEXPECTED_EVENT_ERROR, 31001);
    EXPECT_EQ(ZM_ALERT_ROOMS_NOT_RESERVED, 31010);
    EXPECT_EQ(ZM_ALERT_STAMPS_NOT_RESERVED, 31011);
    EXPECT_EQ(ZM_ALERT_STAMPS_NOT_UPDATED, 31012);
    EXPECT_EQ(ZM_ALERT_UNEXPECTED_COMMAND_ERROR, 31016);
    EXPECT_EQ(ZM_ALERT_STAMP_LABEL_REPLACED, 31018);
    EXPECT_EQ(ZM_ALERT_MISSING_APARTMENT_ID, 31019);
    EXPECT_EQ(ZM_ALERT_CLICKED_ROOM_WITHOUT_ID, 31020);
    EXPECT_EQ(ZM_ALERT_LABEL_LAYER_UNAVAILABLE, 31021);
    EXPECT_EQ(ZM_FLDR_BUILTIN_LIBRARY, 128);
    EXPECT_EQ(ZM_FILE_STAMP_LIBPART, 31990);
}

struct ExpectedItem {
    RS::ItemKind kind;
    Int16 x, y, width, height;
    std::u16string text;
    bool hasHeader;
};

void ExpectItems(const RS::DialogResource& dialog, const std::vector<ExpectedItem>& expected) {
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i + 1));
        const RS::DialogItemResource& item = dialog.items[i];
        EXPECT_EQ(item.kind, expected[i].kind);
        EXPECT_EQ(item.x, expected[i].x);
        EXPECT_EQ(item.y, expected[i].y);
        EXPECT_EQ(item.width, expected[i].width);
        EXPECT_EQ(item.height, expected[i].height);
        EXPECT_EQ(item.text.GetUnits(), expected[i].text);
        EXPECT_EQ(item.hasHeader, expected[i].hasHeader);
    }
}

TEST_F(CompiledModuleTest, CreateStampDialogLayout) {
    RS::DialogResource dialog;
    ASSERT_TRUE(RS::GetDialog(module_, ZM_DIALOG_CREATE_STAMP, &dialog));
    EXPECT_EQ(dialog.kind, RS::DialogKind::Modal);
    EXPECT_TRUE(dialog.resizable);
    EXPECT_EQ(dialog.width, 270);
    EXPECT_EQ(dialog.height, 150);
    EXPECT_EQ(dialog.title.GetUnits(), u"Create Zarimark");
    using K = RS::ItemKind;
    ExpectItems(dialog, {{K::Button, 155, 120, 65, 20, u"OK", false},
                         {K::Button, 80, 120, 65, 20, u"Cancel", false},
                         {K::LeftText, 10, 10, 250, 20, u"Select one Apartment ID from this floor:", false},
                         {K::SingleSelList, 10, 30, 250, 80, u"", false}});
}

TEST_F(CompiledModuleTest, CheckPaletteLayout) {
    RS::DialogResource dialog;
    ASSERT_TRUE(RS::GetDialog(module_, ZM_DIALOG_CHECK_PALETTE, &dialog));
    EXPECT_EQ(dialog.kind, RS::DialogKind::Palette);
    EXPECT_TRUE(dialog.resizable);
    EXPECT_EQ(dialog.x, 100);
    EXPECT_EQ(dialog.y, 100);
    EXPECT_EQ(dialog.width, 290);
    EXPECT_EQ(dialog.height, 440);
    EXPECT_EQ(dialog.title.GetUnits(), u"Zarimark");
    using K = RS::ItemKind;
    ExpectItems(
        dialog,
        {{K::LeftText, 0, 0, 0, 0, u"", false}, // placeholder
         {K::Separator, 10, 40, 270, 2, u"", false},
         {K::LeftText, 10, 50, 270, 30,
          u"These rooms have inconsistent area values.\nFix them with 'Design -> Update Zones...'", false},
         {K::SingleSelList, 10, 90, 270, 110, u"", true},
         {K::Button, 10, 210, 270, 20, u"Check Rooms", false},
         {K::Separator, 10, 240, 270, 2, u"", false},
         {K::LeftText, 10, 250, 270, 30,
          u"These Zarimarks have wrong area values.\nFix them with one of the buttons below.", false},
         {K::SingleSelList, 10, 290, 270, 110, u"", true},
         {K::Button, 10, 410, 130, 20, u"Update Wrong Stamps", false},
         {K::Button, 150, 410, 130, 20, u"Update All Stamps", false}});
}

TEST_F(CompiledModuleTest, EveryDialogHasHelp) {
    const std::vector<GSResID> dialogs = {ZM_DIALOG_CREATE_STAMP, ZM_DIALOG_CHECK_PALETTE};
    EXPECT_EQ(RS::ListResources(module_, RS::DialogType), dialogs);
    EXPECT_EQ(RS::ListResources(module_, RS::DialogHelpType), dialogs);
}

TEST_F(CompiledModuleTest, IdentifierIsLengthAndTwoNumbers) {
    std::vector<unsigned char> data;
    ASSERT_TRUE(RS::GetResourceData(module_, RS::IdentifierType, ZM_MDID_ADDON_IDENTIFIER, &data));
    const std::vector<unsigned char> expected = {0x08, 0x00, 0x00, 0x00, 0x49, 0x52,
                                                 0x41, 0x5A, 0x4B, 0x52, 0x41, 0x4D}; // 8, "ZARI", "MARK"
    EXPECT_EQ(data, expected);
}

TEST_F(CompiledModuleTest, IconHasBothResolutionGroups) {
    std::vector<unsigned char> data;
    ASSERT_TRUE(RS::GetResourceData(module_, RS::IconType, ZM_ICON_PALETTE, &data));
    Formats::ByteReader in(data);
    std::uint16_t count = 0;
    ASSERT_TRUE(in.U16(&count));
    ASSERT_EQ(count, 2);
    const std::pair<std::uint16_t, std::u16string> groups[] = {{96, u"I10001&96"}, {192, u"I10001&192"}};
    for (const auto& [wantDpi, wantGroup] : groups) {
        std::uint16_t dpi = 0;
        std::u16string group;
        std::uint32_t length = 0;
        std::vector<unsigned char> png;
        ASSERT_TRUE(in.U16(&dpi) && in.CountedUtf16(&group) && in.U32(&length) && in.Bytes(length, &png));
        EXPECT_EQ(dpi, wantDpi);
        EXPECT_EQ(group, wantGroup);
        ASSERT_GE(png.size(), 24u);
        EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
        EXPECT_EQ(png[19], wantDpi / 6); // width, big-endian: 16 and 32 pixels
    }
    EXPECT_TRUE(in.AtEnd());
}

} // namespace
} // namespace ResourceTests
