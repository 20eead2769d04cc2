#include <cctype>
#include <cstring>

#include "HeadlessHost/BuiltInLibraryReader.hpp"
#include "StampTestSupport.hpp"

// The host registers the add-on's built-in library from its resource module: all of it, or
// nothing with the reason why.

namespace {

using Headless::HeadlessHost;

constexpr GSResID FolderId = 128;
constexpr GSResID StampFileId = 31990;
const char* const StampUniqueId =
    "{013BD535-32AB-49CE-AAD9-580F3229FDAC}-{BB8967E8-9C6F-4D84-B27D-99B27AFAB3BD}";

std::vector<unsigned char> PackedStampPart() {
    const std::vector<unsigned char> file =
        ResourceBytes(CompiledResourceModule(), RS::FileType, StampFileId);
    return std::vector<unsigned char>(file.begin() + 4, file.end());
}

std::vector<unsigned char> FolderBytes(const std::vector<std::pair<std::u16string, std::uint16_t>>& entries) {
    std::vector<unsigned char> rest = {static_cast<unsigned char>(entries.size()), 0};
    for (const auto& [name, fileId] : entries) {
        std::vector<unsigned char> field(524, 0);
        for (std::size_t k = 0; k < name.size(); ++k) {
            field[2 * k] = static_cast<unsigned char>(name[k]);
            field[2 * k + 1] = static_cast<unsigned char>(name[k] >> 8);
        }
        rest.insert(rest.end(), field.begin(), field.end());
        rest.push_back(static_cast<unsigned char>(fileId));
        rest.push_back(static_cast<unsigned char>(fileId >> 8));
    }
    return WithLengthPrefix(rest);
}

TestResource Folder(const std::vector<unsigned char>& data) {
    return {RS::FolderType, FolderId, u"Built-in Library", data};
}

TestResource File(GSResID id, const std::vector<unsigned char>& part) {
    return {RS::FileType, id, u"file", WithLengthPrefix(part)};
}

// A host whose add-on module holds `resources`; the module goes away with it.
class ModuleHost {
public:
    explicit ModuleHost(const std::vector<TestResource>& resources) : module(RegisterTestModule(resources)) {
        host.SetOwnResourceModule(module);
    }
    ~ModuleHost() { RS::UnregisterModule(module); }
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;

