#include <algorithm>

#include "HeadlessHost/BuiltInLibraryReader.hpp"
#include "HeadlessHost/InMemoryInternals.hpp"

// The add-on's built-in library: registered when the add-on asks for it.

namespace Headless {

GSErrCode InMemoryHost::ACAPI_Register_BuiltInLibrary() {
    return RunOperation([&] {
        ++builtInLibraryRegistrations_;
        return RegisterBuiltInLibraryParts();
    });
}

GSErrCode InMemoryHost::RegisterBuiltInLibraryParts() {
    std::vector<BuiltInLibraryPart> parts;
    std::string error;
    if (!ReadBuiltInLibrary(addOn_.GetResourceModule(), BuiltInLibraryFolderId, &parts, &error)) {
        builtInLibraryError_ = error;
        return APIERR_GENERAL;
    }
    builtInLibraryError_.clear();
    for (const BuiltInLibraryPart& part : parts) {
        // A module loaded again brings the same parts; labels keep the indices they have.
        const bool known = std::any_of(libParts_.begin(), libParts_.end(), [&](const LibPartRecord& record) {
            return record.fileResourceId == part.fileResourceId && record.desc.uniqueId == part.desc.uniqueId;
        });
        if (!known)
            AddBuiltInLibraryPart(part.desc, part.fileResourceId);
    }
    return NoError;
}

} // namespace Headless
