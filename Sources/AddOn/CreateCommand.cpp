#include "AddOn/CreateCommand.hpp"

#include "AddOn/EntryGuard.hpp"
#include "AddOn/ErrorAlerts.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "AddOn/EventBatch.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/MissingApartmentIdWarning.hpp"
#include "AddOn/Zarimark/ProjectApartments.hpp"
#include "AddOn/Zarimark/Reservation.hpp"
#include "AddOn/Zarimark/StampPlacement.hpp"
#include "Host/HostOperations.hpp"
#include "RS/RS.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

// The selected zones; items whose type the host cannot tell are passed over. When that leaves
// no zone, the first such failure is returned: an empty list would make the command take every
// apartment of the story, which is not what the user selected.
GSErrCode SelectedZones(GS::Array<API_Guid>& zones) {
    API_SelectionInfo info;
    GS::Array<API_Neig> selection;
    const GSErrCode err = HostGetSelection(&info, &selection, false, true, 0);
    if (err != NoError && err != APIERR_NOSEL)
        return err;
    GSErrCode untold = NoError;
    for (const API_Neig& item : selection) {
        API_ElemType type;
        const GSErrCode typeErr = HostNeigToElementType(item, &type);
        if (typeErr == NoError && type.typeID == API_ZoneID)
            zones.Push(item.guid);
        else if (typeErr != NoError && untold == NoError)
            untold = typeErr;
    }
    return zones.IsEmpty() ? untold : NoError;
}

GSErrCode CandidateZones(GS::Array<API_Guid>& candidates) {
    const GSErrCode err = SelectedZones(candidates);
    if (err != NoError || !candidates.IsEmpty())
        return err;
    return HostListElements(API_ZoneID, &candidates, APIFilt_CurrentStory);
}

// An apartment is taken whole, and once, as soon as one of its rooms is a candidate.
ApartmentRooms TargetApartments(const ApartmentRooms& apartments, const GS::Array<API_Guid>& candidates) {
    ApartmentRooms target;
    for (const auto& apartment : apartments) {
        for (const API_Guid& room : apartment.value) {
            if (candidates.Contains(room) && !target.ContainsKey(apartment.key))
                target.Add(apartment.key, apartment.value);
        }
    }
    return target;
}

GS::UniString CreateUndoStepName() {
    GS::UniString name;
    RSGetIndString_ParamAdapter(&name, ZM_STRS_MENU_CREATE, ZM_MENU_ITEM, FrameState::GetOwnResourceModule());
    return name;
}

} // namespace

GSErrCode CreateStampsForSelection(GuidSet& roomSet, GuidSet& stampSet) {
    ApartmentRooms apartments;
    GS::Array<API_Guid> candidates;
    GSErrCode err = GroupProjectRooms(apartments);
    if (err == NoError)
        err = CandidateZones(candidates);
    if (err != NoError)
        return err;
    const ApartmentRooms target = TargetApartments(apartments, candidates);
    err = ReserveRoomsOfApartments(target);
    if (err != NoError)
        return err == ErrRoomReservationDeclined ? NoError : err;
    return HostCallUndoableCommand(CreateUndoStepName(), [&] {
        return GuardEntry("Create Zarimark",
                          [&] { return CreateStampsForApartments(target, stampSet, roomSet); });
    });
}

GSErrCode RunCreateCommand() {
    GuidSet roomSet;
    GuidSet stampSet;
    const GSErrCode err = CreateStampsForSelection(roomSet, stampSet);
    if (err != NoError) {
        ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_COMMAND_ERROR, err);
        return err;
    }
    if (!roomSet.IsEmpty() || !stampSet.IsEmpty())
        ShowCreateCommandFindings(roomSet, stampSet);
    return NoError;
}

} // namespace Zarimark
