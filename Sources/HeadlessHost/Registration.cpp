#include <algorithm>

#include "GSRoot/Guid.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "HeadlessHost/HostInternals.hpp"
#include "RS/RS.hpp"

// What the add-on registers (menus, windows, handlers) and the host's calls that use it.

namespace Headless {

GSErrCode HeadlessHost::ACAPI_Register_Menu(Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode,
                                            GSFlags menuFlags) {
    const std::string arguments = std::to_string(menuStrResID) + ", " + std::to_string(promptStrResID) +
                                  ", " + std::to_string(menuPosCode) + ", " + std::to_string(menuFlags);
    return RunOperation("ACAPI_Register_Menu", arguments, [&] {
        MenuRecord menu;
        menu.menuResID = menuStrResID;
        menu.promptResID = promptStrResID;
        menu.position = menuPosCode;
        menu.flags = menuFlags;
        if (ownResModule_ != InvalidResModule)
            RSGetIndString_ParamAdapter(&menu.itemText, menuStrResID, 1, ownResModule_);
        // A handler installed before keeps serving the menu.
        for (const MenuRecord& existing : menus_) {
            if (existing.menuResID == menuStrResID && existing.handler != nullptr)
                menu.handler = existing.handler;
        }
        menus_.push_back(menu);
        return NoError;
    });
}

GSErrCode HeadlessHost::ACAPI_Install_MenuHandler(Int16 menuStrResID, APIMenuCommandProc* handler) {
    return RunOperation("ACAPI_Install_MenuHandler", std::to_string(menuStrResID), [&]() -> GSErrCode {
        bool found = false;
        for (MenuRecord& menu : menus_) {
            if (menu.menuResID == menuStrResID) {
                menu.handler = handler;
                found = true;
            }
        }
        return found ? NoError : APIERR_BADPARS;
    });
}

GSErrCode HeadlessHost::ACAPI_RegisterModelessWindow(Int32 referenceID,
                                                     APIPaletteControlCallBackProc* callback,
                                                     GSFlags controlFlags, const API_Guid& paletteGuid) {
    const std::string arguments = HexCode(static_cast<UInt32>(referenceID)) + ", " +
                                  std::to_string(controlFlags) + ", " + APIGuidToString(paletteGuid);
    return RunOperation("ACAPI_RegisterModelessWindow", arguments, [&]() -> GSErrCode {
        if (callback == nullptr)
            return APIERR_BADPARS;
        for (const ModelessWindowRecord& window : windows_) {
            if (window.referenceID == referenceID)
                return APIERR_BADPARS;
        }
        windows_.push_back(ModelessWindowRecord{referenceID, callback, controlFlags, paletteGuid});
        return NoError;
    });
}

GSErrCode HeadlessHost::HostUnregisterModelessWindow(Int32 referenceID) {
    return RunOperation(
        "HostUnregisterModelessWindow", HexCode(static_cast<UInt32>(referenceID)), [&]() -> GSErrCode {
            auto found =
                std::find_if(windows_.begin(), windows_.end(), [&](const ModelessWindowRecord& window) {
                    return window.referenceID == referenceID;
                });
            if (found == windows_.end())
                return APIERR_BADPARS;
            windows_.erase(found);
            return NoError;
        });
}

GSErrCode HeadlessHost::ACAPI_Notify_CatchProjectEvent(GSFlags eventTypes,
                                                       APIProjectEventHandlerProc* handler) {
    return RunOperation("ACAPI_Notify_CatchProjectEvent", std::to_string(eventTypes), [&] {
        projectEventHandler_ = handler;
        projectEventMask_ = handler != nullptr ? eventTypes : 0;
        return NoError;
    });
}

GSErrCode HeadlessHost::ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc* handler) {
    return RunOperation("ACAPI_Notify_InstallElementObserver", handler != nullptr ? "handler" : "none", [&] {
        observerHandler_ = handler;
        return NoError;
    });
}

GSErrCode HeadlessHost::ACAPI_Notify_CatchNewElement(const API_ElemType* elemType,
                                                     APIElementEventHandlerProc* handler) {
    const std::string arguments = elemType != nullptr ? std::to_string(elemType->typeID) : "null";
    return RunOperation("ACAPI_Notify_CatchNewElement", arguments, [&]() -> GSErrCode {
        if (elemType == nullptr)
            return APIERR_BADPARS;
        newElementHandlers_.erase(std::remove_if(newElementHandlers_.begin(), newElementHandlers_.end(),
                                                 [&](const NewElementHandlerRecord& record) {
                                                     return record.type.typeID == elemType->typeID;
                                                 }),
                                  newElementHandlers_.end());
        if (handler != nullptr)
            newElementHandlers_.push_back(NewElementHandlerRecord{*elemType, handler});
        return NoError;
    });
}

GSResModule HeadlessHost::HostGetOwnResourceModule() {
    GSResModule module = InvalidResModule; // also the answer under an injected fault
    RunOperation("HostGetOwnResourceModule", "", [&] {
        module = ownResModule_;
        return NoError;
    });
    return module;
}

GSErrCode HeadlessHost::InvokeMenu(Int16 menuResID, std::string* error) {
    auto found = std::find_if(menus_.begin(), menus_.end(), [&](const MenuRecord& menu) {
        return menu.menuResID == menuResID && menu.handler != nullptr;
    });
    if (found == menus_.end()) {
        if (error != nullptr)
            *error = "no menu " + std::to_string(menuResID) + " with a handler is registered";
        return APIERR_BADPARS;
    }
    APIMenuCommandProc* handler = found->handler;
    return CallIntoAddOn([&] {
        API_MenuParams params;
        params.menuItemRef.menuResID = menuResID;
        params.menuItemRef.itemIndex = 1;
        return handler(&params);
    });
}

GSErrCode HeadlessHost::InvokeMenu(const GS::UniString& item, std::string* error) {
    for (const MenuRecord& menu : menus_) {
        const std::u16string& text = menu.itemText.GetUnits();
        const std::u16string shown = text.substr(0, text.find(u'^'));
        if (!text.empty() && (item.GetUnits() == text || item.GetUnits() == shown))
            return InvokeMenu(menu.menuResID, error);
    }
    if (error != nullptr)
        *error = "no menu item \"" + item.ToUtf8() + "\" is registered";
    return APIERR_BADPARS;
}

GSErrCode HeadlessHost::SendPaletteMessage(Int32 referenceID, Int32 messageID, bool* answer) {
    auto found = std::find_if(windows_.begin(), windows_.end(), [&](const ModelessWindowRecord& window) {
        return window.referenceID == referenceID;
    });
    if (found == windows_.end())
        return APIERR_BADPARS;
    APIPaletteControlCallBackProc* callback = found->callback;
    bool flag = false;
    const GSErrCode result = CallIntoAddOn([&] { return callback(referenceID, messageID, &flag); });
    if (answer != nullptr)
        *answer = flag;
    return result;
}

GSErrCode HeadlessHost::CreateOrOpenProject(bool open) {
    return SendProjectEvent(open ? APINotify_Open : APINotify_New);
}

GSErrCode HeadlessHost::SendProjectEvent(Int32 eventCode) {
    if (projectEventHandler_ == nullptr || (projectEventMask_ & eventCode) == 0)
        return NoError;
    APIProjectEventHandlerProc* handler = projectEventHandler_;
    return CallIntoAddOn([&] { return handler(eventCode, 0); });
}

} // namespace Headless
