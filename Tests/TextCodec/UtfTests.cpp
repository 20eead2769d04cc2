#include "TextCodec/Utf.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace std::string_literals;

namespace {

struct Sample {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

const std::vector<Sample>& WellFormedSamples() {
    static const std::vector<Sample> samples = {
        {"empty", "", u""},
        {"ascii", "Apartment A-12", u"Apartment A-12"},
        {"embedded nul", "a\0b"s, u"a\0b"s},
        {"two-byte", "\xC3\xA9\xC5\x91", u"\u00E9\u0151"},
        {"three-byte", "\xE2\x82\xAC m\xC2\xB2", u"\u20AC m\u00B2"},
        {"four-byte", "\xF0\x9F\x8F\xA0", u"\xD83C\xDFE0"},
        {"edges",
         "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"
         "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         u"\x007F\x0080\x07FF\x0800\xD7FF\xE000\xFFFF\xD800\xDC00\xDBFF\xDFFF"},
    };
    return samples;
}

TEST(Utf, WellFormedTextConvertsBothWaysUnchanged) {
    for (const Sample& sample : WellFormedSamples()) {
        SCOPED_TRACE(sample.name);
        std::u16string utf16 = u"stale";
        ASSERT_TRUE(TextCodec::Utf8ToUtf16(sample.utf8, &utf16));
        EXPECT_EQ(utf16, sample.utf16);
        std::string utf8 = "stale";
        ASSERT_TRUE(TextCodec::Utf16ToUtf8(sample.utf16, &utf8));
        EXPECT_EQ(utf8, sample.utf8);
        EXPECT_EQ(TextCodec::FindInvalidUtf8(sample.utf8), std::string_view::npos);
    }
}

struct BadUtf8 {
    const char* name;
    std::string text;
    std::size_t firstBad;
};

TEST(Utf, MalformedUtf8IsRefusedAtItsOffset) {
    const std::vector<BadUtf8> cases = {
        {"overlong two-byte slash", "ab\xC0\xAF", 2},
        {"overlong two-byte C1", "\xC1\xBF", 0},
        {"overlong three-byte", "x\xE0\x9F\xBF", 1},
        {"overlong three-byte nul", "\xE0\x80\x80", 0},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", 0},
        {"encoded high surrogate", "ok\xED\xA0\x80", 2},
        {"encoded low surrogate", "\xED\xBF\xBF", 0},
        {"encoded surrogate pair", "\xED\xA0\xBD\xED\xB2\xA9", 0},
        {"above U+10FFFF", "a\xF4\x90\x80\x80", 1},
        {"lead F5", "\xF5\x80\x80\x80", 0},
        {"five-byte lead", "\xF8\x88\x80\x80\x80", 0},
        {"lead FF", "\xFF", 0},
        {"truncated two-byte", "abc\xC3", 3},
        {"truncated three-byte", "\xE2\x82", 0},
        {"truncated four-byte", "\xC3\xA9\xF0\x9F\x8F", 2},
        {"truncated before ascii", "\xE2\x82Z", 0},
        {"stray continuation", "a\x80", 1},
        {"continuation after sound char", "\xC3\xA9\xA9", 2},
    };
    for (const BadUtf8& bad : cases) {
        SCOPED_TRACE(bad.name);
        std::u16string utf16;
        EXPECT_FALSE(TextCodec::Utf8ToUtf16(bad.text, &utf16));
        EXPECT_EQ(TextCodec::FindInvalidUtf8(bad.text), bad.firstBad);
    }
}

TEST(Utf, LoneSurrogatesInUtf16AreRefused) {
    const std::vector<std::u16string> cases = {
        u"a\xD800"s,            // high surrogate at the end
        u"\xD83Cx"s,            // high surrogate followed by a plain unit
        u"\xD83C\xD83C"s,       // two high surrogates
        u"\xDC00"s,             // low surrogate first
        u"\xDFFF\xD800"s,       // reversed pair
        u"\xD83C\xDFE0\xDFE0"s, // sound pair then a stray low half
    };
    for (const std::u16string& text : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::vector<int>(text.begin(), text.end())));
        std::string utf8;
        EXPECT_FALSE(TextCodec::Utf16ToUtf8(text, &utf8));
    }
}

} // namespace
