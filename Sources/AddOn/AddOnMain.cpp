#include "AddOn/AddOnMain.hpp"

#include "AddOn/CheckPalette.hpp"
#include "AddOn/EntryGuard.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/Registration.hpp"
#include "GSRoot/DebugLog.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostCodes.hpp"
#include "RS/RS.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

const char* const AddOnVersionText = ZM_ADDON_VERSION;

namespace {

GS::UniString ReadIdentityText(Int32 item) {
    GS::UniString text;
    RSGetIndString_ParamAdapter(&text, ZM_STRS_ADDON_NAME, item, FrameState::GetOwnResourceModule());
    return text;
}

// The record's fields are fixed arrays; a longer text is cut and the cut reported.
template <std::size_t N>
void StoreText(const GS::UniString& text, const char* fieldName, char16_t (&field)[N]) {
    std::size_t length = text.GetLength();
    if (length >= N) {
        DBPrintf("ZM: DescribeAddOn() %s cut from %zu to %zu characters.\n", fieldName, length, N - 1);
        length = N - 1;
    }
    text.GetUnits().copy(field, length);
    field[length] = u'\0';
}

} // namespace

Int32 DescribeAddOn(API_EnvirParams* envir) {
    if (!FrameState::IsOperationTableReceived() || envir == nullptr)
        return APIAddon_Unknown;
    const GSErrCode described = GuardEntry("DescribeAddOn", [&] {
        StoreText(ReadIdentityText(ZM_ADDON_NAME_ITEM), "name", envir->addOnInfo.name);
        const GS::UniString description =
            GS::UniString::Printf(ReadIdentityText(ZM_ADDON_DESCRIPTION_ITEM), AddOnVersionText);
        StoreText(description, "description", envir->addOnInfo.description);
        return NoError;
    });
    return described == NoError ? APIAddon_Normal : APIAddon_Unknown;
}

GSErrCode RegisterInterface() {
    if (!FrameState::IsOperationTableReceived())
        return APIERR_GENERAL;
    return GuardEntry("RegisterInterface", RegisterMenusAndLibrary);
}

GSErrCode Initialize() {
    if (!FrameState::IsOperationTableReceived())
        return APIERR_GENERAL;
    return GuardEntry("Initialize", InstallHandlers);
}

GSErrCode ReleaseAddOn() {
    if (!FrameState::IsOperationTableReceived())
        return APIERR_GENERAL;
    // The host calls nothing of the palette after this.
    const GSErrCode err = GuardEntry("ReleaseAddOn", [] {
        const GSErrCode unregistered = UnregisterPalette();
        CheckPalette::DestroyInstance();
        return unregistered;
    });
    FrameState::ClearHostToken();
    return err;
}

} // namespace Zarimark
