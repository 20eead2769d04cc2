#include "AddOn/ElementEventHandler.hpp"

// Not implemented yet: every element event is accepted and ignored.
GSErrCode ElementEventHandler(const API_NotifyElementType* /*elemType*/) {
    return NoError;
}
