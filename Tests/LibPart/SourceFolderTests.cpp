// The packer's reading of a source folder: the shipped folder, and malformed XML refused with
// file and line.
#include "LibPartDataXml.hpp"
#include "LibPartSource.hpp"
#include "ParamListXml.hpp"
#include "SourceFailure.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace LibPartTests {
namespace {

using namespace LibPartPacker;
using LibPartFormat::ParamType;
using ::testing::HasSubstr;

std::string ParamList(const std::string& parameters) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ParamSection>\n<Parameters>\n" + parameters +
           "</Parameters>\n</ParamSection>\n";
}

std::string ParamListError(const std::string& parameters) {
    try {
        ParseParamList(ParamList(parameters), "paramlist.xml");
    } catch (const SourceFailure& failure) {
        return failure.message;
    }
    return "accepted";
}

TEST(ParamListXml, ReadsScalarsArraysAndQuotedTexts) {
    const auto parameters = ParseParamList(ParamList(R"(
<String Name="zm_unitText"><Description><![CDATA["Unit"]]></Description><Value><![CDATA["m²"]]></Value></String>
<RealNum Name="zm_grid"><ArrayValues FirstDimension="2" SecondDimension="2">
  <AVal Row="2" Column="1">3</AVal><AVal Row="1" Column="1">1</AVal>
  <AVal Row="1" Column="2">2</AVal><AVal Row="2" Column="2">-4.5</AVal>
</ArrayValues></RealNum>
)"),
                                           "paramlist.xml");
    ASSERT_EQ(parameters.size(), 2u);
    EXPECT_EQ(parameters[0].type, ParamType::Text);
    EXPECT_EQ(parameters[0].description, u"Unit");
    EXPECT_EQ(parameters[0].texts, std::vector<std::u16string>{u"m²"});
    EXPECT_TRUE(parameters[1].isArray);
    EXPECT_EQ(parameters[1].numbers, (std::vector<double>{1, 2, 3, -4.5})); // row by row
}

struct BadXml {
    const char* what;
    const char* parameters;
    const char* message;
};

class ParamListRefuses : public ::testing::TestWithParam<BadXml> {};

TEST_P(ParamListRefuses, WithFileLineAndReason) {
    EXPECT_THAT(ParamListError(GetParam().parameters), HasSubstr(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    LibPartSources, ParamListRefuses,
    ::testing::Values(
        BadXml{"UnknownKind", "<Material Name=\"m\"><Value>1</Value></Material>\n",
               "paramlist.xml:4: unknown element <Material>"},
        BadXml{"UnknownChild", "<RealNum Name=\"x\"><Value>1</Value><Flags/></RealNum>\n",
               "unknown element <Flags>"},
        BadXml{"UnquotedText", "<String Name=\"t\"><Value>Total</Value></String>\n", "quoted string"},
        BadXml{"NotANumber", "<RealNum Name=\"x\"><Value>1,5</Value></RealNum>\n", "expected a number"},
        BadXml{"NoValue", "<RealNum Name=\"x\"></RealNum>\n", "either <Value> or <ArrayValues>"},
        BadXml{"MissingElement",
               "<RealNum Name=\"x\"><ArrayValues FirstDimension=\"2\" SecondDimension=\"1\">"
               "<AVal Row=\"1\" Column=\"1\">0</AVal></ArrayValues></RealNum>\n",
               "needs 2 <AVal> elements, found 1"},
        BadXml{"ElementOutside",
               "<RealNum Name=\"x\"><ArrayValues FirstDimension=\"1\" SecondDimension=\"1\">"
               "<AVal Row=\"2\" Column=\"1\">0</AVal></ArrayValues></RealNum>\n",
               "lies outside 1 x 1"},
        BadXml{"NoColumns",
               "<RealNum Name=\"x\"><ArrayValues FirstDimension=\"1\" "
               "SecondDimension=\"0\"></ArrayValues></RealNum>\n",
               "SecondDimension must be a whole number of at least 1"},
        BadXml{"BooleanTwo", "<Boolean Name=\"b\"><Value>2</Value></Boolean>\n", "0 or 1"},
        BadXml{"DeclaredTwice",
               "<RealNum Name=\"x\"><Value>1</Value></RealNum>\n<RealNum "
               "Name=\"x\"><Value>2</Value></RealNum>\n",
               "paramlist.xml:5: parameter \"x\" is declared twice"},
        BadXml{"BrokenXml", "<RealNum Name=\"x\"><Value>1</RealNum>\n", "paramlist.xml:4:"}),
    [](const ::testing::TestParamInfo<BadXml>& info) { return std::string(info.param.what); });

TEST(LibPartDataXml, BadGuidIsRefusedWithItsLine) {
    LibPartFormat::LibPart part;
    try {
        ParseLibPartData(
            "<LibpartData>\n<Identification>\n<MainGUID>013BD535-32AB</MainGUID>\n"
            "<RevisionGUID>BB8967E8-9C6F-4D84-B27D-99B27AFAB3BD</RevisionGUID>\n</Identification>\n"
            "</LibpartData>\n",
            "libpartdata.xml", part);
        FAIL() << "accepted";
    } catch (const SourceFailure& failure) {
        EXPECT_THAT(failure.message, HasSubstr("libpartdata.xml:3: \"013BD535-32AB\" is not a GUID"));
    }
}

TEST(LibPartSource, ShippedFolderLoads) {
    const SourceResult source = LoadLibPartSource(ZM_LIBPART_SOURCE, "Zarimark.gsm");
    ASSERT_TRUE(source.part.has_value()) << source.error;
    EXPECT_EQ(source.part->comment,
              "Label Object for the Zarimark Add-On\nZarimark Developers\nhttps://zarimark.example");
    EXPECT_FALSE(source.part->script2D.empty());
}

TEST(LibPartSource, MissingFolderNamesTheFile) {
    const SourceResult source = LoadLibPartSource("/nonexistent/Zarimark", "Zarimark.gsm");
    EXPECT_FALSE(source.part.has_value());
    EXPECT_THAT(source.error, HasSubstr("libpartdata.xml: cannot be opened"));
}

} // namespace
} // namespace LibPartTests
