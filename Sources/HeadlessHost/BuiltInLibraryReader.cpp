#include "HeadlessHost/BuiltInLibraryReader.hpp"
#include "Host/APIGuid.hpp"

#include <algorithm>
#include <set>

#include "Formats/LibPart/LibPartFile.hpp"
#include "Formats/ResourceModule.hpp"
#include "GSRoot/Guid.hpp"
#include "RS/RS.hpp"

namespace Headless {

namespace {

namespace MF = Formats::ResourceModule;

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

std::string FolderName(GSResID folderId) {
    return "FLDR " + std::to_string(folderId);
}

// The part file stores a GUID in the platform's 16-byte form.
API_Guid ToApiGuid(const LibPartFormat::Guid& guid) {
    return GSGuid2APIGuid(GS::Guid::FromBytes(guid.stored.data()));
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
    std::vector<MF::FolderEntry> entries;
    std::string reason;
    if (!MF::DecodeFolder(data.data(), data.size(), &entries, &reason))
        return Fail(error, resource + ": " + reason);
    std::vector<BuiltInLibraryFile> result;
    std::set<GSResID> fileIds;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string entry = resource + " entry " + std::to_string(i + 1);
        if (entries[i].name.empty())
            return Fail(error, entry + " has no file name");
        BuiltInLibraryFile file{GS::UniString(std::move(entries[i].name)), entries[i].fileId};
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
    std::string reason;
    if (!MF::DecodeFile(data.data(), data.size(), bytes, &reason))
        return Fail(error, "FILE " + std::to_string(fileId) + ": " + reason);
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
