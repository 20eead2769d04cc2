#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "GSRoot/ByteOrder.hpp"
#include "GSRoot/CH.hpp"
#include "GSRoot/DebugLog.hpp"
#include "GSRoot/ValueToStr.hpp"

namespace {

TEST(ValueToStr, WritesSignedDecimal) {
    EXPECT_EQ(GS::valuetostr(static_cast<Int32>(0x810E0001)).ToUtf8(), "-2129788927");
    EXPECT_EQ(GS::valuetostr(static_cast<Int32>(0x8106012F)).ToUtf8(), "-2130312913");
    EXPECT_EQ(GS::valuetostr(0).ToUtf8(), "0");
    EXPECT_EQ(GS::valuetostr(INT32_MIN).ToUtf8(), "-2147483648");
    EXPECT_EQ(GS::valuetostr(31001).ToUtf8(), "31001");
}

Int32 Compare(const char* a, const char* b, Int32 mode) {
    return CHCompareTexts(a, static_cast<Int32>(std::strlen(a)), b, static_cast<Int32>(std::strlen(b)), mode,
                          CC_Default);
}

TEST(CHCompareTexts, CaseInsensitiveModeFoldsAsciiOnly) {
    EXPECT_EQ(Compare("stApartmentId", "STAPARTMENTID", CS_CaseInsensitive), 0);
    EXPECT_EQ(Compare("zm_apartmentId", "zm_apartmentId", CS_CaseInsensitive), 0);
    EXPECT_NE(Compare("\xC3\xA4", "\xC3\x84", CS_CaseInsensitive), 0); // ä and Ä stay different
    EXPECT_LT(Compare("abc", "ABD", CS_CaseInsensitive), 0);
    EXPECT_GT(Compare("ABD", "abc", CS_CaseInsensitive), 0);
    // Letters fold to lower case, so '_' (between 'Z' and 'a') sorts before "A" and "a" alike.
    EXPECT_GT(Compare("A", "_", CS_CaseInsensitive), 0);
    EXPECT_GT(Compare("a", "_", CS_CaseInsensitive), 0);
    EXPECT_LT(Compare("A", "_", CS_CaseSensitive), 0);
}

TEST(CHCompareTexts, ExactModeAndLengths) {
    EXPECT_NE(Compare("stApartmentId", "stapartmentid", CS_CaseSensitive), 0);
    EXPECT_EQ(Compare("zm_lines", "zm_lines", CS_CaseSensitive), 0);
    EXPECT_LT(Compare("zm_line", "zm_lines", CS_CaseSensitive), 0);
    EXPECT_GT(Compare("zm_lines", "zm_line", CS_CaseInsensitive), 0);
    EXPECT_GT(Compare("\xC3\xA4", "z", CS_CaseSensitive), 0); // bytes compare unsigned
    EXPECT_EQ(Compare("", "", CS_CaseSensitive), 0);
    // Only the given lengths count.
    EXPECT_EQ(CHCompareTexts("zm_version", 2, "zm_lines", 2, CS_CaseSensitive, CC_Default), 0);
    EXPECT_EQ(CHCompareTexts(nullptr, 0, "", -3, CS_CaseSensitive, CC_Default), 0);
}

TEST(ByteOrder, LongAndShortFromBigEndianWriterAreSwapped) {
    Int32 mark = 0x01000000; // 1 as written by a big-endian machine, read here
    IVLong(GS::Mac_Platform_Sign, &mark);
    EXPECT_EQ(mark, 1);
    Int32 negative = static_cast<Int32>(0x0100E081); // 0x81E00001 big-endian
    IVLong(GS::Mac_Platform_Sign, &negative);
    EXPECT_EQ(negative, static_cast<Int32>(0x81E00001));
    Int16 shortValue = 0x3412;
    IVShort(GS::Mac_Platform_Sign, &shortValue);
    EXPECT_EQ(shortValue, 0x1234);
}

TEST(ByteOrder, SameOrderOrUnknownSignLeavesValues) {
    Int32 mark = 0x01020304;
    IVLong(GS::Win_Platform_Sign, &mark);
    EXPECT_EQ(mark, 0x01020304);
    IVLong(0x1234, &mark);
    EXPECT_EQ(mark, 0x01020304);
}

TEST(ByteOrder, BoolNormalisesAnyNonZeroByte) {
    for (unsigned char raw : {0x00, 0x01, 0x02, 0x80, 0xFF}) {
        bool value;
        std::memcpy(&value, &raw, 1);
        IVBool(GS::Mac_Platform_Sign, &value);
        unsigned char after;
        std::memcpy(&after, &value, 1);
        EXPECT_EQ(after, raw != 0 ? 1 : 0) << int(raw);
    }
}

TEST(DebugLog, EachCallAppendsOneFormattedEntry) {
    GS::ClearDebugLog();
    DBPrintf("ZM: Can't get room list.\n");
    DBPrintf("ZM: %s %d\n", "code", -5);
    const std::string longText(5000, 'y');
    DBPrintf("ZM: %s\n", longText.c_str());
    const auto& log = GS::GetDebugLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "ZM: Can't get room list.\n");
    EXPECT_EQ(log[1], "ZM: code -5\n");
    EXPECT_EQ(log[2].size(), 5005u);
    GS::ClearDebugLog();
    EXPECT_TRUE(GS::GetDebugLog().empty());
}

} // namespace
