#include "AddOn/Zarimark/StampResync.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/MissingApartmentIdWarning.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/EditAccessGuard.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "AddOn/Zarimark/ProjectApartments.hpp"
#include "AddOn/Zarimark/Reservation.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/StampLinks.hpp"
#include "AddOn/Zarimark/StampUpdate.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

GSErrCode UnlinkAll(const API_Guid& stamp) {
    GS::Array<API_Guid> linked;
    GSErrCode err = HostGetElementLinks(stamp, &linked);
    for (UIndex i = 0; err == NoError && i < linked.GetSize(); ++i)
        err = UnlinkBothWays(stamp, linked[i]);
    return err;
}

bool LinkAll(const API_Guid& stamp, const GS::Array<API_Guid>& rooms) {
    for (const API_Guid& room : rooms) {
        if (LinkBothWays(stamp, room) != NoError)
            return false;
    }
    return true;
}

// Errors that end the whole repair are returned; a stamp that only could not be linked or
// rewritten stays in the set.
GSErrCode ResyncStamp(const API_Guid& stamp, const ApartmentRooms& apartments, GuidSet& stampSet,
                      GuidSet& roomSet) {
    GSErrCode err = UnlinkAll(stamp);
    GS::UniString apartmentId;
    if (err == NoError)
        err = ReadElementParameterText(stamp, StampApartmentIdParameter, apartmentId);
    if (err != NoError)
        return err;
    const GS::Array<API_Guid>* found = apartments.GetPtr(apartmentId);
    const GS::Array<API_Guid> rooms = found != nullptr ? *found : GS::Array<API_Guid>();
    if (!LinkAll(stamp, rooms) || UpdateStamp(stamp) != NoError)
        return NoError;
    if (CheckRoomAreas(rooms, roomSet) == NoError)
        stampSet.Delete(stamp);
    return NoError;
}

} // namespace

GSErrCode ResyncStamps(GuidSet& stampSet, GuidSet& roomSet) {
    GS::Array<API_Guid> stamps;
    for (const API_Guid& stamp : stampSet)
        stamps.Push(stamp);
    ApartmentRooms apartments;
    GSErrCode err = GroupProjectRooms(apartments);
    GS::Array<API_Guid> usable;
    GS::Array<API_Guid> pending;
    if (err == NoError)
        err = ReserveStamps(stamps, usable, pending);
    if (err == ErrStampReservationDeclined)
        err = NoError;
    if (err == NoError)
        err = ReserveRoomsOfApartments(apartments);
    if (err != NoError)
        return err;
    const EditAccessGuard guard(usable);
    for (UIndex i = 0; err == NoError && i < usable.GetSize(); ++i)
        err = ResyncStamp(usable[i], apartments, stampSet, roomSet);
    return err;
}

} // namespace Zarimark
