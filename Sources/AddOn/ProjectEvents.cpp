#include "AddOn/ProjectEvents.hpp"

#include "AddOn/EntryGuard.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

bool ConcernsTheZones(Int32 notifID) {
    return notifID == APINotify_New || notifID == APINotify_Open || notifID == APINotify_Close;
}

GSErrCode ObserveZones(const GS::Array<API_Guid>& zones) {
    for (const API_Guid& zone : zones) {
        const GSErrCode err = HostAttachElementObserver(zone, 0);
        // A saved project brings its observers along.
        if (err != NoError && err != APIERR_LINKEXIST) {
            DBPrintf("ZM: Can't attach element observer to room.\n");
            return err;
        }
    }
    return NoError;
}

} // namespace

GSErrCode ProjectEventHandler(Int32 notifID, Int32 /*param*/) {
    if (!ConcernsTheZones(notifID))
        return NoError;
    return GuardEntry("ProjectEventHandler", [] {
        GS::Array<API_Guid> zones;
        const GSErrCode err = HostListElements(API_ZoneID, &zones, APIFilt_IsInStructureDisplay, APINULLGuid);
        if (err != NoError) {
            DBPrintf("ZM: Can't get room list.\n");
            return err;
        }
        return ObserveZones(zones);
    });
}

} // namespace Zarimark
