#include "TextCodec/GuidText.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const StampGuid = "013BD535-32AB-49CE-AAD9-580F3229FDAC";
const TextCodec::GuidBytes StampStored = {0x35, 0xD5, 0x3B, 0x01, 0xAB, 0x32, 0xCE, 0x49,
                                          0xAA, 0xD9, 0x58, 0x0F, 0x32, 0x29, 0xFD, 0xAC};

TEST(GuidText, StoresFirstThreeGroupsLittleEndian) {
    TextCodec::GuidBytes bytes{};
    ASSERT_TRUE(TextCodec::ParseGuidText(StampGuid, &bytes));
    EXPECT_EQ(bytes, StampStored);
}

TEST(GuidText, AcceptsEitherLetterCaseAndFormatsUpperCase) {
    for (const char* text :
         {"013bd535-32ab-49ce-aad9-580f3229fdac", "013Bd535-32aB-49cE-AaD9-580f3229FdAc"}) {
        SCOPED_TRACE(text);
        TextCodec::GuidBytes bytes{};
        ASSERT_TRUE(TextCodec::ParseGuidText(text, &bytes));
        EXPECT_EQ(bytes, StampStored);
        EXPECT_EQ(TextCodec::FormatGuidText(bytes), StampGuid);
    }
}

TEST(GuidText, FormatsStoredBytesBackToText) {
    EXPECT_EQ(TextCodec::FormatGuidText(StampStored), StampGuid);
    EXPECT_EQ(TextCodec::FormatGuidText(TextCodec::GuidBytes{}), "00000000-0000-0000-0000-000000000000");
    TextCodec::GuidBytes counting{};
    for (std::size_t k = 0; k < counting.size(); ++k)
        counting[k] = static_cast<std::uint8_t>(k * 0x11);
    const std::string text = TextCodec::FormatGuidText(counting);
    EXPECT_EQ(text, "33221100-5544-7766-8899-AABBCCDDEEFF");
    TextCodec::GuidBytes back{};
    ASSERT_TRUE(TextCodec::ParseGuidText(text, &back));
    EXPECT_EQ(back, counting);
}

TEST(GuidText, RefusesMalformedTextAndLeavesBytesUntouched) {
    const std::vector<std::string> cases = {
        "",
        "013BD535-32AB-49CE-AAD9-580F3229FDA",                    // one digit short
        "013BD535-32AB-49CE-AAD9-580F3229FDAC0",                  // one digit extra
        "013BD535-32AB-49CE-AAD9-580F3229FDAC ",                  // trailing space
        "{013BD535-32AB-49CE-AAD9-580F3229FDAC}",                 // braces
        " 013BD535-32AB-49CE-AAD9-580F3229FDAC",                  // leading space
        "013BD53-532AB-49CE-AAD9-580F3229FDAC",                   // first group 7, second 5
        "013BD535-32AB4-9CE-AAD9-580F3229FDAC",                   // second group 5, third 3
        "013BD535-32AB-49CEA-AD9-580F3229FDAC",                   // third group 5, fourth 3
        "013BD535-32AB-49CE-AAD95-80F3229FDAC",                   // fourth group 5, last 11
        "013BD53532AB49CEAAD9580F3229FDAC",                       // no dashes
        "013BD535-32AB-49CE-AAD9-580F3229FDAC-",                  // extra dash
        "013BD535_32AB_49CE_AAD9_580F3229FDAC",                   // wrong separator
        "013BD535-32AB-49CE-AAD9-580F3229FDAG",                   // G is not hex
        "0x3BD535-32AB-49CE-AAD9-580F3229FDAC",                   // prefix character
        "013BD535-32AB-49CE-AAD9-580F3229FD+C",                   // sign
        "013BD535-32AB-49CE-AAD9-580F3229F-AC",                   // dash inside the last group
        std::string("013BD535-32AB-49CE-AAD9-580F3229FDA\0", 36), // embedded nul
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        TextCodec::GuidBytes bytes;
        bytes.fill(0x5A);
        EXPECT_FALSE(TextCodec::ParseGuidText(text, &bytes));
        TextCodec::GuidBytes untouched;
        untouched.fill(0x5A);
        EXPECT_EQ(bytes, untouched);
    }
}

} // namespace
