#include <algorithm>
#include <cstring>

#include "HeadlessHost/InMemoryInternals.hpp"

// The library-part registry: parts a project declares and built-in parts of the add-on.

namespace Headless {

namespace {

std::string ReadUniqueId(const API_LibPart& libPart) {
    const char* end = static_cast<const char*>(std::memchr(libPart.ownUnID, '\0', sizeof(libPart.ownUnID)));
    return std::string(libPart.ownUnID, end != nullptr ? end : libPart.ownUnID + sizeof(libPart.ownUnID));
}

void WriteUniqueId(API_LibPart* libPart, const std::string& uniqueId) {
    const std::size_t length = std::min(uniqueId.size(), sizeof(libPart->ownUnID) - 1);
    std::memset(libPart->ownUnID, 0, sizeof(libPart->ownUnID));
    std::memcpy(libPart->ownUnID, uniqueId.data(), length);
}

} // namespace

Int32 InMemoryHost::AddLibraryPart(const LibPartDesc& desc) {
    return AddBuiltInLibraryPart(desc, -1);
}

Int32 InMemoryHost::AddBuiltInLibraryPart(const LibPartDesc& desc, Int64 fileResourceId) {
    LibPartRecord record;
    record.index = static_cast<Int32>(libParts_.size() + 1);
    record.desc = desc;
    record.fileResourceId = fileResourceId;
    libParts_.push_back(std::move(record));
    return libParts_.back().index;
}

const LibPartRecord* InMemoryHost::FindLibraryPart(Int32 index) const {
    if (index < 1 || static_cast<std::size_t>(index) > libParts_.size())
        return nullptr;
    return &libParts_[static_cast<std::size_t>(index) - 1];
}

const LibPartRecord* InMemoryHost::FindLibraryPartByName(const GS::UniString& name) const {
    for (const LibPartRecord& part : libParts_) {
        if (part.desc.name == name)
            return &part;
    }
    return nullptr;
}

GSErrCode InMemoryHost::HostGetLibPartUniqueId(Int64 fileResourceId, API_LibPart* libPart) {
    return RunOperation([&]() -> GSErrCode {
        if (libPart == nullptr)
            return APIERR_BADPARS;
        for (const LibPartRecord& part : libParts_) {
            if (part.fileResourceId >= 0 && part.fileResourceId == fileResourceId) {
                WriteUniqueId(libPart, part.desc.uniqueId);
                return NoError;
            }
        }
        return APIERR_BADPARS;
    });
}

GSErrCode InMemoryHost::HostSearchLibraryPart(API_LibPart* libPart, bool, bool) {
    return RunOperation([&]() -> GSErrCode {
        if (libPart == nullptr)
            return APIERR_BADPARS;
        // By unique ID, or by name when no unique ID is given.
        const std::string uniqueId = ReadUniqueId(*libPart);
        const GS::UniString name = ReadText(libPart->docu_UName, API_UniLongNameLen);
        const LibPartRecord* found = nullptr;
        for (const LibPartRecord& part : libParts_) {
            if (uniqueId.empty() ? (!name.IsEmpty() && part.desc.name == name)
                                 : part.desc.uniqueId == uniqueId) {
                found = &part;
                break;
            }
        }
        if (found == nullptr)
            return APIERR_BADPARS;
        libPart->index = found->index;
        libPart->typeID = found->desc.typeID;
        WriteUniqueId(libPart, found->desc.uniqueId);
        CopyText(found->desc.name, libPart->docu_UName, API_UniLongNameLen);
        libPart->location = new IO::Location("Library/" + found->desc.name.ToUtf8());
        return NoError;
    });
}

GSErrCode InMemoryHost::HostGetLibPartParams(Int32 libInd, API_AddParType*** params) {
    return RunOperation([&]() -> GSErrCode {
        if (params == nullptr)
            return APIERR_BADPARS;
        const LibPartRecord* part = FindLibraryPart(libInd);
        if (part == nullptr)
            return APIERR_BADPARS;
        GSHandle handle = HandOutParameters(part->desc.parameters);
        if (handle == nullptr)
            return APIERR_GENERAL;
        *params = reinterpret_cast<API_AddParType**>(handle);
        return NoError;
    });
}

} // namespace Headless
