// Malformed files are refused with the offset and reason, and no partial part comes back.
#include "Formats/LibPart/LibPartFile.hpp"
#include "TestParts.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace LibPartTests {
namespace {

using namespace LibPartFormat;
using ::testing::HasSubstr;

constexpr std::size_t EntryOf(std::size_t index) {
    return 128 + 16 * index;
}

std::size_t BodyOf(const Bytes& file, const std::string& code) {
    return SectionOf(file, code).offset + 16;
}

// The sample's first parameter is "A" with the description "Width": count, name, description.
std::size_t FirstParameterType(const Bytes& file) {
    return BodyOf(file, "PARD") + 4 + (4 + 1) + (4 + 2 * 5);
}

// The sample's last parameter, "zm_pen": name, empty description, type, array flag, dimensions, value.
constexpr std::size_t LastParameterSize = (4 + 6) + 4 + 4 + 2 + 8 + 8;

struct BrokenCase {
    const char* what;
    std::function<std::size_t(Bytes&)> spoil; // returns the offset the reader must name
    const char* reason;
};

class BrokenFile : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFile, IsRefusedWithOffsetAndReason) {
    Bytes file = SampleFile();
    const std::size_t offset = GetParam().spoil(file);
    const ReadResult read = Read("Sample.gsm", file);
    ASSERT_FALSE(read.Ok());
    EXPECT_FALSE(read.part.has_value());
    EXPECT_EQ(read.problem.offset, offset) << read.problem.Describe();
    EXPECT_THAT(read.problem.reason, HasSubstr(GetParam().reason));
}

