#include "AddOn/ProjectEvents.hpp"

#include "AddOn/EntryGuard.hpp"
#include "AddOn/ZoneObservation.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

namespace {

bool ConcernsTheZones(Int32 notifID) {
    return notifID == APINotify_New || notifID == APINotify_Open || notifID == APINotify_Close;
}

} // namespace

GSErrCode ProjectEventHandler(Int32 notifID, Int32 /*param*/) {
    if (!ConcernsTheZones(notifID))
        return NoError;
    return GuardEntry("ProjectEventHandler", ZoneObservation::ObserveProjectZones);
}

} // namespace Zarimark
