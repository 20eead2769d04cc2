#include "AddOn/MenuCommands.hpp"

// Not implemented yet: every menu command is accepted and does nothing.
GSErrCode MenuCommandHandler(const API_MenuParams* /*menuParams*/) {
    return NoError;
}
