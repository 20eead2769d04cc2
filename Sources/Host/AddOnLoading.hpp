#ifndef HOST_ADDONLOADING_HPP
#define HOST_ADDONLOADING_HPP

#include "GSRoot/Definitions.hpp"
#include "Host/HostInterface.hpp"

// The loading protocol between a host and an add-on module. The module exports the C functions
// below; the host looks them up by name after loading the module.

constexpr UInt32 AddOnInterfaceVersion = 0x1B0001;
constexpr UInt32 AddOnHostVersion = 27000;
constexpr Int32 HostOperationCount = 648;

using DescribeAddOnProc = Int32(API_EnvirParams* envir);
using RegisterInterfaceProc = GSErrCode();
using InitializeProc = GSErrCode();
using ReleaseAddOnProc = GSErrCode();

struct AddOnExports {
    UInt32 interfaceVersion = 0;
    UInt32 hostVersion = 0;
    DescribeAddOnProc* describeAddOn = nullptr;
    RegisterInterfaceProc* registerInterface = nullptr;
    InitializeProc* initialize = nullptr;
    ReleaseAddOnProc* releaseAddOn = nullptr;
};

extern "C" {
// Hands the host the four entry points, in the order the host calls them.
using GetExportedFuncAddrsProc = GSErrCode(AddOnExports* exports);
// Receives the host's operation table and the host token.
using SetImportedFuncAddrsProc = GSErrCode(HostInterface* operations, Int32 operationCount, void* hostToken);
// The add-on's resource module, embedded in the module at build time.
using GetAddOnResourceDataProc = GSErrCode(const unsigned char** data, UInt64* size);
}

#endif
