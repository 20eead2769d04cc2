#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RS/RS.hpp"
#include "TestSupport.hpp"

namespace ResourceTests {
namespace {

using Image = std::vector<unsigned char>;

Image RealModule() {
    return ReadBytes(ZM_RESOURCE_MODULE_PATH);
}

void PutU32(Image* image, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        (*image)[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t GetU32(const Image& image, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | image[at + static_cast<std::size_t>(i)];
    return value;
}

constexpr std::size_t EntryAt(std::size_t index) {
    return 16 + 24 * index;
}

std::size_t FindEntry(const Image& image, RS::ResType type, GSResID id) {
    for (std::size_t i = 0; i < GetU32(image, 8); ++i) {
        if (GetU32(image, EntryAt(i)) == type && static_cast<GSResID>(GetU32(image, EntryAt(i) + 4)) == id)
            return i;
    }
    ADD_FAILURE() << "no such entry";
    return 0;
}

struct Corruption {
    const char* title;
    std::function<void(Image*)> apply;
    std::string reason; // a part of the refusal's text
};

std::ostream& operator<<(std::ostream& out, const Corruption& corruption) {
    return out << corruption.title;
}

const Corruption corruptions[] = {
    {"Empty", [](Image* image) { image->clear(); }, "shorter than the module header"},
    {"CutInsideHeader", [](Image* image) { image->resize(10); }, "image of 10 bytes is shorter"},
    {"TruncatedByOneByte", [](Image* image) { image->pop_back(); }, "(truncated or padded)"},
    {"BadMagic", [](Image* image) { (*image)[0] = 'X'; }, "not a resource module (bad magic)"},
    {"UnknownVersion", [](Image* image) { (*image)[4] = 2; }, "unsupported module format version 2"},
    {"DirectoryPastEnd", [](Image* image) { PutU32(image, 8, 100000); },
     "directory of 100000 entries runs past"},
    {"DataLengthPastEnd", [](Image* image) { PutU32(image, EntryAt(0) + 20, 0x7FFFFFFF); }, "its data"},
    {"DataOffsetPastEnd", [](Image* image) { PutU32(image, EntryAt(1) + 16, 0xFFFFFFF0); }, "its data"},
    {"DataOffsetInDirectory", [](Image* image) { PutU32(image, EntryAt(0) + 16, 20); },
     "lies outside the image"},
    {"NameOffsetOverflows",
     [](Image* image) {
         PutU32(image, EntryAt(0) + 8, 0xFFFFFFFE);
         PutU32(image, EntryAt(0) + 12, 4);
     },
     "its name"},
    {"OddNameLength", [](Image* image) { PutU32(image, EntryAt(0) + 12, 3); }, "its name"},
    {"DuplicateEntry",
     [](Image* image) {
         PutU32(image, EntryAt(1), GetU32(*image, EntryAt(0)));
         PutU32(image, EntryAt(1) + 4, GetU32(*image, EntryAt(0) + 4));
     },
     "appears twice"},
    {"StringListCountTooLarge",
     [](Image* image) {
         const std::size_t entry = EntryAt(FindEntry(*image, RS::StringListType, 32000));
         PutU32(image, GetU32(*image, entry + 16), 1000);
     },
     "resource 'STR#' 32000: string 3 runs past the end"},
    {"AlertKindUnknown",
     [](Image* image) {
         const std::size_t entry = EntryAt(FindEntry(*image, RS::AlertType, 31001));
         (*image)[GetU32(*image, entry + 16)] = 9;
     },
     "resource 'GALR' 31001: unknown alert kind 9"},
    {"DialogItemKindUnknown",
     [](Image* image) {
         const std::size_t entry = EntryAt(FindEntry(*image, RS::DialogType, 32510));
         const std::size_t data = GetU32(*image, entry + 16);
         const std::size_t titleUnits = GetU32(*image, data + 12);
         (*image)[data + 16 + 2 * titleUnits + 4] = 7; // first item's kind
     },
     "resource 'GDLG' 32510: item 1: unknown dialog item kind 7"},
    {"ShortenedPayloadLeavesStrayBytes",
     [](Image* image) {
         const std::size_t entry = EntryAt(FindEntry(*image, RS::IdentifierType, 32500));
         PutU32(image, entry + 20, 8);
     },
     "resource 'MDID' 32500: identifier is not a length of 8"},
};

class ModuleImageTest : public ::testing::TestWithParam<Corruption> {};

TEST_P(ModuleImageTest, RefusesMalformedImageWithReason) {
    Image image = RealModule();
    ASSERT_GT(image.size(), 100u);
    GetParam().apply(&image);
    std::string error;

    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Broken.rsm", &error);

    EXPECT_EQ(module, InvalidResModule);
    EXPECT_EQ(error.rfind("resource module 'Broken.rsm': ", 0), 0u) << error;
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Corruptions, ModuleImageTest, ::testing::ValuesIn(corruptions),
                         [](const ::testing::TestParamInfo<Corruption>& info) { return info.param.title; });

// Whatever a damaged image holds, registration either refuses it or yields one whose resources
// all read back; never a read outside the image. Every byte of the header, the directory and the
// first resources is damaged, and a sample of the bytes beyond.
TEST(ModuleRegistryTest, SingleByteDamageIsRefusedOrReadable) {
    const Image original = RealModule();
    for (std::size_t at = 0; at < original.size(); at += (at < 2048 ? 1 : 11)) {
        Image image = original;
        image[at] ^= 0xFF;
        const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Damaged", nullptr);
        if (module == InvalidResModule)
            continue;
        for (GSResID id : RS::ListResources(module, RS::StringListType)) {
            std::vector<GS::UniString> items;
            EXPECT_TRUE(RS::GetStringList(module, id, &items)) << "byte " << at;
        }
        for (GSResID id : RS::ListResources(module, RS::AlertType)) {
            RS::AlertResource alert;
            EXPECT_TRUE(RS::GetAlert(module, id, &alert)) << "byte " << at;
        }
        for (GSResID id : RS::ListResources(module, RS::DialogType)) {
            RS::DialogResource dialog;
            EXPECT_TRUE(RS::GetDialog(module, id, &dialog)) << "byte " << at;
        }
        RS::UnregisterModule(module);
    }
}

TEST(ModuleRegistryTest, EveryTruncationIsRefused) {
    const Image original = RealModule();
    for (std::size_t size = 0; size < original.size(); ++size)
        EXPECT_EQ(RS::RegisterModule(original.data(), size, "Cut", nullptr), InvalidResModule) << size;
}

TEST(ModuleRegistryTest, NullImageIsRefused) {
    std::string error;
    EXPECT_EQ(RS::RegisterModule(nullptr, 100, "Null", &error), InvalidResModule);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(RS::RegisterModule(nullptr, 0, "Null", nullptr), InvalidResModule);
}

TEST(ModuleRegistryTest, RegisteredImageIsACopy) {
    Image image = RealModule();
    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Copy", nullptr);
    ASSERT_NE(module, InvalidResModule);
    std::fill(image.begin(), image.end(), 0);

    GS::UniString text;
    EXPECT_TRUE(RSGetIndString_ParamAdapter(&text, 32000, 1, module));
    EXPECT_EQ(text.GetUnits(), u"Zarimark");
    RS::UnregisterModule(module);
}

TEST(ModuleRegistryTest, UnregisteredHandleFindsNothingAndIsNotReused) {
    const Image image = RealModule();
    const GSResModule first = RS::RegisterModule(image.data(), image.size(), "First", nullptr);
    ASSERT_NE(first, InvalidResModule);
    EXPECT_TRUE(RS::IsModuleRegistered(first));
    RS::UnregisterModule(first);

    EXPECT_FALSE(RS::IsModuleRegistered(first));
    std::vector<unsigned char> data = {1, 2, 3};
    EXPECT_FALSE(RS::GetResourceData(first, RS::StringListType, 32000, &data));
    EXPECT_EQ(data, (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_TRUE(RS::ListResources(first, RS::StringListType).empty());

    const GSResModule second = RS::RegisterModule(image.data(), image.size(), "Second", nullptr);
    EXPECT_NE(second, first);
    EXPECT_GE(second, 0);
    RS::UnregisterModule(second);
}

TEST(ModuleRegistryTest, IndStringLeavesTextUntouchedWhenMissing) {
    const Image image = RealModule();
    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Strings", nullptr);
    ASSERT_NE(module, InvalidResModule);
    GS::UniString text(u"unchanged");

    EXPECT_FALSE(RSGetIndString_ParamAdapter(&text, 32000, 0, module));
    EXPECT_FALSE(RSGetIndString_ParamAdapter(&text, 32000, 3, module));
    EXPECT_FALSE(RSGetIndString_ParamAdapter(&text, 32000, -1, module));
    EXPECT_FALSE(RSGetIndString_ParamAdapter(&text, 32001, 1, module));
    EXPECT_FALSE(RSGetIndString_ParamAdapter(&text, 31001, 1, module)); // an alert, not a list
    EXPECT_FALSE(RSGetIndString_ParamAdapter(&text, 32000, 1, module + 1000));
    EXPECT_FALSE(RSGetIndString_ParamAdapter(nullptr, 32000, 1, module));
    EXPECT_EQ(text.GetUnits(), u"unchanged");

    EXPECT_TRUE(RSGetIndString_ParamAdapter(&text, 32000, 2, module));
    EXPECT_EQ(text.GetUnits(), u"Create automatically updating apartment stamps.\n\nVersion: %s");
    RS::UnregisterModule(module);
}

TEST(ModuleRegistryTest, ReadersRefuseTheWrongTypeAndMissingIds) {
    const Image image = RealModule();
    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Readers", nullptr);
    ASSERT_NE(module, InvalidResModule);
    RS::AlertResource alert;
    RS::DialogResource dialog;
    std::vector<RS::FolderEntry> folder;
    EXPECT_FALSE(RS::GetAlert(module, 32510, &alert));
    EXPECT_FALSE(RS::GetDialog(module, 31001, &dialog));
    EXPECT_FALSE(RS::GetAlert(module, 31001, nullptr));
    EXPECT_FALSE(RS::GetFolder(module, 127, &folder));
    RS::UnregisterModule(module);
}

} // namespace
} // namespace ResourceTests
