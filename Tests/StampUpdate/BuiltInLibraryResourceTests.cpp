#include <fstream>
#include <iterator>

#include "StampTestSupport.hpp"

// The built-in library resources exactly as the host reads them from the compiled module.

namespace {

constexpr GSResID FolderId = 128;
constexpr GSResID StampFileId = 31990;

std::vector<unsigned char> Utf16Bytes(const std::u16string& text) {
    std::vector<unsigned char> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

std::vector<unsigned char> Slice(const std::vector<unsigned char>& bytes, std::size_t at, std::size_t count) {
    return std::vector<unsigned char>(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                      bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
}

unsigned U16At(const std::vector<unsigned char>& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8;
}

TEST(BuiltInLibraryResources, FolderListsTheStampFileInItsFixedLayout) {
    const std::vector<unsigned char> folder =
        ResourceBytes(CompiledResourceModule(), RS::FolderType, FolderId);
    ASSERT_EQ(folder.size(), 532u);
    EXPECT_EQ(GetU32(folder, 0), 528u);
    EXPECT_EQ(U16At(folder, 4), 1u);
    const std::vector<unsigned char> name = Utf16Bytes(u"Zarimark.gsm");
    EXPECT_EQ(Slice(folder, 6, name.size()), name);
    // The rest of the 524-byte name field is zero padding, up to the FILE ID.
    const std::vector<unsigned char> padding = Slice(folder, 6 + name.size(), 524 - name.size());
    EXPECT_EQ(padding, std::vector<unsigned char>(524 - name.size(), 0));
    EXPECT_EQ(U16At(folder, 530), 31990u);
}

TEST(BuiltInLibraryResources, FileHoldsThePackedPartBehindItsLength) {
    const std::vector<unsigned char> file =
        ResourceBytes(CompiledResourceModule(), RS::FileType, StampFileId);
    ASSERT_GE(file.size(), 4u);
    EXPECT_EQ(GetU32(file, 0), file.size() - 4);

    std::ifstream in(ZM_LIBPART_FILE_PATH, std::ios::binary);
    ASSERT_TRUE(in.good()) << ZM_LIBPART_FILE_PATH;
    const std::vector<unsigned char> packed{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(Slice(file, 4, file.size() - 4), packed);
}

} // namespace
