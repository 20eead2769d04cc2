// The loading protocol: the only symbols the module exports.

#include <dlfcn.h>

#include <string>

#include "AddOn/AddOnMain.hpp"
#include "AddOn/FrameState.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/AddOnLoading.hpp"
#include "ResourceImage.hpp"

#define ZM_EXPORT extern "C" __attribute__((visibility("default")))

ZM_EXPORT GSErrCode GetExportedFuncAddrs(AddOnExports* exports) {
    if (exports == nullptr)
        return APIERR_BADPARS;
    exports->interfaceVersion = AddOnInterfaceVersion;
    exports->hostVersion = AddOnHostVersion;
    exports->describeAddOn = Zarimark::DescribeAddOn;
    exports->registerInterface = Zarimark::RegisterInterface;
    exports->initialize = Zarimark::Initialize;
    exports->releaseAddOn = Zarimark::ReleaseAddOn;
    return NoError;
}

ZM_EXPORT GSErrCode SetImportedFuncAddrs(HostInterface* operations, Int32 operationCount, void* hostToken) {
    return Zarimark::FrameState::AcceptHostOperations(operations, operationCount, hostToken);
}

ZM_EXPORT GSErrCode GetAddOnResourceData(const unsigned char** data, UInt64* size) {
    if (data == nullptr || size == nullptr)
        return APIERR_BADPARS;
    *data = ZarimarkResourceImage::Data();
    *size = ZarimarkResourceImage::Size();
    return NoError;
}

namespace {

std::string ModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&GetExportedFuncAddrs), &info) == 0 || info.dli_fname == nullptr)
        return std::string();
    return info.dli_fname;
}

// Notices the module going away, by dlclose or at process exit.
struct UnloadWatch {
    // Touching the debug log first makes it outlive this object at process exit.
    UnloadWatch() { GS::GetDebugLog(); }
    ~UnloadWatch() { Zarimark::FrameState::ModuleUnloading(ModulePath().c_str()); }
};

const UnloadWatch unloadWatch;

} // namespace
