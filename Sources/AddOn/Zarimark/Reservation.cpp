#include "AddOn/Zarimark/Reservation.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "DG/Alert.hpp"
#include "Host/HostOperations.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

constexpr short ReserveButton = 1;

void AddRoom(ApartmentRooms& apartments, const GS::UniString& apartmentId, const API_Guid& room) {
    if (GS::Array<API_Guid>* rooms = apartments.GetPtr(apartmentId))
        rooms->Push(room);
    else
        apartments.Add(apartmentId, GS::Array<API_Guid>{room});
}

// Apartments without a room outside the workspace are left out, so they are not listed.
ApartmentRooms RoomsOutsideWorkspace(const ApartmentRooms& apartments) {
    ApartmentRooms outside;
    for (const auto& apartment : apartments) {
        for (const API_Guid& room : apartment.value) {
            if (!IsInMyWorkspace(room))
                AddRoom(outside, apartment.key, room);
        }
    }
    return outside;
}

GS::Array<API_Guid> AllRooms(const ApartmentRooms& apartments) {
    GS::Array<API_Guid> rooms;
    for (const auto& apartment : apartments) {
        for (const API_Guid& room : apartment.value)
            rooms.Push(room);
    }
    return rooms;
}

GSErrCode AppendRoomLine(const API_Guid& room, GS::UniString& listText) {
    API_Element element;
    element.header.guid = room;
    const GSErrCode err = HostGetElement(&element);
    if (err != NoError)
        return err;
    listText += "\t " + GS::UniString::FromField(element.zone.roomNoStr) + " - " +
                GS::UniString::FromField(element.zone.roomName) + "\n";
    return NoError;
}

GSErrCode ListRooms(const ApartmentRooms& apartments, GS::UniString& listText) {
    for (const auto& apartment : apartments) {
        listText += apartment.key + ":\n";
        for (const API_Guid& room : apartment.value) {
            const GSErrCode err = AppendRoomLine(room, listText);
            if (err != NoError)
                return err;
        }
        listText += "\n";
    }
    return NoError;
}

GSErrCode ListStamps(const GS::Array<API_Guid>& stamps, GS::UniString& listText) {
    for (const API_Guid& stamp : stamps) {
        GS::UniString apartmentId;
        const GSErrCode err = ReadElementParameterText(stamp, StampApartmentIdParameter, apartmentId);
        if (err != NoError)
            return err;
        listText += apartmentId + "\n";
    }
    return NoError;
}

// Appends: the usable list keeps the order in which the stamps came to pass.
void SplitByWorkspace(const GS::Array<API_Guid>& stamps, GS::Array<API_Guid>& usable,
                      GS::Array<API_Guid>& outside) {
    for (const API_Guid& stamp : stamps) {
        if (IsInMyWorkspace(stamp))
            usable.Push(stamp);
        else
            outside.Push(stamp);
    }
}

bool UserAgreesToReserve(GSResID alertId, const GS::UniString& listText) {
    return DG::Alert(FrameState::GetOwnResourceModule(), alertId, listText) == ReserveButton;
}

} // namespace

bool IsInMyWorkspace(const API_Guid& element) {
    return HostFilterElement(element, APIFilt_InMyWorkspace, 0, APINULLGuid);
}

GSErrCode ReserveRoomsOfApartments(const ApartmentRooms& apartments) {
    ApartmentRooms unreserved = RoomsOutsideWorkspace(apartments);
    while (!unreserved.IsEmpty()) {
        GS::UniString listText;
        GSErrCode err = ListRooms(unreserved, listText);
        if (err != NoError)
            return err;
        if (!UserAgreesToReserve(ZM_ALERT_ROOMS_NOT_RESERVED, listText))
            return ErrRoomReservationDeclined;
        err = HostReserveElements(AllRooms(unreserved), nullptr, true);
        if (err != NoError)
            return err;
        unreserved = RoomsOutsideWorkspace(unreserved);
    }
    return NoError;
}

GSErrCode ReserveStamps(const GS::Array<API_Guid>& stamps, GS::Array<API_Guid>& usableStamps,
                        GS::Array<API_Guid>& pendingStamps) {
    // The input may be one of the output lists.
    const GS::Array<API_Guid> input = stamps;
    usableStamps.Clear();
    pendingStamps.Clear();
    SplitByWorkspace(input, usableStamps, pendingStamps);
    while (!pendingStamps.IsEmpty()) {
        GS::UniString listText;
        GSErrCode err = ListStamps(pendingStamps, listText);
        if (err != NoError)
            return err;
        if (!UserAgreesToReserve(ZM_ALERT_STAMPS_NOT_RESERVED, listText))
            return ErrStampReservationDeclined;
        err = HostReserveElements(pendingStamps, nullptr, true);
        if (err != NoError)
            return err;
        const GS::Array<API_Guid> requested = pendingStamps;
        pendingStamps.Clear();
        SplitByWorkspace(requested, usableStamps, pendingStamps);
    }
    return NoError;
}

} // namespace Zarimark
