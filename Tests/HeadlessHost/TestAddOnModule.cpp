// A minimal add-on module for the loader tests: it logs each entry point to the debug log and
// registers one menu whose text comes from its own resource module. Built with
// ZM_TEST_ADDON_FLAWS, its menu command also has the flaws a fault sweep must find.

#include <cstdlib>
#include <cstring>
#include <vector>

#include "GSRoot/DebugLog.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostCodes.hpp"

namespace {

HostInterface* host = nullptr;

void PutU16(std::vector<unsigned char>& bytes, UInt32 value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void PutU32(std::vector<unsigned char>& bytes, UInt32 value) {
    PutU16(bytes, value & 0xFFFF);
    PutU16(bytes, value >> 16);
}

// One string list, STR# 32501 with the item "Create Zarimark".
std::vector<unsigned char> BuildResources() {
    const std::u16string item = u"Create Zarimark";
    std::vector<unsigned char> payload;
    PutU32(payload, 1);
    PutU32(payload, static_cast<UInt32>(item.size()));
    for (char16_t unit : item)
        PutU16(payload, unit);
    const UInt32 dataStart = 16 + 24;
    std::vector<unsigned char> image = {'Z', 'R', 'S', 'M'};
    PutU16(image, 1);
    PutU16(image, 0);
    PutU32(image, 1);
    PutU32(image, dataStart + static_cast<UInt32>(payload.size()));
    PutU32(image, 0x53545223); // 'STR#'
    PutU32(image, 32501);
    PutU32(image, dataStart);
    PutU32(image, 0);
    PutU32(image, dataStart);
    PutU32(image, static_cast<UInt32>(payload.size()));
    image.insert(image.end(), payload.begin(), payload.end());
    return image;
}

const std::vector<unsigned char> resources = BuildResources();

Int32 Describe(API_EnvirParams* envir) {
    DBPrintf("test: DescribeAddOn\n");
    const char16_t name[] = u"Test Add-On";
    std::memcpy(envir->addOnInfo.name, name, sizeof(name));
    return APIAddon_Normal;
}

#ifdef ZM_TEST_ADDON_FLAWS
// One flaw per kind of failure, each shown only when a host call fails: the first selected
// element's memo is read, then the element.
GSErrCode Flaws(GSErrCode selected, const GS::Array<API_Neig>& neigs) {
    if (selected != NoError)
        std::abort(); // trusts the selection blindly
    if (neigs.IsEmpty())
        return NoError;
    API_ElementMemo memo;
    if (const GSErrCode error = host->HostGetElementMemo(neigs[0].guid, &memo, APIMemoMask_AddPars))
        return error;
    API_Element element;
    element.header.guid = neigs[0].guid;
    if (const GSErrCode error = host->HostGetElement(&element))
        return error; // leaves the memo behind
    host->HostDisposeElementMemo(&memo);
    // Retries a refusal for grouping forever.
    while (host->HostDeleteElements(GS::Array<API_Guid>()) == APIERR_GROUPED) {
    }
    return NoError;
}
#endif

GSErrCode MenuHandler(const API_MenuParams* params) {
    DBPrintf("test: menu %d\n", params->menuItemRef.menuResID);
    // Catches nothing, so that the runner's tests can make a host exception escape into the host.
    API_SelectionInfo info;
    GS::Array<API_Neig> neigs;
    const GSErrCode selected = host->HostGetSelection(&info, &neigs, false, false, 0);
#ifdef ZM_TEST_ADDON_FLAWS
    return Flaws(selected, neigs);
#else
    (void)selected;
    return NoError;
#endif
}

GSErrCode Register() {
    DBPrintf("test: RegisterInterface\n");
    return host->ACAPI_Register_Menu(32501, 0, MenuCode_UserDef, MenuFlag_SeparatorBefore);
}

GSErrCode Initialize() {
    DBPrintf("test: Initialize\n");
    return host->ACAPI_Install_MenuHandler(32501, &MenuHandler);
}

GSErrCode Release() {
    DBPrintf("test: ReleaseAddOn\n");
    return 7;
}

} // namespace

extern "C" {

GSErrCode GetExportedFuncAddrs(AddOnExports* exports) {
    exports->interfaceVersion = AddOnInterfaceVersion;
    exports->hostVersion = AddOnHostVersion;
    exports->describeAddOn = &Describe;
    exports->registerInterface = &Register;
    exports->initialize = &Initialize;
    exports->releaseAddOn = &Release;
    return NoError;
}

GSErrCode SetImportedFuncAddrs(HostInterface* operations, Int32 operationCount, void* hostToken) {
    host = operations;
    DBPrintf("test: table %d %s\n", operationCount, hostToken != nullptr ? "token" : "no token");
    return NoError;
}

GSErrCode GetAddOnResourceData(const unsigned char** data, UInt64* size) {
    *data = resources.data();
    *size = resources.size();
    return NoError;
}
}
