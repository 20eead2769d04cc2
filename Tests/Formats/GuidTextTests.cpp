#include "Formats/GuidText.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// GuidProperties.cpp checks the codec on random GUIDs against a reference; these pin it to the
// stored form of a GUID the library part really carries, and to malformed shapes that no single
// change of a sound text gives.
namespace {

const char* const StampGuid = "013BD535-32AB-49CE-AAD9-580F3229FDAC";
const Formats::GuidBytes StampStored = {0x35, 0xD5, 0x3B, 0x01, 0xAB, 0x32, 0xCE, 0x49,
                                        0xAA, 0xD9, 0x58, 0x0F, 0x32, 0x29, 0xFD, 0xAC};

TEST(GuidText, StoresFirstThreeGroupsLittleEndian) {
    Formats::GuidBytes bytes{};
    ASSERT_TRUE(Formats::ParseGuidText(StampGuid, &bytes));
    EXPECT_EQ(bytes, StampStored);
    EXPECT_EQ(Formats::FormatGuidText(StampStored), StampGuid);
}

TEST(GuidText, RefusesOtherShapes) {
    const std::vector<std::string> cases = {
        "",
        "{013BD535-32AB-49CE-AAD9-580F3229FDAC}", // braces: the platform's GUID strips them first
        "013BD53532AB49CEAAD9580F3229FDAC",       // no dashes
        "013BD535-32AB-49CE-AAD9580F-3229FDAC",   // right length, dash in the wrong group
        "013BD535-32AB-49CE-AAD9-580F3229FDAC-013BD535-32AB-49CE-AAD9-580F3229FDAC",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        Formats::GuidBytes bytes;
        bytes.fill(0x5A);
        EXPECT_FALSE(Formats::ParseGuidText(text, &bytes));
        Formats::GuidBytes untouched;
        untouched.fill(0x5A);
        EXPECT_EQ(bytes, untouched);
    }
}

} // namespace
