#include "HeadlessHost/BuiltInLibraryReader.hpp"

#include <algorithm>
#include <set>

#include "LibPartFormat/LibPartFile.hpp"
#include "RS/RS.hpp"

namespace Headless {

namespace {

constexpr std::size_t LengthPrefixSize = 4;
constexpr std::size_t FolderNameBytes = 524;
constexpr std::size_t FolderEntrySize = FolderNameBytes + 2;

std::uint32_t ReadU32(const std::vector<unsigned char>& data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
}

std::uint16_t ReadU16(const std::vector<unsigned char>& data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | data[at + 1] << 8);
}

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

std::string FolderName(GSResID folderId) {
    return "FLDR " + std::to_string(folderId);
}

// The length prefix must cover exactly what follows it.
bool CheckLengthPrefix(const std::vector<unsigned char>& data, const std::string& resource,
                       std::string* error) {
    if (data.size() < LengthPrefixSize)
        return Fail(error, resource + ": " + std::to_string(data.size()) +
                               " bytes, too short for its 4-byte length field");
    const std::uint32_t length = ReadU32(data, 0);
    if (length != data.size() - LengthPrefixSize)
        return Fail(error, resource + ": the length field says " + std::to_string(length) +
                               " bytes follow it, " + std::to_string(data.size() - LengthPrefixSize) + " do");
    return true;
}

// A name fills its field from the start; only zeros may follow its end.
bool DecodeFolderName(const std::vector<unsigned char>& data, std::size_t at, const std::string& entry,
                      GS::UniString* name, std::string* error) {
    std::u16string units;
    std::size_t k = 0;
    for (; k < FolderNameBytes / 2; ++k) {
        const char16_t unit = ReadU16(data, at + 2 * k);
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    if (units.empty())
        return Fail(error, entry + " has no file name");
    for (; k < FolderNameBytes / 2; ++k) {
        if (ReadU16(data, at + 2 * k) != 0)
            return Fail(error, entry + " has bytes after the end of its file name at offset " +
                                   std::to_string(at + 2 * k));
    }
    *name = GS::UniString(std::move(units));
    return true;
}

// The stored form: the first group a little-endian 32-bit word, the next two 16-bit words.
API_Guid ToApiGuid(const LibPartFormat::Guid& guid) {
    const auto& b = guid.stored;
    API_Guid result;
    result.time_low = static_cast<UInt32>(b[0]) | static_cast<UInt32>(b[1]) << 8 |
                      static_cast<UInt32>(b[2]) << 16 | static_cast<UInt32>(b[3]) << 24;
    result.time_mid = static_cast<UInt16>(b[4] | b[5] << 8);
    result.time_hi_and_version = static_cast<UInt16>(b[6] | b[7] << 8);
    result.clock_seq_hi_and_reserved = b[8];
    result.clock_seq_low = b[9];
    std::copy(b.begin() + 10, b.end(), result.node);
    return result;
}

void CopyDescription(const std::u16string& description, API_AddParType* record) {
    const std::size_t length = std::min(description.size(), static_cast<std::size_t>(API_UniLongNameLen - 1));
    std::fill(std::begin(record->uDescname), std::end(record->uDescname), u'\0');
    std::copy(description.begin(), description.begin() + static_cast<std::ptrdiff_t>(length),
              record->uDescname);
}

Parameter MakeParameter(const LibPartFormat::Parameter& source) {
    const auto type = static_cast<Int32>(source.type);
    Parameter parameter;
    if (source.IsText()) {
        const std::vector<GS::UniString> texts(source.texts.begin(), source.texts.end());
        parameter = source.isArray
                        ? Parameter::TextArray(source.name, source.rows, source.columns, texts)
                        : Parameter::Text(source.name, texts.empty() ? GS::UniString() : texts.front());
    } else {
        parameter =
            source.isArray
                ? Parameter::NumberArray(source.name, source.rows, source.columns, source.numbers, type)
                : Parameter::Real(source.name, source.numbers.empty() ? 0.0 : source.numbers.front(), type);
    }
    CopyDescription(source.description, &parameter.record);
    return parameter;
}

} // namespace

bool DecodeBuiltInFolder(const std::vector<unsigned char>& data, GSResID folderId,
                         std::vector<BuiltInLibraryFile>* files, std::string* error) {
    const std::string resource = FolderName(folderId);
    if (!CheckLengthPrefix(data, resource, error))
        return false;
    if (data.size() < LengthPrefixSize + 2)
        return Fail(error, resource + ": no entry count after the length field");
    const std::size_t count = ReadU16(data, LengthPrefixSize);
    const std::size_t expected = LengthPrefixSize + 2 + count * FolderEntrySize;
    if (data.size() != expected)
        return Fail(error, resource + ": " + std::to_string(count) + " entries of " +
                               std::to_string(FolderEntrySize) + " bytes need " + std::to_string(expected) +
                               " bytes in all, the resource has " + std::to_string(data.size()));
    std::vector<BuiltInLibraryFile> result;
    std::set<GSResID> fileIds;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = LengthPrefixSize + 2 + i * FolderEntrySize;
        const std::string entry = resource + " entry " + std::to_string(i + 1);
        BuiltInLibraryFile file;
        if (!DecodeFolderName(data, at, entry, &file.fileName, error))
            return false;
        file.fileResourceId = ReadU16(data, at + FolderNameBytes);
        if (!fileIds.insert(file.fileResourceId).second)
            return Fail(error, entry + " names FILE " + std::to_string(file.fileResourceId) +
                                   ", which an earlier entry names already");
        result.push_back(std::move(file));
    }
    *files = std::move(result);
    return true;
}

