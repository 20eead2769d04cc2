#include "AddOn/ZoneObservation.hpp"

#include "AddOn/CheckPalette.hpp"
#include "AddOn/ErrorAlerts.hpp"
#include "AddOn/Zarimark/ProjectStamps.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/HostOperations.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace ZoneObservation {

namespace {

bool zonesUnlisted = false;
GS::Array<API_Guid> unobservedZones;

bool IsComplete() {
    return !zonesUnlisted && unobservedZones.IsEmpty();
}

GSErrCode ListZones(GS::Array<API_Guid>& zones) {
    const GSErrCode err = HostListElements(API_ZoneID, &zones, APIFilt_IsInStructureDisplay, APINULLGuid);
    zonesUnlisted = err != NoError;
    if (zonesUnlisted)
        DBPrintf("ZM: Can't get room list.\n");
    return err;
}

// One zone that refuses the observer does not cost the others theirs.
GSErrCode Attach(const GS::Array<API_Guid>& zones) {
    GSErrCode first = NoError;
    unobservedZones.Clear();
    for (const API_Guid& zone : zones) {
        const GSErrCode err = HostAttachElementObserver(zone, 0);
        // A saved project brings its observers along.
        if (err == NoError || err == APIERR_LINKEXIST)
            continue;
        DBPrintf("ZM: Can't attach element observer to room.\n");
        unobservedZones.Push(zone);
        if (first == NoError)
            first = err;
    }
    return first;
}

// False while the zones cannot even be listed.
bool ZonesToRetry(GS::Array<API_Guid>& zones) {
    if (!zonesUnlisted) {
        zones = unobservedZones;
        return true;
    }
    return ListZones(zones) == NoError;
}

// Stamps that cannot all be found are told by an alert instead.
void ListAllStampsAsWrong() {
    GuidSet stamps;
    const GSErrCode err = FindProjectStamps(stamps);
    if (!stamps.IsEmpty()) {
        CheckPalette::GetInstance().AddWrongStamps(stamps);
        ShowCheckPalette();
    }
    if (err != NoError)
        ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_EVENT_ERROR, err);
}

} // namespace

GSErrCode ObserveProjectZones() {
    Forget();
    GS::Array<API_Guid> zones;
    GSErrCode err = ListZones(zones);
    if (err == NoError)
        err = Attach(zones);
    if (!IsComplete())
        ListAllStampsAsWrong();
    return err;
}

void Resume() {
    if (IsComplete())
        return;
    GS::Array<API_Guid> zones;
    if (ZonesToRetry(zones))
        (void)Attach(zones);
    ListAllStampsAsWrong();
}

void Forget() {
    zonesUnlisted = false;
    unobservedZones.Clear();
}

} // namespace ZoneObservation

} // namespace Zarimark