    GSResModule module;
    HeadlessHost host;
};

void ExpectRefused(HeadlessHost& host, const std::string& resource, const std::string& reason) {
    EXPECT_EQ(host.ACAPI_Register_BuiltInLibrary(), APIERR_GENERAL);
    const std::string& error = host.GetBuiltInLibraryError();
    EXPECT_NE(error.find(resource), std::string::npos) << error;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    EXPECT_TRUE(host.GetLibraryParts().empty());
}

API_Guid StampMainGuid() {
    API_Guid guid;
    guid.time_low = 0x013BD535;
    guid.time_mid = 0x32AB;
    guid.time_hi_and_version = 0x49CE;
    guid.clock_seq_hi_and_reserved = 0xAA;
    guid.clock_seq_low = 0xD9;
    const UInt8 node[6] = {0x58, 0x0F, 0x32, 0x29, 0xFD, 0xAC};
    std::memcpy(guid.node, node, sizeof(node));
    return guid;
}

TEST(BuiltInLibraryRegistration, HostFindsTheStampPartByTheUniqueIdOfItsFileResource) {
    HeadlessHost host;
    host.SetOwnResourceModule(CompiledResourceModule());
    ASSERT_EQ(host.ACAPI_Register_BuiltInLibrary(), NoError) << host.GetBuiltInLibraryError();
    EXPECT_EQ(host.GetBuiltInLibraryError(), "");
    ASSERT_EQ(host.GetLibraryParts().size(), 1u);
    const Headless::LibPartRecord& registered = host.GetLibraryParts().front();
    EXPECT_EQ(registered.fileResourceId, StampFileId);
    EXPECT_EQ(registered.desc.mainGuid, StampMainGuid());
    EXPECT_EQ(registered.desc.typeID, API_LabelID);

    API_LibPart libPart;
    ASSERT_EQ(host.HostGetLibPartUniqueId(StampFileId, &libPart), NoError);
    EXPECT_STREQ(libPart.ownUnID, StampUniqueId);
    ASSERT_EQ(host.HostSearchLibraryPart(&libPart, false, false), NoError);
    delete libPart.location;
    EXPECT_EQ(libPart.index, registered.index);
    EXPECT_EQ(GS::UniString(libPart.docu_UName), GS::UniString("Zarimark.gsm"));
}

struct DeclaredParameter {
    const char* name;
    bool text;
    bool array;
    Int32 columns; // 0: any
};

TEST(BuiltInLibraryRegistration, StampPartDeclaresEveryParameterTheAddOnWrites) {
    HeadlessHost host;
    host.SetOwnResourceModule(CompiledResourceModule());
    ASSERT_EQ(host.ACAPI_Register_BuiltInLibrary(), NoError) << host.GetBuiltInLibraryError();
    API_AddParType** params = nullptr;
    ASSERT_EQ(host.HostGetLibPartParams(host.GetLibraryParts().front().index, &params), NoError);
    const Headless::ParameterList declared =
        Headless::DecodeParameters(reinterpret_cast<GSConstHandle>(params));
    API_ElementMemo memo;
    memo.params = params;
    host.HostDisposeElementMemo(&memo);

    const DeclaredParameter contract[] = {
        {"zm_version", false, false, 0},      {"zm_roomCats", false, true, 1},
        {"zm_roomAreas", false, true, 0},     {"zm_roomAreasInZari", false, true, 4},
        {"zm_ZoneCatExists", false, true, 1}, {"zm_ZoneCatCodes", true, true, 1},
        {"zm_ZoneCatNames", true, true, 1},   {"zm_apartmentId", true, false, 0},
        {"zm_lines", false, true, 1},         {"zm_lineTexts", true, true, 1},
    };
    for (const DeclaredParameter& expected : contract) {
        SCOPED_TRACE(expected.name);
        const Headless::Parameter* parameter = Headless::FindParameter(declared, expected.name);
        ASSERT_NE(parameter, nullptr);
        EXPECT_EQ(parameter->GetType() == APIParT_CString, expected.text);
        EXPECT_EQ(parameter->IsArray(), expected.array);
        if (expected.columns != 0) {
            EXPECT_EQ(parameter->GetDim2(), expected.columns);
        }
    }
    EXPECT_EQ(Headless::FindParameter(declared, "zm_version")->GetReal(), 2.0);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
}

TEST(BuiltInLibraryRegistration, RegisteringAgainKeepsThePartAndItsIndex) {
    HeadlessHost host;
    host.SetOwnResourceModule(CompiledResourceModule());
    ASSERT_EQ(host.ACAPI_Register_BuiltInLibrary(), NoError);
    const Int32 index = host.GetLibraryParts().front().index;
    ASSERT_EQ(host.ACAPI_Register_BuiltInLibrary(), NoError);
    ASSERT_EQ(host.GetLibraryParts().size(), 1u);
    EXPECT_EQ(host.GetLibraryParts().front().index, index);
    EXPECT_EQ(host.GetBuiltInLibraryRegistrationCount(), 2);
}

struct BrokenFile {
    const char* what;
    void (*breakIt)(std::vector<unsigned char>& part);
    const char* reason;
};

std::size_t DirectoryEntry(int k) {
    return 128 + 16 * static_cast<std::size_t>(k);
}

const BrokenFile BrokenFiles[] = {
    {"wrong magic", [](std::vector<unsigned char>& part) { part[0] = 'X'; }, "offset 0: wrong magic"},
    {"truncated header", [](std::vector<unsigned char>& part) { part.resize(100); }, "truncated header"},
    {"truncated directory", [](std::vector<unsigned char>& part) { part.resize(200); },
     "truncated directory"},
    {"truncated last section", [](std::vector<unsigned char>& part) { part.resize(part.size() - 10); },
     "runs past the end of the file"},
    {"section outside the file",
     [](std::vector<unsigned char>& part) {
         PutU32(part, DirectoryEntry(9) + 4, static_cast<std::uint32_t>(part.size() + 16));
     },
     "runs past the end of the file"},
    {"overlapping sections",
     [](std::vector<unsigned char>& part) {
         PutU32(part, DirectoryEntry(1) + 4, GetU32(part, DirectoryEntry(0) + 4) + 16);
     },
     "overlaps section"},
    {"section header length differs from the directory",
     [](std::vector<unsigned char>& part) {
         const std::uint32_t section = GetU32(part, DirectoryEntry(2) + 4);
         PutU32(part, section + 8, GetU32(part, section + 8) + 1);
     },
     "the section header's length"},
    {"bad directory length", [](std::vector<unsigned char>& part) { PutU32(part, 56, 150); },
     "the directory length"},
};

void PrintTo(const BrokenFile& broken, std::ostream* out) {
    *out << broken.what;
}

class MalformedStampFile : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(MalformedStampFile, IsRefusedWithItsReasonAndNothingRegistered) {
    std::vector<unsigned char> part = PackedStampPart();
    GetParam().breakIt(part);
    const std::vector<unsigned char> folder =
        ResourceBytes(CompiledResourceModule(), RS::FolderType, FolderId);
    ModuleHost module({Folder(folder), File(StampFileId, part)});
    ExpectRefused(module.host, "FILE 31990 (\"Zarimark.gsm\")", GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(BrokenFiles, MalformedStampFile, ::testing::ValuesIn(BrokenFiles),
                         [](const ::testing::TestParamInfo<BrokenFile>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c != '\0'; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(BuiltInLibraryRegistration, OneBrokenFileKeepsTheWholeLibraryOut) {
    std::vector<unsigned char> broken = PackedStampPart();
    broken[1] = 'Q';
    ModuleHost module({Folder(FolderBytes({{u"Zarimark.gsm", 31990}, {u"Other.gsm", 31991}})),
                       File(31990, PackedStampPart()), File(31991, broken)});
    ExpectRefused(module.host, "FILE 31991 (\"Other.gsm\")", "wrong magic");
}

TEST(BuiltInLibraryRegistration, FolderNamingAMissingFileIsRefused) {
    ModuleHost module({Folder(FolderBytes({{u"Zarimark.gsm", 31990}, {u"Gone.gsm", 31999}})),
                       File(31990, PackedStampPart())});
    ExpectRefused(module.host, "FLDR 128 names FILE 31999 (\"Gone.gsm\")", "does not hold");
}

TEST(BuiltInLibraryRegistration, ModuleWithoutFolderIsRefused) {
    ModuleHost module({File(31990, PackedStampPart())});
    ExpectRefused(module.host, "FLDR 128", "has no FLDR 128");
}

TEST(BuiltInLibraryRegistration, SuccessClearsTheReasonOfAnEarlierFailure) {
    HeadlessHost host;
    EXPECT_EQ(host.ACAPI_Register_BuiltInLibrary(), APIERR_GENERAL); // no resource module at all
    EXPECT_NE(host.GetBuiltInLibraryError(), "");
    host.SetOwnResourceModule(CompiledResourceModule());
    EXPECT_EQ(host.ACAPI_Register_BuiltInLibrary(), NoError);
    EXPECT_EQ(host.GetBuiltInLibraryError(), "");
}

struct BrokenFolder {
    const char* what;
    std::vector<unsigned char> data;
    const char* reason;
};

std::vector<unsigned char> WithU32(std::vector<unsigned char> data, std::size_t at, std::uint32_t value) {
    PutU32(data, at, value);
    return data;
}

std::vector<unsigned char> WithByte(std::vector<unsigned char> data, std::size_t at, unsigned char value) {
    data.at(at) = value;
    return data;
}

std::vector<unsigned char> OneEntry() {
    return FolderBytes({{u"Zarimark.gsm", 31990}});
}

// The resource module refuses such folders already; the host does not rely on that.
TEST(BuiltInFolderDecoding, MalformedFoldersAreRefusedWithTheirReason) {
    const BrokenFolder cases[] = {
        {"too short", {1, 0}, "too short for its 4-byte length field"},
        {"length too large", WithU32(OneEntry(), 0, 600),
         "the length field says 600 bytes follow it, 528 do"},
        {"length too small", WithU32(OneEntry(), 0, 527), "the length field says 527"},
        {"no count", WithLengthPrefix({}), "no entry count"},
        {"count beyond the data", WithByte(OneEntry(), 4, 2), "2 entries of 526 bytes need 1058 bytes"},
        {"empty name", FolderBytes({{u"", 31990}}), "entry 1 has no file name"},
        {"text after the name", WithByte(OneEntry(), 6 + 2 * 13, 'x'),
         "bytes after the end of its file name"},
        {"file named twice", FolderBytes({{u"A.gsm", 7}, {u"B.gsm", 7}}), "entry 2 names FILE 7"},
    };
    for (const BrokenFolder& broken : cases) {
        SCOPED_TRACE(broken.what);
        std::vector<Headless::BuiltInLibraryFile> files;
        std::string error;
        EXPECT_FALSE(Headless::DecodeBuiltInFolder(broken.data, 128, &files, &error));
        EXPECT_NE(error.find("FLDR 128"), std::string::npos) << error;
        EXPECT_NE(error.find(broken.reason), std::string::npos) << error;
        EXPECT_TRUE(files.empty());
    }
}

TEST(BuiltInFolderDecoding, NameMayFillItsWholeFieldWithoutATerminator) {
    const std::u16string longest(262, u'n');
    std::vector<Headless::BuiltInLibraryFile> files;
    std::string error;
    ASSERT_TRUE(
        Headless::DecodeBuiltInFolder(FolderBytes({{longest, 5}, {u"b.gsm", 6}}), 128, &files, &error))
        << error;
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].fileName, GS::UniString(longest));
    EXPECT_EQ(files[0].fileResourceId, 5);
    EXPECT_EQ(files[1].fileName, GS::UniString("b.gsm"));
    EXPECT_EQ(files[1].fileResourceId, 6);
}

TEST(BuiltInFileDecoding, LengthPrefixMustCoverExactlyTheFile) {
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_FALSE(
        Headless::DecodeBuiltInFile(WithU32(WithLengthPrefix({1, 2, 3}), 0, 4), 31990, &bytes, &error));
    EXPECT_NE(error.find("FILE 31990: the length field says 4 bytes follow it, 3 do"), std::string::npos)
        << error;
    ASSERT_TRUE(Headless::DecodeBuiltInFile(WithLengthPrefix({1, 2, 3}), 31990, &bytes, &error));
    EXPECT_EQ(bytes, (std::vector<unsigned char>{1, 2, 3}));
}

} // namespace
