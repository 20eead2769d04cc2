#include "AddOn/ElementEvents.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/OwnStampWrites.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/StampHandlers.hpp"
#include "AddOn/Zarimark/StampPlacement.hpp"
#include "AddOn/Zarimark/StampUpdate.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

GSErrCode HandleNewLabel(const API_Guid& label, EventBatch& batch) {
    bool stampLeftWrong = false;
    const GSErrCode err = HandleStampPlaced(label, stampLeftWrong);
    if (err != NoError && stampLeftWrong)
        batch.pendingWrongStamps.Add(label);
    return err;
}

// The copy carries its source's values: it is as wrong as its source is taken to be, and wrong
// when it could not be given the source's rooms (without its source, not even those).
GSErrCode HandleCopiedLabel(const API_Guid& label, EventBatch& batch) {
    API_Element source;
    GSErrCode err = HostGetParentElement(&source, nullptr, 0);
    if (err == NoError)
        err = HandleStampCopied(label, source);
    if (err != NoError || IsListedAsWrong(batch, source.header.guid))
        batch.pendingWrongStamps.Add(label);
    return err;
}

bool IsEditableByUser(const API_Elem_Head& label) {
    return label.lockId == 0 && HostFilterElement(label.guid, APIFilt_InMyWorkspace, 0, APINULLGuid);
}

// A refused or replaced stamp is told to the user once per batch; other failures list it as wrong.
GSErrCode RewriteEditedStamp(const API_Guid& label, GSErrCode edited, EventBatch& batch) {
    const GSErrCode updated = UpdateStamp(label);
    if (updated == NoError)
        return edited;
    batch.pendingWrongStamps.Add(label);
    return updated == ErrStampNotEditable || updated == ErrStampLabelReplaced ? updated : edited;
}

GSErrCode HandleChangedLabel(const API_Elem_Head& label, EventBatch& batch) {
    // The echo is looked at first, so that a stamp the add-on locked again does not keep its entry.
    if (OwnStampWrites::IsEchoOfOwnWrite(label.guid) || !IsEditableByUser(label))
        return NoError;
    const GSErrCode edited = HandleStampEdited(label.guid);
    if (edited == ErrRoomReservationDeclined)
        return edited;
    if (edited == ErrRoomsWithoutApartmentId)
        batch.roomsWithoutApartmentId = true;
    else if (edited != NoError) {
        batch.pendingWrongStamps.Add(label.guid);
        return edited;
    }
    return RewriteEditedStamp(label.guid, edited, batch);
}

void CheckLinkedRoomsOfStamp(const API_Guid& label, EventBatch& batch) {
    GS::Array<API_Guid> rooms;
    if (HostGetElementLinks(label, &rooms) == NoError &&
        CheckRoomAreas(rooms, batch.pendingInconsistentRooms) != NoError)
        batch.pendingWrongStamps.Add(label);
}

GSErrCode RunLabelHandler(Int32 code, const API_Elem_Head& label, EventBatch& batch) {
    switch (code) {
    case APINotifyElement_New:
        return HandleNewLabel(label.guid, batch);
    case APINotifyElement_Copy:
        return HandleCopiedLabel(label.guid, batch);
    case APINotifyElement_Change:
        return HandleChangedLabel(label, batch);
    case APINotifyElement_Delete:
        OwnStampWrites::Forget(label.guid);
        batch.pendingClearedStamps.Add(label.guid);
        return NoError;
    case APINotifyElement_ClassificationChange:
        CheckLinkedRoomsOfStamp(label.guid, batch);
        return NoError;
    default:
        return NoError;
    }
}

// Rooms found inconsistent stay listed: only a clean check takes them off.
GSErrCode RecheckLinkedRooms(const API_Guid& label, EventBatch& batch) {
    GS::Array<API_Guid> rooms;
    GSErrCode err = HostGetElementLinks(label, &rooms);
    if (err != NoError)
        return err;
    err = CheckRoomAreas(rooms, batch.pendingInconsistentRooms);
    if (err == NoError) {
        for (const API_Guid& room : rooms)
            batch.pendingCheckedRooms.Add(room);
    }
    return err;
}

} // namespace

ElementEventResult HandleLabelEvent(Int32 code, const API_Elem_Head& label, EventBatch& batch) {
    ElementEventResult result;
    result.handler = RunLabelHandler(code, label, batch);
    result.check = RecheckLinkedRooms(label.guid, batch);
    return result;
}

} // namespace Zarimark
