#ifndef ADDON_ADDONPREFERENCES_HPP
#define ADDON_ADDONPREFERENCES_HPP

#include <cstddef>

#include "GSRoot/Definitions.hpp"

namespace Zarimark {

// The add-on's only stored setting, as the host keeps it across runs: version 1, 8 bytes.
struct AddOnPreferences {
    Int32 prefsMark = 1; // written back as read
    bool showMissingIdWarning = true;
    unsigned char padding[3] = {}; // zero, so that the stored bytes are always the same
};

static_assert(sizeof(AddOnPreferences) == 8, "the stored block is 8 bytes");
static_assert(offsetof(AddOnPreferences, prefsMark) == 0, "prefsMark is stored at offset 0");
static_assert(offsetof(AddOnPreferences, showMissingIdWarning) == 4, "the flag is stored at offset 4");

constexpr Int32 AddOnPreferencesVersion = 1;

// The stored block in this machine's byte order; the default block when there is none of
// version 1 and 8 bytes or the host cannot read it.
AddOnPreferences ReadAddOnPreferences();
GSErrCode WriteAddOnPreferences(const AddOnPreferences& preferences);

} // namespace Zarimark

#endif
