#include "HeadlessHost/Registrations.hpp"

#include <algorithm>

namespace Headless {

void Registrations::AddMenu(MenuRecord menu) {
    for (const MenuRecord& existing : menus_) {
        if (existing.menuResID == menu.menuResID && existing.handler != nullptr)
            menu.handler = existing.handler;
    }
    menus_.push_back(menu);
}

bool Registrations::InstallMenuHandler(Int16 menuResID, APIMenuCommandProc* handler) {
    bool found = false;
    for (MenuRecord& menu : menus_) {
        if (menu.menuResID == menuResID) {
            menu.handler = handler;
            found = true;
        }
    }
    return found;
}

bool Registrations::AddWindow(const ModelessWindowRecord& window) {
    if (window.callback == nullptr || FindWindow(window.referenceID) != nullptr)
        return false;
    windows_.push_back(window);
    return true;
}

bool Registrations::RemoveWindow(Int32 referenceID) {
    auto found = std::find_if(windows_.begin(), windows_.end(), [&](const ModelessWindowRecord& window) {
        return window.referenceID == referenceID;
    });
    if (found == windows_.end())
        return false;
    windows_.erase(found);
    return true;
}

void Registrations::SetProjectEventHandler(GSFlags eventTypes, APIProjectEventHandlerProc* handler) {
    projectEventHandler_ = handler;
    projectEventMask_ = handler != nullptr ? eventTypes : 0;
}

void Registrations::SetNewElementHandler(const API_ElemType& type, APIElementEventHandlerProc* handler) {
    newElementHandlers_.erase(std::remove_if(newElementHandlers_.begin(), newElementHandlers_.end(),
                                             [&](const NewElementHandlerRecord& record) {
                                                 return record.type.typeID == type.typeID;
                                             }),
                              newElementHandlers_.end());
    if (handler != nullptr)
        newElementHandlers_.push_back(NewElementHandlerRecord{type, handler});
}

void Registrations::Clear() {
    *this = Registrations();
}

const MenuRecord* Registrations::FindMenu(Int16 menuResID) const {
    auto found = std::find_if(menus_.begin(), menus_.end(), [&](const MenuRecord& menu) {
        return menu.menuResID == menuResID && menu.handler != nullptr;
    });
    return found != menus_.end() ? &*found : nullptr;
}

const MenuRecord* Registrations::FindMenu(const GS::UniString& item) const {
    for (const MenuRecord& menu : menus_) {
        const std::u16string& text = menu.itemText.GetUnits();
        const std::u16string shown = text.substr(0, text.find(u'^'));
        if (!text.empty() && (item.GetUnits() == text || item.GetUnits() == shown))
            return &menu;
    }
    return nullptr;
}

const ModelessWindowRecord* Registrations::FindWindow(Int32 referenceID) const {
    auto found = std::find_if(windows_.begin(), windows_.end(), [&](const ModelessWindowRecord& window) {
        return window.referenceID == referenceID;
    });
    return found != windows_.end() ? &*found : nullptr;
}

APIElementEventHandlerProc* Registrations::FindNewElementHandler(Int32 typeID) const {
    for (const NewElementHandlerRecord& record : newElementHandlers_) {
        if (record.type.typeID == typeID)
            return record.handler;
    }
    return nullptr;
}

std::vector<APIElementEventHandlerProc*> Registrations::GetElementEventHandlers() const {
    std::vector<APIElementEventHandlerProc*> handlers;
    if (observer_ != nullptr)
        handlers.push_back(observer_);
    for (const NewElementHandlerRecord& record : newElementHandlers_) {
        if (record.handler != nullptr &&
            std::find(handlers.begin(), handlers.end(), record.handler) == handlers.end())
            handlers.push_back(record.handler);
    }
    return handlers;
}

} // namespace Headless
