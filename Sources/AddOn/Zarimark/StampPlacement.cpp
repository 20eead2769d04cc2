#include "AddOn/Zarimark/StampPlacement.hpp"

#include "AddOn/CreateStampDialog.hpp"
#include "AddOn/ErrorAlerts.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "AddOn/MissingApartmentIdWarning.hpp"
#include "AddOn/Zarimark/EditAccessGuard.hpp"
#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "AddOn/Zarimark/ProjectApartments.hpp"
#include "AddOn/Zarimark/Reservation.hpp"
#include "AddOn/Zarimark/StampCreation.hpp"
#include "AddOn/Zarimark/StampLibPart.hpp"
#include "AddOn/Zarimark/StampLinks.hpp"
#include "AddOn/Zarimark/StampUpdate.hpp"
#include "Host/HostOperations.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

struct ChosenApartment {
    GS::UniString id;
    bool chosen = false;
    bool clickedRoomWithoutId = false;
};

// The clicked room's apartment, else the one the user picks; a cancelled dialog chooses none.
GSErrCode ChooseApartment(const API_Element& label, ChosenApartment& choice) {
    if (label.label.parent != APINULLGuid && label.label.parentType.typeID == API_ZoneID) {
        const GSErrCode err =
            ReadElementParameterText(label.label.parent, RoomApartmentIdParameter, choice.id);
        if (err == NoError) {
            choice.chosen = true;
            return NoError;
        }
        // An unreadable room would make a stamp of the wrong apartment.
        if (err != ErrParameterNotFound)
            return err;
        ShowAlert(ZM_ALERT_CLICKED_ROOM_WITHOUT_ID);
        choice.clickedRoomWithoutId = true;
    }
    CreateStampDialog dialog;
    if (dialog.GetId() == 0)
        return ErrStampNotCreated;
    choice.chosen = dialog.Invoke();
    if (choice.chosen)
        choice.id = dialog.GetSelectedApartmentId();
    return NoError;
}

void MakeFreeLabel(API_Element& label) {
    label.header.guid = APINULLGuid;
    label.header.hasMemo = true;
    label.label.parent = APINULLGuid;
    label.label.parentType = API_ElemType();
    label.label.parentType.typeID = API_ZombieElemID;
}

// The user's label is gone once the stamp that replaces it is chosen.
// `labelStays`: the user's label could not be taken away; it is no stamp of any apartment.
GSErrCode ReplacePlacedLabel(API_Element& label, bool& labelStays) {
    ElementMemoScope memo;
    GSErrCode err = memo.Fetch(label.header.guid, APIMemoMask_All);
    if (err == NoError)
        err = HostDeleteElements({label.header.guid});
    labelStays = err != NoError;
    if (err != NoError)
        return err;
    ChosenApartment choice;
    err = ChooseApartment(label, choice);
    if (err != NoError || !choice.chosen)
        return err;
    MakeFreeLabel(label);
    ApartmentRooms apartments;
    err = GroupProjectRooms(apartments, !choice.clickedRoomWithoutId);
    if (err != NoError)
        return err;
    const GS::Array<API_Guid>* rooms = apartments.GetPtr(choice.id);
    if (rooms == nullptr)
        return ErrStampNotCreated;
    err = ReserveRoomsOfApartments(MakeApartmentRooms(choice.id, *rooms));
    if (err != NoError)
        return err == ErrRoomReservationDeclined ? NoError : err;
    return CreateStampElement(choice.id, *rooms, label, *memo.Get());
}

// The zones of the stamp's apartment that it does not show yet.
GSErrCode FindRoomsToAdd(const API_Guid& stamp, GS::UniString& apartmentId, GS::Array<API_Guid>& toAdd,
                         bool& idMissing) {
    GS::Array<API_Guid> linked;
    GSErrCode err = HostGetElementLinks(stamp, &linked);
    if (err == NoError)
        err = ReadElementParameterText(stamp, StampApartmentIdParameter, apartmentId);
    return err != NoError ? err : FindApartmentZones(apartmentId, linked, toAdd, idMissing);
}

GSErrCode LinkAndRewrite(const API_Guid& stamp, const GS::UniString& apartmentId,
                         const GS::Array<API_Guid>& rooms) {
    GS::Array<API_Guid> usable;
    GS::Array<API_Guid> pending;
    GSErrCode err = ReserveStamps({stamp}, usable, pending);
    if (err != NoError)
        return err;
    const EditAccessGuard guard({stamp});
    err = ReserveRoomsOfApartments(MakeApartmentRooms(apartmentId, rooms));
    for (UIndex i = 0; err == NoError && i < rooms.GetSize(); ++i)
        err = LinkBothWays(rooms[i], stamp);
    return err != NoError ? err : UpdateStamp(stamp);
}

} // namespace

GSErrCode HandleStampPlaced(const API_Guid& label, bool& stampLeftWrong) {
    stampLeftWrong = false;
    API_Element element;
    element.header.guid = label;
    Int32 stampLibInd = 0;
    GSErrCode err = HostGetElement(&element);
    if (err == NoError)
        err = FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &stampLibInd);
    if (err != NoError || element.label.libInd != stampLibInd)
        return err;
    err = HostAttachElementObserver(label, 0);
    if (err == APIERR_LINKEXIST) {
        err = LinkPlacedStamp(element);
        stampLeftWrong = err != NoError && err != ErrRoomsWithoutApartmentId;
        return err;
    }
    // A label the add-on could neither observe nor replace stays as the user placed it, showing
    // nothing of its rooms: it is a wrong stamp the user must hear of.
    if (err != NoError) {
        stampLeftWrong = true;
        return err;
    }
    return ReplacePlacedLabel(element, stampLeftWrong);
}

GSErrCode LinkPlacedStamp(const API_Element& stamp) {
    const API_Guid& guid = stamp.header.guid;
    GS::UniString apartmentId;
    GS::Array<API_Guid> toAdd;
    bool idMissing = false;
    GSErrCode err = FindRoomsToAdd(guid, apartmentId, toAdd, idMissing);
    if (err == NoError && !toAdd.IsEmpty())
        err = LinkAndRewrite(guid, apartmentId, toAdd);
    if (err != NoError)
        return err;
    return idMissing ? ErrRoomsWithoutApartmentId : NoError;
}

} // namespace Zarimark
