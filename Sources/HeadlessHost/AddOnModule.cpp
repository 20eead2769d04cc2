#include "HeadlessHost/AddOnModule.hpp"

#include <dlfcn.h>

#include "Formats/Hex.hpp"
#include "RS/RS.hpp"

namespace Headless {

namespace {

std::string CodeText(GSErrCode code) {
    return Formats::HexNumber(static_cast<UInt32>(code), 8);
}

} // namespace

std::unique_ptr<AddOnModule> AddOnModule::Open(const std::string& path, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error != nullptr)
            *error = path + ": " + why;
        return nullptr;
    };
    std::unique_ptr<AddOnModule> module(new AddOnModule());
    module->path_ = path;
    module->library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module->library_ == nullptr) {
        // dlerror usually names the path itself.
        const char* reason = dlerror();
        const std::string text = reason != nullptr ? reason : "cannot be loaded";
        if (text.rfind(path + ":", 0) == 0) {
            if (error != nullptr)
                *error = text;
            return nullptr;
        }
        return fail(text);
    }
    void* symbols[3] = {};
    const char* names[3] = {"GetExportedFuncAddrs", "SetImportedFuncAddrs", "GetAddOnResourceData"};
    for (int i = 0; i < 3; ++i) {
        symbols[i] = dlsym(module->library_, names[i]);
        if (symbols[i] == nullptr)
            return fail(std::string("missing symbol ") + names[i]);
    }
    auto* getExported = reinterpret_cast<GetExportedFuncAddrsProc*>(symbols[0]);
    module->setImported_ = reinterpret_cast<SetImportedFuncAddrsProc*>(symbols[1]);
    auto* getResources = reinterpret_cast<GetAddOnResourceDataProc*>(symbols[2]);

    const unsigned char* data = nullptr;
    UInt64 size = 0;
    const GSErrCode resources = getResources(&data, &size);
    if (resources != NoError || data == nullptr)
        return fail("GetAddOnResourceData failed with code " + CodeText(resources));
    std::string reason;
    module->resModule_ = RS::RegisterModule(data, size, path, &reason);
    if (module->resModule_ == InvalidResModule)
        return fail("resource module rejected: " + reason);

    const GSErrCode exported = getExported(&module->exports_);
    if (exported != NoError)
        return fail("GetExportedFuncAddrs failed with code " + CodeText(exported));
    const AddOnExports& exports = module->exports_;
    if (exports.interfaceVersion != AddOnInterfaceVersion || exports.hostVersion != AddOnHostVersion)
        return fail("interface version " + CodeText(static_cast<GSErrCode>(exports.interfaceVersion)) + "/" +
                    std::to_string(exports.hostVersion) + " does not match the host's " +
                    CodeText(static_cast<GSErrCode>(AddOnInterfaceVersion)) + "/" +
                    std::to_string(AddOnHostVersion));
    if (exports.describeAddOn == nullptr || exports.registerInterface == nullptr ||
        exports.initialize == nullptr || exports.releaseAddOn == nullptr)
        return fail("an entry point is missing from the exported table");
    return module;
}

AddOnModule::~AddOnModule() {
    if (resModule_ != InvalidResModule)
        RS::UnregisterModule(resModule_);
    if (library_ != nullptr)
        dlclose(library_);
}

GSErrCode AddOnModule::HandOverOperations(HostInterface* host, void* token) const {
    return setImported_(host, HostOperationCount, token);
}

} // namespace Headless
