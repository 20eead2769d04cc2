#include "HeadlessHost/InMemoryInternals.hpp"
#include "HeadlessHost/Registrations.hpp"
#include "RS/RS.hpp"

// The host operations by which the add-on registers menus, windows and handlers. What they
// register is the add-on side's.

namespace Headless {

GSErrCode InMemoryHost::ACAPI_Register_Menu(Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode,
                                            GSFlags menuFlags) {
    return RunOperation([&] {
        MenuRecord menu;
        menu.menuResID = menuStrResID;
        menu.promptResID = promptStrResID;
        menu.position = menuPosCode;
        menu.flags = menuFlags;
        const GSResModule module = addOn_.GetResourceModule();
        if (module != InvalidResModule)
            RSGetIndString_ParamAdapter(&menu.itemText, menuStrResID, 1, module);
        addOn_.GetRegistrations().AddMenu(menu);
        return NoError;
    });
}

GSErrCode InMemoryHost::ACAPI_Install_MenuHandler(Int16 menuStrResID, APIMenuCommandProc* handler) {
    return RunOperation([&] {
        return addOn_.GetRegistrations().InstallMenuHandler(menuStrResID, handler) ? NoError : APIERR_BADPARS;
    });
}

GSErrCode InMemoryHost::ACAPI_RegisterModelessWindow(Int32 referenceID,
                                                     APIPaletteControlCallBackProc* callback,
                                                     GSFlags controlFlags, const API_Guid& paletteGuid) {
    return RunOperation([&] {
        const ModelessWindowRecord window{referenceID, callback, controlFlags, paletteGuid};
        return addOn_.GetRegistrations().AddWindow(window) ? NoError : APIERR_BADPARS;
    });
}

GSErrCode InMemoryHost::HostUnregisterModelessWindow(Int32 referenceID) {
    return RunOperation(
        [&] { return addOn_.GetRegistrations().RemoveWindow(referenceID) ? NoError : APIERR_BADPARS; });
}

GSErrCode InMemoryHost::ACAPI_Notify_CatchProjectEvent(GSFlags eventTypes,
                                                       APIProjectEventHandlerProc* handler) {
    return RunOperation([&] {
        addOn_.GetRegistrations().SetProjectEventHandler(eventTypes, handler);
        return NoError;
    });
}

GSErrCode InMemoryHost::ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc* handler) {
    return RunOperation([&] {
        addOn_.GetRegistrations().SetElementObserver(handler);
        return NoError;
    });
}

GSErrCode InMemoryHost::ACAPI_Notify_CatchNewElement(const API_ElemType* elemType,
                                                     APIElementEventHandlerProc* handler) {
    return RunOperation([&] {
        if (elemType == nullptr)
            return APIERR_BADPARS;
        addOn_.GetRegistrations().SetNewElementHandler(*elemType, handler);
        return NoError;
    });
}

GSResModule InMemoryHost::HostGetOwnResourceModule() {
    return RunOperation([&] { return addOn_.GetResourceModule(); });
}

} // namespace Headless
