#include "AddOn/Zarimark/ProjectApartments.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/MissingApartmentIdWarning.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

GSErrCode GroupProjectRooms(ApartmentRooms& apartments, bool warn) {
    GS::Array<API_Guid> zones;
    GSErrCode err = HostListElements(API_ZoneID, &zones, APIFilt_None);
    if (err != NoError)
        return err;
    err = GroupRoomsByApartmentId(zones, apartments);
    if (err != ErrRoomsWithoutApartmentId)
        return err;
    if (warn)
        ShowMissingApartmentIdWarning();
    return NoError;
}

GSErrCode FindApartmentZones(const GS::UniString& apartmentId, const GS::Array<API_Guid>& exclude,
                             GS::Array<API_Guid>& rooms, bool& idMissing) {
    GS::Array<API_Guid> zones;
    GSErrCode err = HostListElements(API_ZoneID, &zones, APIFilt_None);
    for (UIndex i = 0; err == NoError && i < zones.GetSize(); ++i) {
        GS::UniString zoneId;
        err = ReadElementParameterText(zones[i], RoomApartmentIdParameter, zoneId);
        if (err == ErrParameterNotFound) {
            idMissing = true;
            err = NoError;
        } else if (err == NoError && zoneId == apartmentId && !exclude.Contains(zones[i])) {
            rooms.Push(zones[i]);
        }
    }
    return err;
}

} // namespace Zarimark
