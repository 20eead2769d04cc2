#include <gtest/gtest.h>

#include <string>

#include "GSRoot/UniString.hpp"

namespace {

using GS::UniString;

TEST(UniStringConversion, Utf8RoundTripsNonAsciiAndSurrogatePairs) {
    const std::string text = "Wohnung \xC3\xA4\xC3\x9F \xE2\x82\xAC \xF0\x9F\x8F\xA0"; // ä ß € U+1F3E0
    const UniString uni(text);
    EXPECT_EQ(uni.GetUnits(), std::u16string(u"Wohnung \u00E4\u00DF \u20AC \U0001F3E0"));
    EXPECT_EQ(uni.GetLength(), 15u);
    EXPECT_EQ(uni[13], 0xD83C);
    EXPECT_EQ(uni[14], 0xDFE0);
    EXPECT_EQ(uni.ToUtf8(), text);
    EXPECT_STREQ(uni.ToCStr(), text.c_str());
}

TEST(UniStringConversion, Utf16ZeroTerminatedStopsAtZero) {
    const char16_t units[] = {u'A', 0xD83D, 0xDE00, u'b', 0, u'x'};
    const UniString uni(units);
    EXPECT_EQ(uni.GetLength(), 4u);
    EXPECT_EQ(uni.ToUtf8(), "A\xF0\x9F\x98\x80"
                            "b");
    EXPECT_EQ(UniString(units, 6).GetLength(), 6u);
    EXPECT_TRUE(UniString(static_cast<const char16_t*>(nullptr)).IsEmpty());
    EXPECT_TRUE(UniString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(UniStringConversion, InvalidUtf8BecomesReplacementCharacters) {
    // Stray continuation, overlong '/', encoded surrogate, truncated sequence, byte 0xFF.
    const UniString uni("a\x80"
                        "b\xC0\xAF"
                        "c\xED\xA0\x80"
                        "d\xE2\x82"
                        "e\xFF");
    EXPECT_EQ(uni.GetUnits(), std::u16string(u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD\uFFFDd\uFFFDe\uFFFD"));
    const UniString truncatedAtEnd("x\xF0\x9F\x8F");
    EXPECT_EQ(truncatedAtEnd.GetUnits(), std::u16string(u"x\uFFFD"));
}

TEST(UniStringConversion, LoneSurrogatesBecomeReplacementInUtf8) {
    const char16_t units[] = {u'a', 0xDC00, u'b', 0xD800};
    EXPECT_EQ(UniString(units, 4).ToUtf8(), "a\xEF\xBF\xBD"
                                            "b\xEF\xBF\xBD");
}

TEST(UniStringPrintf, FormatsSeveralUtf8Arguments) {
    const UniString formatted = UniString::Printf("%s: %s (%d) %s", "Zimmer",
                                                  "K\xC3\xBC"
                                                  "che",
                                                  42, UniString("A1").ToCStr());
    EXPECT_EQ(formatted.GetUnits(), std::u16string(u"Zimmer: K\u00FCche (42) A1"));
    EXPECT_EQ(UniString::Printf(UniString("100%% %s"), std::string("done")).ToUtf8(), "100% done");
}

TEST(UniStringPrintf, LongResultIsComplete) {
    const std::string longArg(10000, 'x');
    const UniString formatted = UniString::Printf("[%s]", longArg.c_str());
    EXPECT_EQ(formatted.GetLength(), 10002u);
    EXPECT_EQ(formatted[10001], u']');
}

TEST(UniStringCompare, EqualityAndOrderAreByCodeUnit) {
    EXPECT_NE(UniString("A1"), UniString("a1"));
    EXPECT_NE(UniString("A1"), UniString(" A1"));
    EXPECT_EQ(UniString("A1"), UniString(u"A1"));
    EXPECT_LT(UniString("B"), UniString("a"));
    EXPECT_LT(UniString("A"), UniString("A1"));
    // U+FF21 sorts after a surrogate (0xD8xx) by code unit, though its code point is lower.
    EXPECT_LT(UniString(u"\U0001F3E0"), UniString(u"\uFF21"));
    EXPECT_EQ(UniString("A1").GenerateHashValue(), UniString(u"A1").GenerateHashValue());
    EXPECT_NE(UniString("A1").GenerateHashValue(), UniString("a1").GenerateHashValue());
}

TEST(UniStringEdit, AppendAndSubstring) {
    UniString text("Zari");
    text += "mark";
    text += u'!';
    EXPECT_EQ(text.ToUtf8(), "Zarimark!");
    EXPECT_EQ((UniString("a") + UniString("b")).ToUtf8(), "ab");
    EXPECT_EQ(text.GetSubstring(4, 4).ToUtf8(), "mark");
    EXPECT_EQ(text.GetSubstring(7, 100).ToUtf8(), "k!");
    EXPECT_TRUE(text.GetSubstring(50, 2).IsEmpty());
}

} // namespace
