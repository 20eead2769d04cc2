// The Zarimark.gsm the build produces: header bytes, directory, and the parameter contract the
// add-on writes into.
#include "Formats/LibPart/LibPartFile.hpp"
#include "TestParts.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <set>

namespace LibPartTests {
namespace {

using namespace LibPartFormat;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

class PackedLibPart : public ::testing::Test {
protected:
    void SetUp() override {
        file = LibPartTests::PackedFile();
        ASSERT_GE(file.size(), 288u);
    }
    Bytes Slice(std::size_t offset, std::size_t count) const {
        return Bytes(file.begin() + static_cast<std::ptrdiff_t>(offset),
                     file.begin() + static_cast<std::ptrdiff_t>(offset + count));
    }
    LibPart Part() const {
        ReadResult read = Read("Zarimark.gsm", file);
        EXPECT_TRUE(read.Ok()) << read.problem.Describe();
        return read.Ok() ? *read.part : LibPart{};
    }
    Bytes file;
};

TEST_F(PackedLibPart, HeaderHasTheRequiredBytesAtEveryOffset) {
    EXPECT_THAT(Slice(0, 2), ElementsAreArray({'W', 'W'}));
    EXPECT_THAT(Slice(2, 2), ElementsAreArray({45, 0}));
    EXPECT_EQ(Slice(4, 32), Bytes(32, 0));
    EXPECT_THAT(Slice(36, 4), ElementsAreArray({10, 0, 0, 0}));
    EXPECT_THAT(Slice(40, 12),
                ElementsAreArray({'M', 'S', 'L', '.', 'C', 'A', 'S', 'G', 'D', 'A', 'E', 'H'}));
    EXPECT_THAT(Slice(52, 4), ElementsAreArray({128, 0, 0, 0}));
    EXPECT_THAT(Slice(56, 4), ElementsAreArray({160, 0, 0, 0}));
    EXPECT_EQ(Slice(60, 12), Bytes(12, 0));
    // 013BD535-32AB-49CE-AAD9-580F3229FDAC and BB8967E8-9C6F-4D84-B27D-99B27AFAB3BD: three
    // little-endian groups, then eight bytes as written.
    EXPECT_THAT(Slice(72, 16), ElementsAreArray({0x35, 0xD5, 0x3B, 0x01, 0xAB, 0x32, 0xCE, 0x49, 0xAA, 0xD9,
                                                 0x58, 0x0F, 0x32, 0x29, 0xFD, 0xAC}));
    EXPECT_THAT(Slice(88, 16), ElementsAreArray({0xE8, 0x67, 0x89, 0xBB, 0x6F, 0x9C, 0x84, 0x4D, 0xB2, 0x7D,
                                                 0x99, 0xB2, 0x7A, 0xFA, 0xB3, 0xBD}));
    EXPECT_THAT(Slice(104, 4), ElementsAreArray({1, 0, 0, 0}));
    EXPECT_EQ(Slice(108, 20), Bytes(20, 0));
}

TEST_F(PackedLibPart, DirectoryListsTheTenSectionsContiguouslyToTheEnd) {
    const std::vector<std::pair<std::string, std::uint16_t>> expected = {
        {"ANCS", 1}, {"MCRS", 2}, {"1DSC", 20}, {"2DSC", 20}, {"PARD", 27},
        {"CPYR", 1}, {"KWRD", 1}, {"CTXT", 20}, {"UISC", 20}, {"VLSC", 20}};
    const std::vector<DirectoryEntry> directory = Directory(file);
    ASSERT_EQ(directory.size(), expected.size());
    std::uint32_t next = 288;
    for (std::size_t k = 0; k < directory.size(); ++k) {
        const DirectoryEntry& entry = directory[k];
        SCOPED_TRACE(expected[k].first);
        EXPECT_EQ(entry.code, expected[k].first);
        EXPECT_EQ(entry.offset, next);
        EXPECT_EQ(U32At(file, 128 + 16 * k + 12), 0u);
        ASSERT_LE(std::size_t(entry.offset) + entry.length, file.size());
        // The section header repeats the code (stored reversed), then "WW", version, length, flags 0.
        const Bytes header = Slice(entry.offset, 16);
        EXPECT_EQ(std::string(header.begin(), header.begin() + 4),
                  std::string(expected[k].first.rbegin(), expected[k].first.rend()));
        EXPECT_EQ(std::string(header.begin() + 4, header.begin() + 6), "WW");
        EXPECT_EQ(header[6] | header[7] << 8, expected[k].second);
        EXPECT_EQ(U32At(file, entry.offset + 8), entry.length);
        EXPECT_EQ(U32At(file, entry.offset + 12), 0u);
        next = entry.offset + entry.length;
    }
    EXPECT_EQ(next, file.size());
}

TEST_F(PackedLibPart, ReadsBackWithItsIdentityAndTexts) {
    const LibPart part = Part();
    EXPECT_EQ(part.mainGuid.ToString(), "013BD535-32AB-49CE-AAD9-580F3229FDAC");
    EXPECT_EQ(part.revisionGuid.ToString(), "BB8967E8-9C6F-4D84-B27D-99B27AFAB3BD");
    ASSERT_EQ(part.ancestry.size(), 1u);
    EXPECT_EQ(part.ancestry[0].ToString(), "F938E33A-329D-4A36-BE3E-85E126820996");
    EXPECT_EQ(part.license, u"Commercial");
    EXPECT_NE(part.keywords.find(u"Label"), std::u16string::npos);
    EXPECT_EQ(part.comment.rfind("Label Object for the Zarimark Add-On\n", 0), 0u);
    const DirectoryEntry comment = SectionOf(file, "CTXT");
    EXPECT_THAT(Slice(comment.offset + 16, 3), ElementsAreArray({0xEF, 0xBB, 0xBF}));
}

struct ContractEntry {
    const char* name;
    ParamType type;
    bool isArray;
    std::int32_t columns;
};

TEST_F(PackedLibPart, DeclaresEveryContractParameterWithItsKindAndShape) {
    const ContractEntry contract[] = {
        {"zm_version", ParamType::RealNum, false, 0},
        {"zm_roomCats", ParamType::RealNum, true, 1},
        {"zm_roomAreas", ParamType::RealNum, true, 1},
        {"zm_roomAreasInZari", ParamType::RealNum, true, 4},
        {"zm_ZoneCatExists", ParamType::RealNum, true, 1},
        {"zm_ZoneCatCodes", ParamType::Text, true, 1},
        {"zm_ZoneCatNames", ParamType::Text, true, 1},
        {"zm_apartmentId", ParamType::Text, false, 0},
        {"zm_lines", ParamType::RealNum, true, 1},
        {"zm_lineTexts", ParamType::Text, true, 1},
        {"zm_areaColumn", ParamType::Integer, false, 0},
    };
    const LibPart part = Part();
    for (const ContractEntry& entry : contract) {
        SCOPED_TRACE(entry.name);
        const Parameter* parameter = part.FindParameter(entry.name);
        ASSERT_NE(parameter, nullptr);
        EXPECT_EQ(parameter->type, entry.type);
        EXPECT_EQ(parameter->isArray, entry.isArray);
        EXPECT_EQ(parameter->columns, entry.columns);
    }
}

TEST_F(PackedLibPart, DefaultsAskForAutomaticLinesWithOneText) {
    const LibPart part = Part();
    const Parameter* lines = part.FindParameter("zm_lines");
    ASSERT_NE(lines, nullptr);
    ASSERT_EQ(lines->rows, 1);
    ASSERT_EQ(lines->numbers.size(), 1u);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &lines->numbers[0], sizeof bits);
    EXPECT_EQ(bits, 0xC000000000000000u);
    const Parameter* texts = part.FindParameter("zm_lineTexts");
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(texts->rows, 1);
    EXPECT_EQ(texts->texts.size(), 1u);
    const Parameter* column = part.FindParameter("zm_areaColumn");
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->numbers, std::vector<double>{1});
    const Parameter* areas = part.FindParameter("zm_roomAreasInZari");
    ASSERT_NE(areas, nullptr);
    EXPECT_EQ(areas->numbers.size(), 4u);
}

// A misspelt zm_ name in a script would silently read an undefined variable on the host.
TEST_F(PackedLibPart, ScriptsNameOnlyDeclaredParameters) {
    const LibPart part = Part();
    const std::regex name("zm_[A-Za-z0-9_]+");
    std::set<std::string> used;
    for (const std::string* script :
         {&part.masterScript, &part.script2D, &part.uiScript, &part.parameterScript})
        for (auto match = std::sregex_iterator(script->begin(), script->end(), name);
             match != std::sregex_iterator(); ++match)
            used.insert(match->str());
    for (const std::string& parameter : used)
        EXPECT_NE(part.FindParameter(parameter), nullptr) << parameter << " is used but not declared";
    for (const char* drawn : {"zm_apartmentId", "zm_lines", "zm_lineTexts", "zm_roomCats",
                              "zm_roomAreasInZari", "zm_ZoneCatExists", "zm_ZoneCatCodes", "zm_ZoneCatNames"})
        EXPECT_NE(part.script2D.find(drawn), std::string::npos) << drawn << " is not drawn";
}

} // namespace
} // namespace LibPartTests
