#include "AddOn/MenuCommands.hpp"

#include "AddOn/CheckPalette.hpp"
#include "AddOn/CreateCommand.hpp"
#include "AddOn/EntryGuard.hpp"
#include "AddOn/ZoneObservation.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

GSErrCode MenuCommandHandler(const API_MenuParams* menuParams) {
    if (menuParams == nullptr)
        return NoError;
    return GuardEntry("MenuCommandHandler", [&] {
        ZoneObservation::Resume();
        switch (menuParams->menuItemRef.menuResID) {
        case ZM_STRS_MENU_CREATE:
            return RunCreateCommand();
        case ZM_STRS_MENU_PALETTE:
            ShowCheckPalette();
            return NoError;
        default:
            return NoError;
        }
    });
}

} // namespace Zarimark
