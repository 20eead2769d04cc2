#include "HeadlessHost/AddOnSession.hpp"

#include <exception>

#include "Formats/Hex.hpp"
#include "HeadlessHost/AddOnModule.hpp"
#include "HeadlessHost/RecordText.hpp"

namespace Headless {

namespace {

std::string CodeText(GSErrCode code) {
    return Formats::HexNumber(static_cast<UInt32>(code), 8);
}

} // namespace

AddOnSession::AddOnSession() = default;

AddOnSession::~AddOnSession() {
    Unload();
}

GSErrCode AddOnSession::CallIntoAddOn(const std::function<GSErrCode()>& call) {
    // Exceptions stop here, as the real host would not let them through either.
    if (listener_ != nullptr)
        listener_->AddOnCallBegins();
    GSErrCode result = APIERR_GENERAL;
    try {
        result = call();
    } catch (const std::exception& exception) {
        exceptions_.push_back(exception.what());
    } catch (...) {
        exceptions_.push_back("unknown exception");
    }
    if (listener_ != nullptr)
        listener_->AddOnCallEnded();
    return result;
}

bool AddOnSession::Load(const std::string& path, HostInterface& operations, std::string* error) {
    std::string reason;
    if (module_ != nullptr) {
        reason = path + ": a module is loaded already (" + module_->GetPath() + ")";
    } else {
        module_ = AddOnModule::Open(path, &reason);
    }
    if (module_ == nullptr || !reason.empty()) {
        if (error != nullptr)
            *error = reason;
        return false;
    }
    resModule_ = module_->GetResourceModule();
    const AddOnExports& exports = module_->GetExports();
    auto fail = [&](const std::string& what) {
        if (error != nullptr)
            *error = path + ": " + what;
        return false;
    };
    const GSErrCode handOver = module_->HandOverOperations(&operations, this);
    if (handOver != NoError)
        return fail("SetImportedFuncAddrs failed with code " + CodeText(handOver));

    API_EnvirParams envir;
    Int32 addOnType = APIAddon_Unknown;
    CallIntoAddOn([&] {
        addOnType = exports.describeAddOn(&envir);
        return NoError;
    });
    description_.addOnType = addOnType;
    description_.name = ReadText(envir.addOnInfo.name, 256);
    description_.description = ReadText(envir.addOnInfo.description, 512);
    if (addOnType == APIAddon_Unknown)
        return fail("DescribeAddOn gave no add-on type");

    const GSErrCode registered = CallIntoAddOn([&] { return exports.registerInterface(); });
    if (registered != NoError)
        return fail("RegisterInterface failed with code " + CodeText(registered));
    initializeCalled_ = true;
    const GSErrCode initialized = CallIntoAddOn([&] { return exports.initialize(); });
    if (initialized != NoError)
        return fail("Initialize failed with code " + CodeText(initialized));
    return true;
}

void AddOnSession::Unload() {
    if (module_ == nullptr)
        return;
    if (initializeCalled_) {
        ReleaseAddOnProc* release = module_->GetExports().releaseAddOn;
        releaseResult_ = CallIntoAddOn([&] { return release(); });
    }
    // The handlers point into the module about to be closed.
    registrations_.Clear();
    module_.reset();
    resModule_ = InvalidResModule;
    initializeCalled_ = false;
}

bool AddOnSession::IsLoaded() const {
    return module_ != nullptr;
}

GSErrCode AddOnSession::InvokeMenu(Int16 menuResID, std::string* error) {
    const MenuRecord* menu = registrations_.FindMenu(menuResID);
    if (menu == nullptr) {
        if (error != nullptr)
            *error = "no menu " + std::to_string(menuResID) + " with a handler is registered";
        return APIERR_BADPARS;
    }
    APIMenuCommandProc* handler = menu->handler;
    return CallIntoAddOn([&] {
        API_MenuParams params;
        params.menuItemRef.menuResID = menuResID;
        params.menuItemRef.itemIndex = 1;
        return handler(&params);
    });
}

GSErrCode AddOnSession::InvokeMenu(const GS::UniString& item, std::string* error) {
    if (const MenuRecord* menu = registrations_.FindMenu(item))
        return InvokeMenu(menu->menuResID, error);
    if (error != nullptr)
        *error = "no menu item \"" + item.ToUtf8() + "\" is registered";
    return APIERR_BADPARS;
}

GSErrCode AddOnSession::SendPaletteMessage(Int32 referenceID, Int32 messageID, bool* answer) {
    const ModelessWindowRecord* window = registrations_.FindWindow(referenceID);
    if (window == nullptr)
        return APIERR_BADPARS;
    APIPaletteControlCallBackProc* callback = window->callback;
    bool flag = false;
    const GSErrCode result = CallIntoAddOn([&] { return callback(referenceID, messageID, &flag); });
    if (answer != nullptr)
        *answer = flag;
    return result;
}

GSErrCode AddOnSession::SendProjectEvent(Int32 eventCode) {
    APIProjectEventHandlerProc* handler = registrations_.GetProjectEventHandler();
    if (handler == nullptr || (registrations_.GetProjectEventMask() & eventCode) == 0)
        return NoError;
    return CallIntoAddOn([&] { return handler(eventCode, 0); });
}

} // namespace Headless
