#include "AddOn/Zarimark/StampHandlers.hpp"

#include <cstring>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/OwnStampWrites.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "AddOn/Zarimark/ParameterRecord.hpp"
#include "AddOn/Zarimark/ProjectApartments.hpp"
#include "AddOn/Zarimark/Reservation.hpp"
#include "AddOn/Zarimark/StampLinks.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

GSErrCode ReadOldStampApartmentId(GS::UniString& apartmentId) {
    API_Element before;
    ElementMemoScope memo;
    const GSErrCode err = HostGetParentElement(&before, memo.Get(), APIMemoMask_AddPars);
    return err != NoError ? err : FindParameterText(memo.GetParams(), StampApartmentIdParameter, apartmentId);
}

API_AddParType* FindStampIdRecord(API_AddParType** params) {
    const ParameterName name(StampApartmentIdParameter);
    const USize count = GetParameterCount(params);
    for (UIndex i = 0; i < count; ++i) {
        if (name.Matches(GetParameter(params, i)))
            return &GetParameter(params, i);
    }
    return nullptr;
}

// Writes the old apartment ID back into the stamp; the write is the add-on's own, not an edit.
GSErrCode TurnBackIdEdit(const API_Guid& stamp, const GS::UniString& oldId) {
    ElementMemoScope memo;
    GSErrCode err = memo.Fetch(stamp, APIMemoMask_AddPars);
    if (err != NoError)
        return err;
    API_AddParType* record = FindStampIdRecord(memo.GetParams());
    if (record == nullptr || !SetScalarText(*record, oldId))
        return ErrParameterNotFound;
    API_Element element;
    element.header.guid = stamp;
    err = HostGetElement(&element);
    if (err != NoError)
        return err;
    API_Element mask;
    std::memset(static_cast<void*>(&mask), 0, sizeof(mask));
    err = HostChangeElement(&element, &mask, memo.Get(), APIMemoMask_AddPars, true);
    if (err == NoError)
        OwnStampWrites::Remember(stamp, element.label.libInd, memo.GetParams());
    return err;
}

// New rooms are linked before old ones are unlinked; a room of both keeps its links.
GSErrCode Relink(const API_Guid& stamp, const GS::Array<API_Guid>& oldRooms,
                 const GS::Array<API_Guid>& newRooms) {
    for (const API_Guid& room : newRooms) {
        if (const GSErrCode err = LinkBothWays(room, stamp))
            return err;
    }
    for (const API_Guid& room : oldRooms) {
        if (newRooms.Contains(room))
            continue;
        if (const GSErrCode err = UnlinkBothWays(room, stamp))
            return err;
    }
    return NoError;
}

} // namespace

GSErrCode HandleStampEdited(const API_Guid& stamp) {
    GS::UniString oldId;
    GS::UniString newId;
    GSErrCode err = ReadOldStampApartmentId(oldId);
    if (err == NoError)
        err = ReadElementParameterText(stamp, StampApartmentIdParameter, newId);
    if (err != NoError || oldId == newId)
        return err;
    GS::Array<API_Guid> oldRooms;
    GS::Array<API_Guid> newRooms;
    bool idMissing = false;
    err = HostGetElementLinks(stamp, &oldRooms);
    if (err == NoError)
        err = FindApartmentZones(newId, {}, newRooms, idMissing);
    if (err != NoError)
        return err;
    err = ReserveRoomsOfApartments(MakeApartmentRooms(newId, newRooms));
    if (err != NoError) {
        const GSErrCode turnBack = TurnBackIdEdit(stamp, oldId);
        return turnBack != NoError ? turnBack : err;
    }
    err = Relink(stamp, oldRooms, newRooms);
    if (err != NoError)
        return err;
    return idMissing ? ErrRoomsWithoutApartmentId : NoError;
}

GSErrCode HandleStampCopied(const API_Guid& newStamp, const API_Element& source) {
    GS::Array<API_Guid> rooms;
    GS::UniString apartmentId;
    GSErrCode err = HostGetElementLinks(source.header.guid, &rooms);
    if (err == NoError)
        err = ReadElementParameterText(newStamp, StampApartmentIdParameter, apartmentId);
    if (err == NoError)
        err = ReserveRoomsOfApartments(MakeApartmentRooms(apartmentId, rooms));
    if (err == ErrRoomReservationDeclined) {
        // Without its rooms the copy would show values it cannot keep up to date; a copy that
        // stays is such a stamp, and the caller must hear of it.
        return HostDeleteElements({newStamp});
    }
    for (UIndex i = 0; err == NoError && i < rooms.GetSize(); ++i)
        err = LinkBothWays(rooms[i], newStamp);
    if (err != NoError)
        return err;
    err = HostAttachElementObserver(newStamp, 0);
    return err == APIERR_LINKEXIST ? NoError : err;
}

} // namespace Zarimark
