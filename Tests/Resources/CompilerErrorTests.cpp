#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TestSupport.hpp"

namespace ResourceTests {
namespace {

struct BrokenSource {
    const char* title;
    std::vector<std::pair<std::string, std::string>> files; // name, contents; compiled in this order
    std::string expected;                                   // the one error line
};

std::ostream& operator<<(std::ostream& out, const BrokenSource& source) {
    return out << source.title;
}

const std::string longName(263, 'x');

const BrokenSource brokenSources[] = {
    {"UnterminatedString",
     {{"Strings.grc", "'STR#' 1 \"List\" {\n\t\"Zarimark\n}\n"}},
     "Strings.grc:2: unterminated string"},
    {"UnterminatedStringAtEnd",
     {{"Strings.grc", "'STR#' 1 \"List\" { \"abc\\"}},
     "Strings.grc:1: unterminated string"},
    {"UnknownType",
     {{"Strings.grc", "\n'STRS' 1 \"List\" { \"a\" }\n"}},
     "Strings.grc:2: unknown resource type 'STRS'"},
    {"BadNumber", {{"Strings.grc", "'STR#' 32O00 \"List\" { }\n"}}, "Strings.grc:1: bad number '32O00'"},
    {"NumberOutOfRange",
     {{"Dialogs.grc", "'GDLG' 1 Modal 0 0 70000 150 \"T\" { }\n"}},
     "Dialogs.grc:1: dialog width 70000 out of range 0..32767"},
    {"MissingClosingBraceBeforeNextResource",
     {{"Strings.grc", "'STR#' 1 \"A\" {\n\t\"a\"\n\n'STR#' 2 \"B\" { \"b\" }\n"}},
     "Strings.grc:4: missing '}' of the '{' at Strings.grc:1, found resource type 'STR#'"},
    {"MissingClosingBraceAtEnd",
     {{"Strings.grc", "'STR#' 1 \"A\" {\n\t\"a\"\n"}},
     "Strings.grc:3: missing '}' of the '{' at Strings.grc:1, found end of file"},
    {"MissingOpeningBrace",
     {{"Strings.grc", "'STR#' 1 \"A\"\n\t\"a\"\n}\n"}},
     "Strings.grc:2: missing '{' of the resource begun at line 1, found string \"a\""},
    {"DuplicateTypeAndId",
     {{"A.grc", "'STR#' 7 \"A\" { }\n"}, {"B.grc", "\n\n'STR#' 7 \"B\" { }\n"}},
     "B.grc:3: duplicate resource 'STR#' 7 (first defined at A.grc:1)"},
    {"FolderNameTooLong",
     {{"Folder.grc", "'FLDR' 128 \"Lib\" {\n\t\"" + longName + "\" 31990\n}\n"}},
     "Folder.grc:2: file name \"" + longName + "\" takes 526 bytes in UTF-16, more than the 524-byte field"},
    {"MissingFileInput",
     {{"File.grc", "'FILE' 31990 \"Part\" {\n\tfile \"Zarimark.gsm\"\n}\n"}},
     "File.grc:2: cannot read FILE input 'lib/Zarimark.gsm': no such file"},
    {"FileInputOutsideFileDir",
     {{"File.grc", "'FILE' 31990 \"Part\" { file \"../Zarimark.gsm\" }\n"}},
     "File.grc:1: FILE input '../Zarimark.gsm' must be a plain file name without folders"},
    {"FolderNamesUndefinedFile",
     {{"Folder.grc", "'FLDR' 128 \"Lib\" {\n\t\"Z.gsm\" 31990\n}\n"}},
     "Folder.grc:2: 'FLDR' 128 refers to 'FILE' 31990, which is not defined"},
    {"LineMarkerPointsAtOriginal",
     {{"Strings.grc.i", "# 1 \"<built-in>\"\n# 12 \"RINT/Strings.grc\"\n\n'STR#' 1 \"A\" { \"a }\n"}},
     "RINT/Strings.grc:13: unterminated string"},
    {"LineMarkerAtTheLargestLine",
     {{"Strings.grc.i", "# 2147483647 \"RINT/Strings.grc\"\n\n'STR#' 1 \"A\" { \"a }\n"}},
     "RINT/Strings.grc:2147483647: unterminated string"},
    {"DirectiveNotExpanded",
     {{"Strings.grc", "#include \"ResourceIds.hpp\"\n"}},
     "Strings.grc:1: preprocessor directive '#include' was not expanded (run the source through the C "
     "preprocessor)"},
    {"UnknownEscape",
     {{"Strings.grc", "'STR#' 1 \"A\" { \"a\\q\" }\n"}},
     "Strings.grc:1: unknown escape sequence '\\q' in string"},
    {"InvalidUtf8",
     {{"Strings.grc", "'STR#' 1 \"A\" { \"\xC3\x28\" }\n"}},
     "Strings.grc:1: invalid UTF-8 in string"},
    {"NulInString",
     {{"Folder.grc", "'FLDR' 128 \"Lib\" {\n\t\"Zar" + std::string(1, '\0') + "imark.gsm\" 31990\n}\n"}},
     "Folder.grc:2: NUL character in string"},
    {"UnterminatedComment",
     {{"Strings.grc", "'STR#' 1 \"A\" { }\n/* open\n"}},
     "Strings.grc:2: unterminated comment"},
    {"UnknownAlertKind",
     {{"Alerts.grc", "'GALR' 1 \"A\" { Fatal 1 \"t\" \"l\" \"s\" \"OK\" \"\" \"\" }\n"}},
     "Alerts.grc:1: unknown alert kind 'Fatal' (Error, Warning or Information)"},
    {"DefaultButtonWithoutText",
     {{"Alerts.grc", "'GALR' 1 \"A\" { Error 2 \"t\" \"l\" \"s\" \"OK\" \"\" \"\" }\n"}},
     "Alerts.grc:1: default button 2 has no text"},
    {"AlertMissingButton",
     {{"Alerts.grc", "'GALR' 1 \"A\" { Error 1 \"t\" \"l\" \"s\" \"OK\" \"\" }\n"}},
     "Alerts.grc:1: expected third button text, found '}'"},
    {"DialogItemOutsideDialog",
     {{"Dialogs.grc", "'GDLG' 5 Modal 0 0 100 100 \"D\" {\n\tButton 90 0 20 10 LargePlain \"OK\"\n}\n"}},
     "Dialogs.grc:2: item 1 (90, 0, 20 x 10) does not fit the 100 x 100 dialog"},
    {"HelpForMissingItem",
     {{"Dialogs.grc", "'GDLG' 5 Modal 0 0 100 100 \"D\" {\n\tButton 0 0 10 10 LargePlain \"OK\"\n}\n"
                      "'DLGH' 5 Help {\n\t2 \"\" Button_1\n}\n"}},
     "Dialogs.grc:5: 'DLGH' 5 refers to item 2 of 'GDLG' 5, which has 1 items"},
};

class CompilerErrorTest : public ::testing::TestWithParam<BrokenSource> {};

TEST_P(CompilerErrorTest, RefusesWithPlaceAndReasonAndWritesNothing) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "out");
    std::filesystem::create_directories(dir.Path() / "lib");
    std::vector<std::string> arguments = {"--output",       "out/Module.rsm", "--cpp",
                                          "out/Module.cpp", "--file-dir",     "lib"};
    for (const auto& [name, contents] : GetParam().files) {
        dir.Write(name, contents);
        arguments.push_back(name);
    }

