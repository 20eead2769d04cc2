#include "AddOn/Zarimark/ApartmentModel.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

void AddRoom(ApartmentRooms& apartments, const GS::UniString& apartmentId, const API_Guid& room) {
    if (GS::Array<API_Guid>* rooms = apartments.GetPtr(apartmentId))
        rooms->Push(room);
    else
        apartments.Add(apartmentId, GS::Array<API_Guid>{room});
}

// 0 with the ID, ErrParameterNotFound, or the host's error.
GSErrCode ReadRoomApartmentId(const API_Guid& room, GS::UniString& apartmentId) {
    API_Element element{};
    element.header.guid = room;
    GSErrCode err = HostGetElement(&element);
    if (err != NoError)
        return err;
    ElementMemoScope memo;
    err = memo.Fetch(room, APIMemoMask_AddPars);
    if (err != NoError)
        return err;
    return FindParameterText(memo.GetParams(), RoomApartmentIdParameter, apartmentId);
}

} // namespace

ApartmentRooms MakeApartmentRooms(const GS::UniString& apartmentId, const GS::Array<API_Guid>& rooms) {
    ApartmentRooms apartments;
    apartments.Add(apartmentId, rooms);
    return apartments;
}

GSErrCode GroupRoomsByApartmentId(const GS::Array<API_Guid>& rooms, ApartmentRooms& apartments) {
    bool idMissing = false;
    for (const API_Guid& room : rooms) {
        GS::UniString apartmentId;
        const GSErrCode err = ReadRoomApartmentId(room, apartmentId);
        if (err == ErrParameterNotFound) {
            idMissing = true;
            continue;
        }
        if (err != NoError)
            return err;
        AddRoom(apartments, apartmentId, room);
    }
    return idMissing ? ErrRoomsWithoutApartmentId : NoError;
}

GSErrCode CollectApartmentIds(ApartmentIdSet& apartmentIds) {
    apartmentIds.Clear();
    GS::Array<API_Guid> zones;
    const GSErrCode err = HostListElements(API_ZoneID, &zones, APIFilt_CurrentStory);
    if (err != NoError)
        return err;
    bool idMissing = false;
    for (const API_Guid& zone : zones) {
        GS::UniString apartmentId;
        // A zone the host cannot read has no readable ID either: it is left out and counted as
        // such, so that one unreadable zone does not hide the IDs of all the others.
        if (ReadElementParameterText(zone, RoomApartmentIdParameter, apartmentId) == NoError)
            apartmentIds.Add(apartmentId);
        else
            idMissing = true;
    }
    return idMissing ? ErrRoomsWithoutApartmentId : NoError;
}

} // namespace Zarimark
