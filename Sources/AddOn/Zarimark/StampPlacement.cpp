#include "AddOn/Zarimark/StampPlacement.hpp"

// Placing stamps with the label tool is not offered yet: a new label stays what it is.
GSErrCode HandleStampPlaced(const API_Guid& /*label*/, bool& stampLeftWrong) {
    stampLeftWrong = false;
    return NoError;
}