    const CompilerRun run = RunCompiler(dir.Path(), arguments);

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.errors, GetParam().expected + "\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "out"));
}

INSTANTIATE_TEST_SUITE_P(BrokenSources, CompilerErrorTest, ::testing::ValuesIn(brokenSources),
                         [](const ::testing::TestParamInfo<BrokenSource>& info) { return info.param.title; });

TEST(CompilerErrorTest, KeepsThePreviousOutputWhenASourceIsBroken) {
    TempDir dir;
    dir.Write("Good.grc", "'STR#' 1 \"A\" { \"a\" }\n");
    ASSERT_EQ(RunCompiler(dir.Path(), {"--output", "Module.rsm", "Good.grc"}).exitCode, 0);
    const std::vector<unsigned char> before = ReadBytes(dir.Path() / "Module.rsm");
    dir.Write("Bad.grc", "'STR#' 2 \"B\" { \"b }\n");

    EXPECT_EQ(RunCompiler(dir.Path(), {"--output", "Module.rsm", "Good.grc", "Bad.grc"}).exitCode, 2);

    EXPECT_EQ(ReadBytes(dir.Path() / "Module.rsm"), before);
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"Bad.grc", "Good.grc", "Module.rsm"}));
}

TEST(CompilerErrorTest, UsageErrorsExitWithTwo) {
    TempDir dir;
    dir.Write("Good.grc", "'STR#' 1 \"A\" { }\n");
    EXPECT_EQ(RunCompiler(dir.Path(), {"Good.grc"}).exitCode, 2);
    EXPECT_EQ(RunCompiler(dir.Path(), {"--output"}).exitCode, 2);
    EXPECT_EQ(RunCompiler(dir.Path(), {"--bogus", "x", "--output", "M.rsm", "Good.grc"}).exitCode, 2);
    const CompilerRun missing = RunCompiler(dir.Path(), {"--output", "M.rsm", "Nowhere.grc"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.errors, "Nowhere.grc: cannot read the source file\n");
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"Good.grc"}));
}

TEST(CompilerErrorTest, UnwritableOutputLeavesNoTemporaryFiles) {
    TempDir dir;
    dir.Write("Good.grc", "'STR#' 1 \"A\" { }\n");
    const CompilerRun run =
        RunCompiler(dir.Path(), {"--output", "Module.rsm", "--cpp", "missing/Module.cpp", "Good.grc"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("missing/Module.cpp"), std::string::npos) << run.errors;
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"Good.grc"}));
}

} // namespace
} // namespace ResourceTests
