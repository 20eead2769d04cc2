// Writing a part and reading it back, and the parts Write must refuse.
#include "LibPartFormat/LibPartFile.hpp"
#include "TestParts.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace LibPartTests {
namespace {

using namespace LibPartFormat;
using ::testing::HasSubstr;

TEST(LibPartRoundTrip, ReadGivesBackEveryPartOfTheModel) {
    const LibPart written = SamplePart();
    const ReadResult read = Read(written.name, SampleFile());
    ASSERT_TRUE(read.Ok()) << read.problem.Describe();
    EXPECT_TRUE(read.part->SameContent(written));
    for (std::size_t k = 0; k < written.parameters.size(); ++k)
        EXPECT_EQ(read.part->parameters[k], written.parameters[k]) << written.parameters[k].name;
    ASSERT_EQ(read.part->sections.size(), 10u);
    EXPECT_EQ(read.part->sections[4].code, "PARD");
    EXPECT_EQ(read.part->sections[4].version, 27);
}

TEST(LibPartRoundTrip, EmptyPartWritesAndReads) {
    LibPart empty;
    empty.name = "Empty.gsm";
    const WriteResult written = Write(empty);
    ASSERT_TRUE(written.Ok()) << written.error;
    const ReadResult read = Read(empty.name, written.bytes);
    ASSERT_TRUE(read.Ok()) << read.problem.Describe();
    EXPECT_TRUE(read.part->SameContent(empty));
}

struct BadModel {
    const char* what;
    std::function<void(LibPart&)> spoil;
    const char* reason;
};

class WriteRefuses : public ::testing::TestWithParam<BadModel> {};

TEST_P(WriteRefuses, APartTheReaderCouldNotTakeBack) {
    LibPart part = SamplePart();
    GetParam().spoil(part);
    const WriteResult written = Write(part);
    EXPECT_FALSE(written.Ok());
    EXPECT_TRUE(written.bytes.empty());
    EXPECT_THAT(written.error, HasSubstr(GetParam().reason));
}

Parameter& Named(LibPart& part, const std::string& name) {
    for (Parameter& parameter : part.parameters)
        if (parameter.name == name)
            return parameter;
    throw std::runtime_error("no parameter " + name);
}

INSTANTIATE_TEST_SUITE_P(
    LibPartModels, WriteRefuses,
    ::testing::Values(
        BadModel{"NameTooLong", [](LibPart& p) { Named(p, "A").name = std::string(32, 'x'); },
                 "1 to 31 characters"},
        BadModel{"NameWithSpace", [](LibPart& p) { Named(p, "A").name = "zm area"; }, "letters, digits"},
        BadModel{"DuplicateName", [](LibPart& p) { Named(p, "zm_frame").name = "A"; },
                 "\"A\" is declared twice"},
        BadModel{"TooFewArrayValues", [](LibPart& p) { Named(p, "zm_roomAreasInZari").numbers.pop_back(); },
                 "expected 8 number values, found 7"},
        BadModel{"NumbersInATextParameter", [](LibPart& p) { Named(p, "zm_apartmentId").numbers = {1}; },
                 "1 of the other kind"},
        BadModel{"ScalarWithDimensions", [](LibPart& p) { Named(p, "A").rows = 1; }, "0 x 0"},
        BadModel{"ArrayWithoutColumns", [](LibPart& p) { Named(p, "zm_ZoneCatExists").columns = 0; },
                 "1 column"},
        BadModel{"ScalarTextTooLong",
                 [](LibPart& p) { Named(p, "zm_apartmentId").texts[0] = std::u16string(256, u'x'); },
                 "at most 255"},
        BadModel{"TextWithZeroUnit",
                 [](LibPart& p) { Named(p, "zm_ZoneCatCodes").texts[1] = std::u16string(u"a\0b", 3); },
                 "zero unit"},
        BadModel{"BooleanTwo", [](LibPart& p) { Named(p, "zm_frame").numbers[0] = 2; }, "0 or 1"},
        BadModel{"FractionalInteger", [](LibPart& p) { Named(p, "zm_areaColumn").numbers[0] = 1.5; },
                 "whole"},
        BadModel{"NotANumber", [](LibPart& p) { Named(p, "A").numbers[0] = std::nan(""); }, "finite"},
        BadModel{"UnknownType", [](LibPart& p) { Named(p, "A").type = static_cast<ParamType>(99); },
                 "type code 99"},
        BadModel{"ScriptNotUtf8", [](LibPart& p) { p.script2D = "TEXT2 0, 0, \"\xC3\""; }, "2D script"}),
    [](const ::testing::TestParamInfo<BadModel>& info) { return std::string(info.param.what); });

TEST(LibPartGuid, TextFormRoundTripsAndStoresGroupsLittleEndian) {
    const std::optional<Guid> guid = Guid::Parse("00112233-4455-6677-8899-aabbccddeeff");
    ASSERT_TRUE(guid.has_value());
    EXPECT_EQ(guid->stored, (std::array<std::uint8_t, 16>{0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                                                          0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}));
    EXPECT_EQ(guid->ToString(), "00112233-4455-6677-8899-AABBCCDDEEFF");
}

TEST(LibPartGuid, MalformedTextIsRefused) {
    for (const char* text : {"", "00112233-4455-6677-8899-aabbccddeef",
                             "00112233-4455-6677-8899-aabbccddeeffa", "00112233+4455-6677-8899-aabbccddeeff",
                             "0011223G-4455-6677-8899-aabbccddeeff", "001122334-455-6677-8899-aabbccddeeff"})
        EXPECT_FALSE(Guid::Parse(text).has_value()) << text;
}

} // namespace
} // namespace LibPartTests
