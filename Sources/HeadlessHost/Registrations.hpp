#ifndef HEADLESSHOST_REGISTRATIONS_HPP
#define HEADLESSHOST_REGISTRATIONS_HPP

#include <vector>

#include "HeadlessHost/HostActivity.hpp"

namespace Headless {

// What the add-on registered with the host: menus, modeless windows and event handlers.
class Registrations {
public:
    // A handler installed for the menu's resource ID before keeps serving it.
    void AddMenu(MenuRecord menu);
    bool InstallMenuHandler(Int16 menuResID, APIMenuCommandProc* handler); // false: no such menu
    // False for a null callback or a reference ID already registered.
    bool AddWindow(const ModelessWindowRecord& window);
    bool RemoveWindow(Int32 referenceID);
    void SetProjectEventHandler(GSFlags eventTypes, APIProjectEventHandlerProc* handler);
    void SetElementObserver(APIElementEventHandlerProc* handler) { observer_ = handler; }
    // Replaces the handler of the type; null removes it.
    void SetNewElementHandler(const API_ElemType& type, APIElementEventHandlerProc* handler);
    void Clear();

    const std::vector<MenuRecord>& GetMenus() const { return menus_; }
    const MenuRecord* FindMenu(Int16 menuResID) const; // one with a handler
    // By its item text, whole or the part before '^'.
    const MenuRecord* FindMenu(const GS::UniString& item) const;
    const std::vector<ModelessWindowRecord>& GetWindows() const { return windows_; }
    const ModelessWindowRecord* FindWindow(Int32 referenceID) const;
    APIElementEventHandlerProc* GetElementObserver() const { return observer_; }
    const std::vector<NewElementHandlerRecord>& GetNewElementHandlers() const { return newElementHandlers_; }
    APIElementEventHandlerProc* FindNewElementHandler(Int32 typeID) const;
    // Each distinct element event handler once, the observer first: those that get the batch codes.
    std::vector<APIElementEventHandlerProc*> GetElementEventHandlers() const;
    APIProjectEventHandlerProc* GetProjectEventHandler() const { return projectEventHandler_; }
    GSFlags GetProjectEventMask() const { return projectEventMask_; }

private:
    std::vector<MenuRecord> menus_;
    std::vector<ModelessWindowRecord> windows_;
    APIElementEventHandlerProc* observer_ = nullptr;
    std::vector<NewElementHandlerRecord> newElementHandlers_;
    APIProjectEventHandlerProc* projectEventHandler_ = nullptr;
    GSFlags projectEventMask_ = 0;
};

} // namespace Headless

#endif
