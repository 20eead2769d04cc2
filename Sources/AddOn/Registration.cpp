#include "AddOn/Registration.hpp"

#include <initializer_list>

#include "AddOn/CheckPaletteCallback.hpp"
#include "AddOn/ElementEventHandler.hpp"
#include "AddOn/MenuCommands.hpp"
#include "AddOn/PaletteIdentity.hpp"
#include "AddOn/ProjectEvents.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/HostOperations.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

constexpr GSFlags PaletteControlFlags = 1;

struct Step {
    GSErrCode (*run)();
    const char* failureLine; // null: the failure is returned silently
};

GSErrCode RunSteps(std::initializer_list<Step> steps) {
    for (const Step& step : steps) {
        const GSErrCode err = step.run();
        if (err != NoError) {
            if (step.failureLine != nullptr)
                DBPrintf("%s", step.failureLine);
            return err;
        }
    }
    return NoError;
}

GSErrCode CatchNewElements(API_ElemTypeID typeID) {
    API_ElemType type;
    type.typeID = typeID;
    return ACAPI_Notify_CatchNewElement(&type, ElementEventHandler);
}

} // namespace

GSErrCode RegisterMenusAndLibrary() {
    return RunSteps({
        {[] {
             return ACAPI_Register_Menu(ZM_STRS_MENU_CREATE, 0, MenuCode_UserDef, MenuFlag_SeparatorBefore);
         },
         "ZM: RegisterInterface() ACAPI_Register_Menu MENU failed.\n"},
        {[] { return ACAPI_Register_Menu(ZM_STRS_MENU_PALETTE, 0, MenuCode_UserDef, MenuFlag_Default); },
         "ZM: RegisterInterface() ACAPI_Register_Menu PALETTE_MENU failed.\n"},
        {[] { return ACAPI_Register_Menu(ZM_STRS_MENU_PALETTE, 0, MenuCode_Palettes, MenuFlag_Default); },
         "ZM: RegisterInterface() ACAPI_Register_Menu PALETTE_MENU in Palettes failed.\n"},
        {[] { return ACAPI_Register_BuiltInLibrary(); },
         "ZM: RegisterInterface() ACAPI_Register_BuiltInLibrary failed.\n"},
    });
}

GSErrCode InstallHandlers() {
    return RunSteps({
        {[] { return ACAPI_Install_MenuHandler(ZM_STRS_MENU_CREATE, MenuCommandHandler); },
         "ZM: Initialize() ACAPI_Install_MenuHandler MENU failed.\n"},
        {[] { return ACAPI_Install_MenuHandler(ZM_STRS_MENU_PALETTE, MenuCommandHandler); },
         "ZM: Initialize() ACAPI_Install_MenuHandler ID_ZM_PALETTE_MENU failed.\n"},
        {[] {
             return ACAPI_RegisterModelessWindow(PaletteIdentity::GetPaletteReferenceId(),
                                                 CheckPaletteControlCallback, PaletteControlFlags,
                                                 PaletteIdentity::GetPaletteApiGuid());
         },
         "ZM: Initialize() ACAPI_RegisterModelessWindow failed.\n"},
        {[] { return ACAPI_Notify_CatchProjectEvent(ProjectEventMask, ProjectEventHandler); },
         "ZM: ACAPI_Notify_CatchProjectEvent failed.\n"},
        // The observer stays on for the add-on's lifetime; elements opt in one by one.
        {[] { return ACAPI_Notify_InstallElementObserver(ElementEventHandler); },
         "ZM: ACAPI_Notify_InstallElementObserver failed.\n"},
        {[] { return CatchNewElements(API_ZoneID); }, "ZM: ACAPI_Notify_CatchNewElement failed.\n"},
        {[] { return CatchNewElements(API_LabelID); }, nullptr},
    });
}

GSErrCode UnregisterPalette() {
    return HostUnregisterModelessWindow(PaletteIdentity::GetPaletteReferenceId());
}

} // namespace Zarimark
