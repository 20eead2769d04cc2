#include "AddOn/CheckPaletteCallback.hpp"

#include "AddOn/CheckPalette.hpp"
#include "AddOn/EntryGuard.hpp"
#include "AddOn/PaletteIdentity.hpp"

namespace Zarimark {

// Whatever happens with a message, the host hears 0: it has nothing to do about the palette.
GSErrCode CheckPaletteControlCallback(Int32 referenceID, Int32 messageID, bool* param) {
    if (referenceID != PaletteIdentity::GetPaletteReferenceId())
        return NoError;
    (void)GuardEntry("CheckPaletteControlCallback", [&] {
        CheckPalette::GetInstance().HandleControlMessage(messageID, param);
        return NoError;
    });
    return NoError;
}

} // namespace Zarimark
