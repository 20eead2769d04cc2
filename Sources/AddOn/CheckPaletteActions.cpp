#include "AddOn/CheckPalette.hpp"
#include "AddOn/EntryGuard.hpp"
#include "AddOn/ErrorAlerts.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "AddOn/Zarimark/ProjectStamps.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/StampResync.hpp"
#include "GSRoot/ValueToStr.hpp"
#include "Host/HostCodes.hpp"
#include "Host/HostOperations.hpp"
#include "RS/RS.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

void AppendRow(DG::ListBox& list, std::initializer_list<GS::UniString> texts) {
    list.AppendItem();
    const short row = list.GetItemCount();
    short field = 1;
    for (const GS::UniString& text : texts)
        list.SetTabItemText(row, field++, text);
}

GS::UniString UpdateUndoStepName() {
    GS::UniString name;
    RSGetIndString_ParamAdapter(&name, ZM_STRS_UNDO_UPDATE_STAMPS, 1, FrameState::GetOwnResourceModule());
    return name;
}

} // namespace

void CheckPalette::AddInconsistentRooms(const GuidSet& rooms) {
    for (const API_Guid& room : rooms)
        roomSet_.Add(room);
    RefreshRoomList();
}

void CheckPalette::RemoveInconsistentRooms(const GuidSet& rooms) {
    for (const API_Guid& room : rooms)
        roomSet_.Delete(room);
    RefreshRoomList();
}

GSErrCode CheckPalette::AddWrongStamps(const GuidSet& stamps) {
    for (const API_Guid& stamp : stamps)
        stampSet_.Add(stamp);
    return RefreshStampList();
}

void CheckPalette::RemoveWrongStamps(const GuidSet& stamps) {
    for (const API_Guid& stamp : stamps)
        stampSet_.Delete(stamp);
    RefreshStampList();
}

// A room the host no longer knows keeps its place in the set but shows no row.
void CheckPalette::RefreshRoomList() {
    roomList_.DeleteItem(DG::ListBox::AllItems);
    for (const API_Guid& room : roomSet_) {
        API_Element zone;
        zone.header.guid = room;
        if (HostGetElement(&zone) != NoError)
            continue;
        GS::UniString apartmentId;
        if (ReadElementParameterText(room, RoomApartmentIdParameter, apartmentId) == ErrParameterNotFound)
            apartmentId = "N/A";
        AppendRow(roomList_, {GS::UniString(zone.zone.roomNoStr), GS::UniString(zone.zone.roomName),
                              GS::valuetostr(zone.header.floorInd), apartmentId});
    }
}

// A stamp the host no longer knows shows no row, as a deleted room does.
GSErrCode CheckPalette::RefreshStampList() {
    stampList_.DeleteItem(DG::ListBox::AllItems);
    GSErrCode unshown = NoError;
    for (const API_Guid& stamp : stampSet_) {
        API_Elem_Head header;
        header.guid = stamp;
        GSErrCode err = HostGetElementHeader(&header);
        if (err == NoError) {
            GS::UniString apartmentId;
            err = ReadElementParameterText(stamp, StampApartmentIdParameter, apartmentId);
            AppendRow(stampList_, {GS::valuetostr(header.floorInd), apartmentId});
        }
        if (unshown == NoError && err != NoError && err != APIERR_BADELEMENT && err != ErrParameterNotFound)
            unshown = err;
    }
    return unshown;
}

void CheckPalette::CheckRooms() {
    GuidSet inconsistent;
    const GSErrCode err = CheckAllRoomAreas(inconsistent);
    if (err != NoError && err != ErrInconsistentRooms) {
        ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_COMMAND_ERROR, err);
        return;
    }
    roomSet_ = inconsistent;
    RefreshRoomList();
}

// Every stamp of the project joins the set; a failure on the way updates none.
GSErrCode CheckPalette::AddAllStamps() {
    return FindProjectStamps(stampSet_);
}

void CheckPalette::UpdateStamps(bool all) {
    GuidSet rooms;
    GSErrCode err = all ? AddAllStamps() : NoError;
    if (err == NoError)
        err = HostCallUndoableCommand(UpdateUndoStepName(), [&] {
            return GuardEntry("Update Zarimarks", [&] { return ResyncStamps(stampSet_, rooms); });
        });
    const bool told = err != NoError && err != ErrRoomReservationDeclined;
    if (told)
        ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_COMMAND_ERROR, err);
    // The stamps the update could not repair are told by their rows alone; a row the host keeps
    // from being shown would leave the user believing they are right.
    const GSErrCode unshown = RefreshStampList();
    if (!told && unshown != NoError)
        ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_COMMAND_ERROR, unshown);
    for (const API_Guid& room : rooms)
        roomSet_.Add(room);
    RefreshRoomList();
}

} // namespace Zarimark
