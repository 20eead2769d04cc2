#include "AddOn/CheckPaletteCallback.hpp"

// Not implemented yet: every palette message is accepted and ignored.
GSErrCode CheckPaletteControlCallback(Int32 /*referenceID*/, Int32 /*messageID*/, bool* /*param*/) {
    return NoError;
}
