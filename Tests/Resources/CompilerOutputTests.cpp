#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RS/RS.hpp"
#include "TestSupport.hpp"

namespace ResourceTests {
namespace {

// Compiles `source` (with FILE inputs from lib/) and registers the result.
class CompiledSource {
public:
    explicit CompiledSource(const std::string& source, const std::string& libraryFile = "") {
        dir_.Write("Library.grc", source);
        if (!libraryFile.empty())
            dir_.Write("lib/Zarimark.gsm", libraryFile);
        const CompilerRun run =
            RunCompiler(dir_.Path(), {"--file-dir", "lib", "--output", "Module.rsm", "Library.grc"});
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        const std::vector<unsigned char> image = ReadBytes(dir_.Path() / "Module.rsm");
        std::string error;
        module_ = RS::RegisterModule(image.data(), image.size(), "test", &error);
        EXPECT_NE(module_, InvalidResModule) << error;
    }
    ~CompiledSource() { RS::UnregisterModule(module_); }

    GSResModule Module() const { return module_; }

private:
    TempDir dir_;
    GSResModule module_ = InvalidResModule;
};

std::vector<unsigned char> Utf16Field(const std::u16string& name, std::size_t bytes) {
    std::vector<unsigned char> field(bytes, 0);
    for (std::size_t i = 0; i < name.size(); ++i) {
        field[2 * i] = static_cast<unsigned char>(name[i] & 0xFF);
        field[2 * i + 1] = static_cast<unsigned char>(name[i] >> 8);
    }
    return field;
}

TEST(CompilerOutputTest, FolderHasTheHostsFixedLayout) {
    CompiledSource compiled("'FILE' 31990 \"Stamp\" { file \"Zarimark.gsm\" }\n"
                            "'FLDR' 128 \"Built-in Library\" { \"Zarimark.gsm\" 31990 }\n",
                            "GSM");
    std::vector<unsigned char> folder;
    ASSERT_TRUE(RS::GetResourceData(compiled.Module(), RS::FolderType, 128, &folder));

    std::vector<unsigned char> expected = {0x10, 0x02, 0x00, 0x00, 0x01, 0x00}; // 528, 1 entry
    const std::vector<unsigned char> name = Utf16Field(u"Zarimark.gsm", 524);
    expected.insert(expected.end(), name.begin(), name.end());
    expected.push_back(0xF6); // 31990
    expected.push_back(0x7C);
    EXPECT_EQ(folder, expected);
}

TEST(CompilerOutputTest, FileKeepsTheBytesAfterALengthPrefix) {
    const std::string contents("WW\0\x2D binary", 11);
    CompiledSource compiled("'FILE' 31990 \"Stamp\" { file \"Zarimark.gsm\" }\n", contents);

    std::vector<unsigned char> raw;
    ASSERT_TRUE(RS::GetResourceData(compiled.Module(), RS::FileType, 31990, &raw));
    std::vector<unsigned char> expected = {11, 0, 0, 0};
    expected.insert(expected.end(), contents.begin(), contents.end());
    EXPECT_EQ(raw, expected);

    std::vector<unsigned char> file;
    ASSERT_TRUE(RS::GetFile(compiled.Module(), 31990, &file));
    EXPECT_EQ(file, std::vector<unsigned char>(contents.begin(), contents.end()));
}

TEST(CompilerOutputTest, FolderNameMayFillTheWholeField) {
    const std::string name(262, 'n');
    CompiledSource compiled("'FILE' 1 \"A\" { file \"Zarimark.gsm\" }\n"
                            "'FILE' 2 \"B\" { file \"Zarimark.gsm\" }\n"
                            "'FLDR' 128 \"Lib\" { \"" +
                                name + "\" 1 \"Second.gsm\" 2 }\n",
                            "x");
    std::vector<unsigned char> raw;
    ASSERT_TRUE(RS::GetResourceData(compiled.Module(), RS::FolderType, 128, &raw));
    EXPECT_EQ(raw.size(), 4u + 2u + 2u * 526u);
    EXPECT_EQ(raw[0] | (raw[1] << 8), 2 + 2 * 526);

    std::vector<RS::FolderEntry> entries;
    ASSERT_TRUE(RS::GetFolder(compiled.Module(), 128, &entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].fileName.GetUnits(), std::u16string(name.begin(), name.end()));
    EXPECT_EQ(entries[0].fileId, 1);
    EXPECT_EQ(entries[1].fileName.GetUnits(), u"Second.gsm");
    EXPECT_EQ(entries[1].fileId, 2);
}

TEST(CompilerOutputTest, TextsAreStoredAsUtf16WithEscapesResolved) {
    CompiledSource compiled("/* comment */ 'STR#' 9 \"List\" { \"a\\tb\\n\\\"c\\\"\\\\\" // tail\n "
                            "\"\xC3\xA9\xF0\x9F\x98\x80\" }\n");
    std::vector<GS::UniString> items;
    ASSERT_TRUE(RS::GetStringList(compiled.Module(), 9, &items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].GetUnits(), u"a\tb\n\"c\"\\");
    EXPECT_EQ(items[1].GetUnits(), u"\u00E9\U0001F600");
}

TEST(CompilerOutputTest, ResourcesKeepSourceOrder) {
    CompiledSource compiled(
        "'STR#' 3 \"Third\" { }\n'STR#' 1 \"First\" { }\n'GALR' 2 \"Alert\" { Information 1 "
        "\"t\" \"l\" \"s\" \"OK\" \"\" \"\" }\n'STR#' 2 \"Second\" { }\n");
    EXPECT_EQ(RS::ListResources(compiled.Module(), RS::StringListType), (std::vector<GSResID>{3, 1, 2}));
    EXPECT_EQ(RS::ListResources(compiled.Module(), RS::AlertType), (std::vector<GSResID>{2}));
    EXPECT_TRUE(RS::ListResources(compiled.Module(), RS::DialogType).empty());
}

} // namespace
} // namespace ResourceTests