INSTANTIATE_TEST_SUITE_P(
    LibPartFiles, BrokenFile,
    ::testing::Values(
        BrokenCase{"WrongMagic", [](Bytes& f) { return f[1] = 'X', 0; }, "wrong magic"},
        BrokenCase{"EmptyFile", [](Bytes& f) { return f.clear(), 0; }, "truncated header"},
        BrokenCase{"TruncatedHeader", [](Bytes& f) { return f.resize(100), 100; }, "truncated header"},
        BrokenCase{"WrongFileVersion", [](Bytes& f) { return f[2] = 44, 2; }, "expected 45"},
        BrokenCase{"ReservedHeaderByteSet", [](Bytes& f) { return f[10] = 1, 10; }, "not zero"},
        BrokenCase{"SectionCountWrong", [](Bytes& f) { return PutU32(f, 36, 9), 36; }, "is 9, expected 10"},
        BrokenCase{"HeaderCodeWrong", [](Bytes& f) { return f[44] = 'X', 44; },
                   "\"XASG\", expected \"CASG\""},
        BrokenCase{"DirectoryOffsetWrong", [](Bytes& f) { return PutU32(f, 52, 132), 52; }, "expected 128"},
        BrokenCase{"DirectoryLengthWrong", [](Bytes& f) { return PutU32(f, 56, 150), 56; },
                   "directory length"},
        BrokenCase{"HeaderMarkerWrong", [](Bytes& f) { return PutU32(f, 104, 2), 104; }, "expected 1"},
        BrokenCase{"TruncatedDirectory", [](Bytes& f) { return f.resize(200), 200; }, "truncated directory"},
        BrokenCase{"UnknownSectionCode", [](Bytes& f) { return f[EntryOf(0)] = 'X', EntryOf(0); },
                   "unknown section code"},
        BrokenCase{"SectionListedTwice",
                   [](Bytes& f) {
                       std::copy(f.begin() + EntryOf(0), f.begin() + EntryOf(0) + 4, f.begin() + EntryOf(1));
                       return EntryOf(1);
                   },
                   "listed twice"},
        BrokenCase{"SectionOutsideTheFile",
                   [](Bytes& f) {
                       return PutU32(f, EntryOf(9) + 8, U32At(f, EntryOf(9) + 8) + 100), EntryOf(9) + 4;
                   },
                   "runs past the end of the file"},
        BrokenCase{"SectionInsideTheDirectory",
                   [](Bytes& f) { return PutU32(f, EntryOf(0) + 4, 200), EntryOf(0) + 4; },
                   "inside the header"},
        BrokenCase{"SectionShorterThanItsHeader",
                   [](Bytes& f) { return PutU32(f, EntryOf(3) + 8, 8), EntryOf(3) + 8; },
                   "shorter than its 16-byte header"},
        BrokenCase{"OverlappingSections",
                   [](Bytes& f) {
                       PutU32(f, EntryOf(1) + 4, U32At(f, EntryOf(1) + 4) - 8);
                       PutU32(f, EntryOf(1) + 8, U32At(f, EntryOf(1) + 8) + 8);
                       return EntryOf(1) + 4;
                   },
                   "overlaps section ANCS, which runs to offset 340"},
        BrokenCase{"GapBetweenSections",
                   [](Bytes& f) {
                       const std::uint32_t start = U32At(f, EntryOf(9) + 4);
                       PutU32(f, EntryOf(9) + 4, start + 4);
                       PutU32(f, EntryOf(9) + 8, U32At(f, EntryOf(9) + 8) - 4);
                       return std::size_t(start);
                   },
                   "belong to no section"},
        BrokenCase{"BytesAfterTheLastSection",
                   [](Bytes& f) {
                       const std::size_t end = f.size();
                       f.insert(f.end(), 3, 0);
                       return end;
                   },
                   "after the last section"},
        BrokenCase{"SectionHeaderCodeDiffers",
                   [](Bytes& f) { return f[SectionOf(f, "PARD").offset] = 'X', SectionOf(f, "PARD").offset; },
                   "section header's code"},
        BrokenCase{
            "SectionVersionWrong",
            [](Bytes& f) { return f[SectionOf(f, "PARD").offset + 6] = 26, SectionOf(f, "PARD").offset + 6; },
            "expected 27"},
        BrokenCase{"SectionLengthFieldDiffers",
                   [](Bytes& f) {
                       const std::size_t at = SectionOf(f, "KWRD").offset + 8;
                       return PutU32(f, at, U32At(f, at) + 1), at;
                   },
                   "section header's length"},
        BrokenCase{"EncipheredSection",
                   [](Bytes& f) {
                       const std::size_t at = SectionOf(f, "2DSC").offset + 12;
                       return PutU32(f, at, 0x00010000), at;
                   },
                   "enciphered"},
        BrokenCase{"ParameterTableCutShort",
                   [](Bytes& f) {
                       PutU32(f, BodyOf(f, "PARD"), U32At(f, BodyOf(f, "PARD")) + 1);
                       const DirectoryEntry pard = SectionOf(f, "PARD");
                       return std::size_t(pard.offset) + pard.length;
                   },
                   "name length needs 4 bytes but only 0 remain"},
        BrokenCase{"ParameterTableLeavesBytesOver",
                   [](Bytes& f) {
                       PutU32(f, BodyOf(f, "PARD"), U32At(f, BodyOf(f, "PARD")) - 1);
                       const DirectoryEntry pard = SectionOf(f, "PARD");
                       return std::size_t(pard.offset) + pard.length - LastParameterSize;
                   },
                   "bytes left over"},
        BrokenCase{"ParameterTypeUnknown",
                   [](Bytes& f) { return PutU32(f, FirstParameterType(f), 99), FirstParameterType(f); },
                   "unknown type code 99"},
        BrokenCase{"ParameterArrayFlagUnknown",
                   [](Bytes& f) { return f[FirstParameterType(f) + 4] = 1, FirstParameterType(f) + 4; },
                   "array flag 1"},
        BrokenCase{"ParameterNameTooLong",
                   [](Bytes& f) { return PutU32(f, BodyOf(f, "PARD") + 4, 40), BodyOf(f, "PARD") + 4; },
                   "name length 40"},
        BrokenCase{"AncestryCutShort",
                   [](Bytes& f) { return PutU32(f, BodyOf(f, "ANCS"), 3), SectionOf(f, "MCRS").offset; },
                   "ancestor GUID needs 16 bytes"},
        BrokenCase{"DescriptionWithoutByteOrderMark",
                   [](Bytes& f) { return f[BodyOf(f, "CTXT")] = 'X', BodyOf(f, "CTXT"); }, "byte-order mark"},
        BrokenCase{"ScriptNotUtf8",
                   [](Bytes& f) { return f[BodyOf(f, "1DSC") + 2] = 0xFF, BodyOf(f, "1DSC") + 2; },
                   "not valid UTF-8"}),
    [](const ::testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.what); });

TEST(BrokenLibPartSweep, EveryTruncationIsRefused) {
    const Bytes file = SampleFile();
    for (std::size_t size = 0; size < file.size(); ++size) {
        const ReadResult read = Read("Sample.gsm", file.data(), size);
        ASSERT_FALSE(read.Ok()) << "a file cut to " << size << " bytes was accepted";
        EXPECT_LE(read.problem.offset, size);
    }
}

// Any corrupted byte either reads or is refused with a reason inside the file; never a crash.
TEST(BrokenLibPartSweep, CorruptedBytesGiveAReasonInsideTheFile) {
    const Bytes original = SampleFile();
    for (std::size_t at = 0; at < original.size(); ++at) {
        Bytes file = original;
        file[at] ^= 0xA5;
        const ReadResult read = Read("Sample.gsm", file);
        if (!read.Ok()) {
            EXPECT_FALSE(read.problem.reason.empty());
            EXPECT_LE(read.problem.offset, file.size()) << "corrupting byte " << at;
        }
    }
}

} // namespace
} // namespace LibPartTests
