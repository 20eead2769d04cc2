#include <gtest/gtest.h>

#include <cstring>

#include "GSRoot/Guid.hpp"
#include "GSRoot/HashSet.hpp"
#include "Host/APIGuid.hpp"

namespace {

constexpr const char* LibPartGuidText = "013BD535-32AB-49CE-AAD9-580F3229FDAC";
constexpr const char* PaletteGuidText = "45D7CAFB-970B-4D95-BF7A-697E894006AF";

TEST(GuidText, ParsesToTheSixteenByteForm) {
    GS::Guid guid;
    ASSERT_TRUE(GS::Guid::FromString(LibPartGuidText, &guid));
    UInt8 bytes[16];
    guid.ToBytes(bytes);
    const UInt8 expected[16] = {0x35, 0xD5, 0x3B, 0x01, 0xAB, 0x32, 0xCE, 0x49,
                                0xAA, 0xD9, 0x58, 0x0F, 0x32, 0x29, 0xFD, 0xAC};
    EXPECT_EQ(std::memcmp(bytes, expected, 16), 0);
    EXPECT_EQ(GS::Guid::FromBytes(expected), guid);
    EXPECT_EQ(guid.ToString(), LibPartGuidText);
}

TEST(GuidText, AcceptsLowerCaseAndBracesWritesUpperCase) {
    const GS::Guid lower("{013bd535-32ab-49ce-aad9-580f3229fdac}");
    EXPECT_EQ(lower.ToString(), LibPartGuidText);
    EXPECT_EQ(lower.ToUniString(), GS::UniString(LibPartGuidText));
}

TEST(GuidText, RejectsMalformedTexts) {
    for (const char* bad :
         {"", "013BD535-32AB-49CE-AAD9-580F3229FDA", "013BD535-32AB-49CE-AAD9-580F3229FDACC",
          "013BD53532AB-49CE-AAD9-580F3229FDAC0", "013BD535-32AB-49CE-AAD9-580F3229FDAG",
          "{013BD535-32AB-49CE-AAD9-580F3229FDAC", "013BD535+32AB-49CE-AAD9-580F3229FDAC"}) {
        GS::Guid guid(LibPartGuidText);
        EXPECT_FALSE(GS::Guid::FromString(bad, &guid)) << bad;
        EXPECT_TRUE(guid.IsNull()) << bad;
        EXPECT_TRUE(GS::Guid(bad).IsNull()) << bad;
    }
    EXPECT_TRUE(GS::Guid(nullptr).IsNull());
}

TEST(GuidWords, PaletteReferenceIdIsTheWrappingSumOfWords) {
    const GS::Guid palette(PaletteGuidText);
    EXPECT_EQ(palette.GetWord(0), 0x45D7CAFBu);
    EXPECT_EQ(palette.GetWord(1), 0x4D95970Bu);
    EXPECT_EQ(palette.GetWord(2), 0x7E697ABFu);
    EXPECT_EQ(palette.GetWord(3), 0xAF064089u);
    UInt32 sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += palette.GetWord(i);
    EXPECT_EQ(sum, 0xC0DD1D4Eu);
}

TEST(ApiGuid, LayoutIsTheSixteenByteForm) {
    const API_Guid api = APIGuidFromString(LibPartGuidText);
    EXPECT_EQ(api.time_low, 0x013BD535u);
    EXPECT_EQ(api.time_mid, 0x32AB);
    EXPECT_EQ(api.time_hi_and_version, 0x49CE);
    EXPECT_EQ(api.clock_seq_hi_and_reserved, 0xAA);
    EXPECT_EQ(api.node[5], 0xAC);
    UInt8 expected[16];
    GS::Guid(LibPartGuidText).ToBytes(expected);
    EXPECT_EQ(std::memcmp(&api, expected, 16), 0); // this machine is little-endian
    EXPECT_EQ(APIGuidToString(api), LibPartGuidText);
    EXPECT_EQ(APIGuid2GSGuid(api), GS::Guid(LibPartGuidText));
    EXPECT_EQ(GSGuid2APIGuid(GS::Guid(PaletteGuidText)), APIGuidFromString(PaletteGuidText));
}

TEST(ApiGuid, NullEqualityOrderAndHashing) {
    EXPECT_EQ(APIGuidFromString("not a guid"), APINULLGuid);
    const API_Guid a = APIGuidFromString(LibPartGuidText);
    const API_Guid b = APIGuidFromString(PaletteGuidText);
    API_Guid nodeDiffers = a;
    nodeDiffers.node[5] ^= 1;
    EXPECT_NE(a, nodeDiffers);
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(b < a);
    EXPECT_FALSE(a < a);
    EXPECT_TRUE(APINULLGuid < a);

    GS::HashSet<API_Guid> set{b, a, nodeDiffers, a};
    ASSERT_EQ(set.GetSize(), 3u);
    EXPECT_EQ(*set.begin(), b);
    EXPECT_TRUE(set.Contains(nodeDiffers));
}

} // namespace
