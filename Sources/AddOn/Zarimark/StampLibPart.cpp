#include "AddOn/Zarimark/StampLibPart.hpp"

#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

// The host may hand a file location over with the record; it is ours to release.
class LibPartRecordScope {
public:
    LibPartRecordScope() = default;
    ~LibPartRecordScope() { delete record_.location; }
    LibPartRecordScope(const LibPartRecordScope&) = delete;
    LibPartRecordScope& operator=(const LibPartRecordScope&) = delete;

    API_LibPart* Get() { return &record_; }

private:
    API_LibPart record_;
};

} // namespace

GSErrCode FindStampLibPartIndex(ZMBuiltInLibParts part, Int32* index) {
    if (index == nullptr)
        return APIERR_BADPARS;
    Int64 fileResourceId = 0;
    if (!FindBuiltInLibPartResourceId(part, &fileResourceId))
        return APIERR_BADPARS;
    LibPartRecordScope libPart;
    GSErrCode err = HostGetLibPartUniqueId(fileResourceId, libPart.Get());
    if (err != NoError)
        return err;
    err = HostSearchLibraryPart(libPart.Get(), false, false);
    if (err != NoError)
        return err;
    *index = libPart.Get()->index;
    return NoError;
}

} // namespace Zarimark
