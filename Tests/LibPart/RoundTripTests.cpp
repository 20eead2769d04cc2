// Writing a part and reading it back, and the parts Write must refuse.
#include "Formats/LibPart/LibPartFile.hpp"
#include "TestParts.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iterator>
#include <utility>

namespace LibPartTests {
namespace {

using namespace LibPartFormat;
using ::testing::HasSubstr;

// Any part round-trips (RoundTripProperties.cpp); here the place of each section, which the
// properties do not pin down: the layout order and each section's version.
TEST(LibPartRoundTrip, SectionsFollowTheLayoutWithTheirVersions) {
    const ReadResult read = Read("Sample.gsm", SampleFile());
    ASSERT_TRUE(read.Ok()) << read.problem.Describe();
    const std::pair<const char*, std::uint16_t> expected[] = {
        {"ANCS", 1}, {"MCRS", 2}, {"1DSC", 20}, {"2DSC", 20}, {"PARD", 27},
        {"CPYR", 1}, {"KWRD", 1}, {"CTXT", 20}, {"UISC", 20}, {"VLSC", 20},
    };
    ASSERT_EQ(read.part->sections.size(), std::size(expected));
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        EXPECT_EQ(read.part->sections[k].code, expected[k].first) << k;
        EXPECT_EQ(read.part->sections[k].version, expected[k].second) << k;
    }
    EXPECT_TRUE(read.part->SameContent(SamplePart()));
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

} // namespace
} // namespace LibPartTests
