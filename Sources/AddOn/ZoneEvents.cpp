#include "AddOn/ElementEvents.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/ZoneHandlers.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

GSErrCode HandleNewZone(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps) {
    const GSErrCode err = HostAttachElementObserver(zone, 0);
    if (err != NoError && err != APIERR_LINKEXIST)
        return err;
    return LinkZoneToApartmentStamps(zone, affectedStamps, unfinishedStamps);
}

bool LacksApartmentId(const API_Guid& zone) {
    GS::UniString apartmentId;
    return ReadElementParameterText(zone, RoomApartmentIdParameter, apartmentId) == ErrParameterNotFound;
}

// One code cannot carry two findings: a refused stamp takes the code, and a zone that lost its
// apartment ID on the way is noted here, so that both warnings reach the user.
GSErrCode HandleChangedZone(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps,
                            EventBatch& batch) {
    const GSErrCode err = HandleZoneChanged(zone, affectedStamps, unfinishedStamps);
    if (err == ErrStampNotEditable && LacksApartmentId(zone))
        batch.roomsWithoutApartmentId = true;
    return err;
}

GSErrCode RunZoneHandler(Int32 code, const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps,
                         EventBatch& batch) {
    switch (code) {
    case APINotifyElement_New:
        return HandleNewZone(zone, affectedStamps, unfinishedStamps);
    case APINotifyElement_Copy:
        return HandleZoneCopied(zone, affectedStamps, unfinishedStamps);
    case APINotifyElement_Change:
    case APINotifyElement_Edit:
        return HandleChangedZone(zone, affectedStamps, unfinishedStamps, batch);
    case APINotifyElement_Delete: {
        const GSErrCode err = HandleZoneDeleted(zone, affectedStamps, unfinishedStamps);
        if (err == NoError)
            batch.pendingCheckedRooms.Add(zone);
        return err;
    }
    default:
        return NoError;
    }
}

// An inconsistent zone makes every stamp that shows it wrong.
GSErrCode CheckZone(const API_Guid& zone, const GuidSet& affectedStamps, EventBatch& batch) {
    const GSErrCode err = CheckRoomAreas({zone}, batch.pendingInconsistentRooms);
    if (err == ErrInconsistentRooms) {
        for (const API_Guid& stamp : affectedStamps)
            batch.pendingWrongStamps.Add(stamp);
    } else if (err == NoError) {
        batch.pendingCheckedRooms.Add(zone);
    }
    return err;
}

} // namespace

ElementEventResult HandleZoneEvent(Int32 code, const API_Guid& zone, EventBatch& batch) {
    GuidSet affectedStamps;
    GuidSet unfinishedStamps;
    ElementEventResult result;
    result.handler = RunZoneHandler(code, zone, affectedStamps, unfinishedStamps, batch);
    for (const API_Guid& stamp : unfinishedStamps)
        batch.pendingWrongStamps.Add(stamp);
    result.check = CheckZone(zone, affectedStamps, batch);
    return result;
}

} // namespace Zarimark
