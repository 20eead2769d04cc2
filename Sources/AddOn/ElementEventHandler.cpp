#include "AddOn/ElementEventHandler.hpp"

#include "AddOn/ElementEvents.hpp"
#include "AddOn/EntryGuard.hpp"
#include "AddOn/ErrorAlerts.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "AddOn/MissingApartmentIdWarning.hpp"
#include "AddOn/Zarimark/ZoneHandlers.hpp"
#include "AddOn/ZoneObservation.hpp"
#include "Host/HostCodes.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

bool IsElementEvent(Int32 code) {
    return (code >= APINotifyElement_New && code <= APINotifyElement_Delete) ||
           code == APINotifyElement_ClassificationChange;
}

// Warnings that may come from many events are gathered and shown once, at the batch's end.
void CloseBatch(EventBatch& batch) {
    if (batch.stampsNotUpdated) {
        ShowAlert(ZM_ALERT_STAMPS_NOT_UPDATED);
        batch.stampsNotUpdated = false;
    }
    if (batch.stampsLostLabel) {
        ShowAlert(ZM_ALERT_STAMP_LABEL_REPLACED);
        batch.stampsLostLabel = false;
    }
    if (batch.roomsWithoutApartmentId) {
        ShowMissingApartmentIdWarning();
        batch.roomsWithoutApartmentId = false;
    }
    HandOverToCheckPalette(batch);
}

// The user's own refusals are no failures; the rest is told once per batch or at once.
GSErrCode ClassifyHandlerResult(GSErrCode code, EventBatch& batch) {
    switch (code) {
    case NoError:
    case ErrStampReservationDeclined:
    case ErrRoomReservationDeclined:
        return NoError;
    case ErrStampNotEditable:
        batch.stampsNotUpdated = true;
        return NoError;
    case ErrStampLabelReplaced:
        batch.stampsLostLabel = true;
        return NoError;
    case ErrRoomsWithoutApartmentId:
        batch.roomsWithoutApartmentId = true;
        return NoError;
    default:
        ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_EVENT_ERROR, code);
        return code;
    }
}

GSErrCode HandleElementEvent(const API_NotifyElementType& event, EventBatch& batch) {
    ElementEventResult result;
    const API_Elem_Head& head = event.elemHead;
    if (head.type.typeID == API_ZoneID)
        result = HandleZoneEvent(event.notifID, head.guid, batch);
    else if (head.type.typeID == API_LabelID)
        result = HandleLabelEvent(event.notifID, head, batch);
    else
        return NoError;
    const GSErrCode code = ClassifyHandlerResult(result.handler, batch);
    // A zone handler may fail before it knows every stamp it leaves wrong.
    if (code != NoError && head.type.typeID == API_ZoneID)
        CollectStampsOfZone(head.guid, batch.pendingWrongStamps);
    if (result.check != NoError && result.check != ErrInconsistentRooms)
        ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_EVENT_ERROR, result.check);
    return code;
}

} // namespace

GSErrCode ElementEventHandler(const API_NotifyElementType* elemType) {
    if (elemType == nullptr)
        return APIERR_BADPARS;
    return GuardEntry("ElementEventHandler", [&] {
        EventBatch& batch = GetEventBatch();
        switch (elemType->notifID) {
        case APINotifyElement_BeginEvents:
            batch.Clear();
            ZoneObservation::Resume();
            return NoError;
        case APINotifyElement_EndEvents:
            CloseBatch(batch);
            return NoError;
        default:
            return IsElementEvent(elemType->notifID) ? HandleElementEvent(*elemType, batch) : NoError;
        }
    });
}

} // namespace Zarimark
