#include "RS/RS.hpp"
#include "RS/ResourcePayloads.hpp"

// Readers of the structured resource types. Registration validated every payload already, so a
// decoding failure here means only that the resource is missing.
namespace RS {

namespace {

template <typename Result, typename Decoder>
bool Read(GSResModule module, ResType type, GSResID id, Result* result, Decoder decode) {
    std::vector<unsigned char> data;
    if (result == nullptr || !GetResourceData(module, type, id, &data))
        return false;
    return decode(data, result, nullptr);
}

} // namespace

bool GetAlert(GSResModule module, GSResID id, AlertResource* alert) {
    return Read(module, AlertType, id, alert, Payloads::DecodeAlert);
}

bool GetDialog(GSResModule module, GSResID id, DialogResource* dialog) {
    return Read(module, DialogType, id, dialog, Payloads::DecodeDialog);
}

bool GetStringList(GSResModule module, GSResID id, std::vector<GS::UniString>* items) {
    return Read(module, StringListType, id, items, Payloads::DecodeStringList);
}

bool GetFolder(GSResModule module, GSResID id, std::vector<FolderEntry>* entries) {
    return Read(module, FolderType, id, entries, Payloads::DecodeFolder);
}

bool GetFile(GSResModule module, GSResID id, std::vector<unsigned char>* bytes) {
    return Read(module, FileType, id, bytes, Payloads::DecodeFile);
}

} // namespace RS