bool DecodeBuiltInFile(const std::vector<unsigned char>& data, GSResID fileId,
                       std::vector<unsigned char>* bytes, std::string* error) {
    if (!CheckLengthPrefix(data, "FILE " + std::to_string(fileId), error))
        return false;
    bytes->assign(data.begin() + LengthPrefixSize, data.end());
    return true;
}

LibPartDesc MakeBuiltInLibPartDesc(const LibPartFormat::LibPart& part) {
    LibPartDesc desc;
    desc.name = GS::UniString(part.name);
    desc.uniqueId = "{" + part.mainGuid.ToString() + "}-{" + part.revisionGuid.ToString() + "}";
    desc.mainGuid = ToApiGuid(part.mainGuid);
    desc.typeID = API_LabelID;
    for (const LibPartFormat::Parameter& parameter : part.parameters)
        desc.parameters.push_back(MakeParameter(parameter));
    return desc;
}

bool ReadBuiltInLibrary(GSResModule module, GSResID folderId, std::vector<BuiltInLibraryPart>* parts,
                        std::string* error) {
    std::vector<unsigned char> data;
    if (!RS::GetResourceData(module, RS::FolderType, folderId, &data))
        return Fail(error, "the add-on's resource module has no " + FolderName(folderId));
    std::vector<BuiltInLibraryFile> files;
    if (!DecodeBuiltInFolder(data, folderId, &files, error))
        return false;
    std::vector<BuiltInLibraryPart> result;
    for (const BuiltInLibraryFile& file : files) {
        const std::string resource = "FILE " + std::to_string(file.fileResourceId);
        const std::string name = file.fileName.ToUtf8();
        if (!RS::GetResourceData(module, RS::FileType, file.fileResourceId, &data))
            return Fail(error, FolderName(folderId) + " names " + resource + " (\"" + name +
                                   "\"), which the resource module does not hold");
        std::vector<unsigned char> bytes;
        if (!DecodeBuiltInFile(data, file.fileResourceId, &bytes, error))
            return false;
        const LibPartFormat::ReadResult read = LibPartFormat::Read(name, bytes.data(), bytes.size());
        if (!read.Ok())
            return Fail(error, resource + " (\"" + name + "\"): " + read.problem.Describe());
        result.push_back(BuiltInLibraryPart{MakeBuiltInLibPartDesc(*read.part), file.fileResourceId});
    }
    *parts = std::move(result);
    return true;
}

} // namespace Headless
