#include "AddOn/AddOnPreferences.hpp"

#include <cstring>

#include "GSRoot/ByteOrder.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

constexpr GSSize BlockSize = sizeof(AddOnPreferences);

bool StoredBlockFits() {
    Int32 version = 0;
    GSSize size = 0;
    if (HostGetPreferences(&version, &size, nullptr, nullptr) != NoError)
        return false;
    return version == AddOnPreferencesVersion && size == BlockSize;
}

} // namespace

AddOnPreferences ReadAddOnPreferences() {
    if (!StoredBlockFits())
        return AddOnPreferences();
    unsigned char block[BlockSize] = {};
    Int32 version = 0;
    GSSize size = BlockSize; // the buffer's capacity going in
    GSPlatformSign sign = GS::Win_Platform_Sign;
    if (HostGetPreferences(&version, &size, block, &sign) != NoError || version != AddOnPreferencesVersion ||
        size != BlockSize)
        return AddOnPreferences();
    AddOnPreferences preferences;
    std::memcpy(&preferences.prefsMark, block + offsetof(AddOnPreferences, prefsMark), sizeof(Int32));
    // Any byte but 0 means true; copying it into a bool as it is would not be a valid bool.
    preferences.showMissingIdWarning = block[offsetof(AddOnPreferences, showMissingIdWarning)] != 0;
    if (sign != GS::Win_Platform_Sign) {
        IVLong(sign, &preferences.prefsMark);
        IVBool(sign, &preferences.showMissingIdWarning);
    }
    return preferences;
}

GSErrCode WriteAddOnPreferences(const AddOnPreferences& preferences) {
    return HostSetPreferences(AddOnPreferencesVersion, BlockSize, &preferences);
}

} // namespace Zarimark
