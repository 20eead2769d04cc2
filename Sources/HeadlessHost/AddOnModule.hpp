#ifndef HEADLESSHOST_ADDONMODULE_HPP
#define HEADLESSHOST_ADDONMODULE_HPP

#include <memory>
#include <string>

#include "Host/AddOnLoading.hpp"

namespace Headless {

// An add-on module loaded with dlopen: its exported loading functions and its resource
// module, registered with RS for as long as the module is open.
class AddOnModule {
public:
    // Null with a reason in *error: "<path>: <dlerror text>", "<path>: missing symbol <name>",
    // "<path>: resource module rejected: <reason>", "<path>: interface version ...".
    static std::unique_ptr<AddOnModule> Open(const std::string& path, std::string* error);
    ~AddOnModule(); // unregisters the resource module, then dlclose

    AddOnModule(const AddOnModule&) = delete;
    AddOnModule& operator=(const AddOnModule&) = delete;

    const std::string& GetPath() const { return path_; }
    GSResModule GetResourceModule() const { return resModule_; }
    const AddOnExports& GetExports() const { return exports_; }
    // Hands over the operation table; the module's answer.
    GSErrCode HandOverOperations(HostInterface* host, void* token) const;

private:
    AddOnModule() = default;

    std::string path_;
    void* library_ = nullptr;
    SetImportedFuncAddrsProc* setImported_ = nullptr;
    AddOnExports exports_;
    GSResModule resModule_ = InvalidResModule;
};

} // namespace Headless

#endif
