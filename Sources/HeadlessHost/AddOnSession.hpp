#ifndef HEADLESSHOST_ADDONSESSION_HPP
#define HEADLESSHOST_ADDONSESSION_HPP

#include <memory>
#include <string>
#include <vector>

#include "HeadlessHost/AddOnSide.hpp"
#include "HeadlessHost/HostActivity.hpp"
#include "HeadlessHost/Registrations.hpp"
#include "Host/HostInterface.hpp"

namespace Headless {

class AddOnModule;

// The add-on as a host runs it: the module, loaded with dlopen and handed an operation table,
// what it registered, and every call into it, which keeps what escapes the add-on from the host.
// Add-ons that tests install directly through the host operations register here all the same.
class AddOnSession : public AddOnSide {
public:
    AddOnSession();
    ~AddOnSession() override; // unloads a loaded module (ReleaseAddOn first)

    AddOnSession(const AddOnSession&) = delete;
    AddOnSession& operator=(const AddOnSession&) = delete;

    // Told of every call into the add-on (the host defers the add-on's changes until it ended).
    void SetCallListener(AddOnCallListener* listener) { listener_ = listener; }

    // dlopen the module, look up GetExportedFuncAddrs / SetImportedFuncAddrs /
    // GetAddOnResourceData, register its resource module with RS, hand over `operations` as the
    // operation table, then DescribeAddOn, RegisterInterface and Initialize, each as a call into
    // the add-on. False with a reason ("<path>: <dlerror>", "<path>: missing symbol X",
    // "RegisterInterface failed with code N", ...) in *error. A failing entry point leaves the
    // module loaded with what it registered (call Unload).
    bool Load(const std::string& path, HostInterface& operations, std::string* error);
    // ReleaseAddOn (when Initialize was called), dlclose, unregister the resource module.
    // Handlers, menus and windows the module registered are forgotten.
    void Unload();
    bool IsLoaded() const;
    const AddOnDescription& GetDescription() const { return description_; }
    GSErrCode GetReleaseResult() const { return releaseResult_; } // of the last ReleaseAddOn
    // The add-on's resource module when no module is loaded (tests with a fake add-on).
    void SetResourceModule(GSResModule module) { resModule_ = module; }

    // What the user does that calls into the add-on.
    // Calls the menu handler with the menu's resource ID and item 1. `item` is the registered
    // item text (whole, or the part before '^'). APIERR_BADPARS with a reason when no such menu
    // or no handler.
    GSErrCode InvokeMenu(const GS::UniString& item, std::string* error = nullptr);
    GSErrCode InvokeMenu(Int16 menuResID, std::string* error = nullptr);
    // Calls the palette control callback of a registered window; the out flag (message 7) is
    // returned in *answer. APIERR_BADPARS when not registered.
    GSErrCode SendPaletteMessage(Int32 referenceID, Int32 messageID, bool* answer = nullptr);
    // To the project event handler if its mask includes the event; its result (0 when none).
    GSErrCode SendProjectEvent(Int32 eventCode);

    // Exceptions that escaped the add-on (each ends that call with APIERR_GENERAL).
    const std::vector<std::string>& GetExceptions() const { return exceptions_; }

    // AddOnSide
    Registrations& GetRegistrations() override { return registrations_; }
    const Registrations& GetRegistrations() const { return registrations_; }
    GSResModule GetResourceModule() const override { return resModule_; }
    GSErrCode CallIntoAddOn(const std::function<GSErrCode()>& call) override;

private:
    AddOnCallListener* listener_ = nullptr;
    Registrations registrations_;
    std::vector<std::string> exceptions_;
    std::unique_ptr<AddOnModule> module_;
    bool initializeCalled_ = false;
    AddOnDescription description_;
    GSResModule resModule_ = InvalidResModule;
    GSErrCode releaseResult_ = NoError;
};

} // namespace Headless

#endif
