#include "AddOn/Zarimark/ZoneHandlers.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/EditAccessGuard.hpp"
#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/ParameterList.hpp"
#include "AddOn/Zarimark/Reservation.hpp"
#include "AddOn/Zarimark/StampLibPart.hpp"
#include "AddOn/Zarimark/StampLinks.hpp"
#include "AddOn/Zarimark/StampUpdate.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

void AddAll(const GS::Array<API_Guid>& stamps, GuidSet& affectedStamps, GuidSet& unfinishedStamps) {
    for (const API_Guid& stamp : stamps) {
        affectedStamps.Add(stamp);
        unfinishedStamps.Add(stamp);
    }
}

// The usable stamps; stamps the user would not reserve are left out and noted.
GSErrCode ReserveUsableStamps(const GS::Array<API_Guid>& stamps, GS::Array<API_Guid>& usable,
                              bool& declined) {
    GS::Array<API_Guid> pending;
    const GSErrCode err = ReserveStamps(stamps, usable, pending);
    declined = err == ErrStampReservationDeclined;
    return declined ? NoError : err;
}

GSErrCode LinkAndUpdateStamps(const API_Guid& zone, const GS::Array<API_Guid>& stamps,
                              GuidSet& unfinishedStamps) {
    const EditAccessGuard guard(stamps);
    for (const API_Guid& stamp : stamps) {
        GSErrCode err = LinkBothWays(zone, stamp);
        if (err == NoError)
            err = UpdateStamp(stamp);
        if (err != NoError)
            return err;
        unfinishedStamps.Delete(stamp);
    }
    return NoError;
}

// A zone whose ID cannot be read for another reason than a missing parameter stops the caller:
// going on with an empty ID would link it to the wrong apartment.
GSErrCode ReadZoneApartmentId(const API_Guid& zone, GS::UniString& apartmentId, bool& present) {
    const GSErrCode err = ReadElementParameterText(zone, RoomApartmentIdParameter, apartmentId);
    present = err == NoError;
    return err == ErrParameterNotFound ? NoError : err;
}

// The stamps carrying the apartment ID; those not linked to the zone yet go to newStamps.
GSErrCode FindApartmentStamps(const API_Guid& zone, const GS::UniString& apartmentId, GuidSet& affectedStamps,
                              GS::Array<API_Guid>& newStamps) {
    Int32 stampLibInd = 0;
    GS::Array<API_Guid> labels;
    GS::Array<API_Guid> linked;
    GSErrCode err = FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &stampLibInd);
    if (err == NoError)
        err = HostListElements(API_LabelID, &labels, APIFilt_None);
    if (err == NoError)
        err = HostGetElementLinks(zone, &linked);
    for (UIndex i = 0; err == NoError && i < labels.GetSize(); ++i) {
        API_Element label;
        label.header.guid = labels[i];
        err = HostGetElement(&label);
        if (err != NoError || label.label.libInd != stampLibInd)
            continue;
        GS::UniString stampId;
        err = ReadElementParameterText(labels[i], StampApartmentIdParameter, stampId);
        if (err != NoError || stampId != apartmentId)
            continue;
        affectedStamps.Add(labels[i]);
        if (!linked.Contains(labels[i]))
            newStamps.Push(labels[i]);
    }
    return err;
}

GSErrCode ReadOldApartmentId(GS::UniString& apartmentId, bool& present) {
    API_Element before;
    ElementMemoScope memo;
    const GSErrCode err = HostGetParentElement(&before, memo.Get(), APIMemoMask_AddPars);
    if (err != NoError)
        return err;
    present = FindParameterText(memo.GetParams(), RoomApartmentIdParameter, apartmentId) == NoError;
    return NoError;
}

struct ApartmentChange {
    bool newIdPresent = false;
    bool changed = false;
};

GSErrCode FindApartmentChange(const API_Guid& zone, ApartmentChange& change) {
    GS::UniString newId;
    GS::UniString oldId;
    bool oldIdPresent = false;
    GSErrCode err = ReadZoneApartmentId(zone, newId, change.newIdPresent);
    if (err == NoError)
        err = ReadOldApartmentId(oldId, oldIdPresent);
    change.changed = change.newIdPresent != oldIdPresent || (change.newIdPresent && newId != oldId);
    return err;
}

// Rewrites the zone's stamps, first unlinking it when it left their apartment. Refused stamps
// stay unfinished and are counted; the loop goes on without them.
GSErrCode UpdateZoneStamps(const API_Guid& zone, const GS::Array<API_Guid>& stamps, bool unlink,
                           GuidSet& affectedStamps, GuidSet& unfinishedStamps, bool& refused) {
    const EditAccessGuard guard(stamps);
    GSErrCode last = NoError;
    for (const API_Guid& stamp : stamps) {
        if (unlink) {
            if (const GSErrCode err = UnlinkBothWays(zone, stamp))
                return err;
            affectedStamps.Delete(stamp);
        }
        last = UpdateStamp(stamp);
        if (last == ErrStampNotEditable) {
            refused = true;
            continue;
        }
        if (last != NoError)
            return last;
        unfinishedStamps.Delete(stamp);
    }
    return last;
}

} // namespace

GSErrCode LinkZoneToApartmentStamps(const API_Guid& zone, GuidSet& affectedStamps,
                                    GuidSet& unfinishedStamps) {
    GS::UniString apartmentId;
    bool present = false;
    GSErrCode err = ReadZoneApartmentId(zone, apartmentId, present);
    if (err != NoError || !present)
        return err != NoError ? err : ErrRoomsWithoutApartmentId;
    GS::Array<API_Guid> newStamps;
    err = FindApartmentStamps(zone, apartmentId, affectedStamps, newStamps);
    if (err != NoError || newStamps.IsEmpty())
        return err;
    for (const API_Guid& stamp : newStamps)
        unfinishedStamps.Add(stamp);
    err = ReserveRoomsOfApartments(MakeApartmentRooms(apartmentId, {zone}));
    if (err != NoError)
        return err;
    GS::Array<API_Guid> usable;
    bool declined = false;
    err = ReserveUsableStamps(newStamps, usable, declined);
    if (err == NoError)
        err = LinkAndUpdateStamps(zone, usable, unfinishedStamps);
    if (err != NoError)
        return err;
    return declined ? ErrStampReservationDeclined : NoError;
}

GSErrCode HandleZoneCopied(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps) {
    API_Element source;
    GSErrCode err = HostGetParentElement(&source, nullptr, 0);
    if (err != NoError)
        return err;
    GS::Array<API_Guid> stamps;
    err = HostGetElementLinks(source.header.guid, &stamps);
    if (err != NoError)
        return err;
    AddAll(stamps, affectedStamps, unfinishedStamps);
    err = HostAttachElementObserver(zone, 0);
    if (err != NoError && err != APIERR_LINKEXIST)
        return err;
    GS::Array<API_Guid> usable;
    bool declined = false;
    err = ReserveUsableStamps(stamps, usable, declined);
    if (err == NoError)
        err = LinkAndUpdateStamps(zone, usable, unfinishedStamps);
    if (err != NoError)
        return err;
    return declined ? ErrStampReservationDeclined : NoError;
}

GSErrCode HandleZoneChanged(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps) {
    GS::Array<API_Guid> stamps;
    GSErrCode err = HostGetElementLinks(zone, &stamps);
    if (err != NoError)
        return err;
    AddAll(stamps, affectedStamps, unfinishedStamps);
    ApartmentChange change;
    err = FindApartmentChange(zone, change);
    if (err != NoError)
        return err;
    bool refused = false;
    err = UpdateZoneStamps(zone, stamps, change.changed, affectedStamps, unfinishedStamps, refused);
    if (err != NoError && err != ErrStampNotEditable)
        return err;
    if (change.newIdPresent && change.changed)
        err = LinkZoneToApartmentStamps(zone, affectedStamps, unfinishedStamps);
    else if (!change.newIdPresent)
        err = ErrRoomsWithoutApartmentId;
    // A refused stamp stays wrong; the user must hear of it even when the rest went well or the
    // user declined a reservation, which is told to no one.
    const bool quietOtherwise = err == NoError || err == ErrRoomsWithoutApartmentId ||
                                err == ErrStampNotEditable || err == ErrStampReservationDeclined ||
                                err == ErrRoomReservationDeclined;
    return refused && quietOtherwise ? ErrStampNotEditable : err;
}

GSErrCode HandleZoneDeleted(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps) {
    GS::Array<API_Guid> stamps;
    const GSErrCode err = HostGetElementLinks(zone, &stamps);
    if (err != NoError)
        return err;
    AddAll(stamps, affectedStamps, unfinishedStamps);
    const EditAccessGuard guard(stamps);
    for (const API_Guid& stamp : stamps) {
        const GSErrCode updated = UpdateStamp(stamp);
        // A stamp deleted together with the zone has nothing left to show.
        if (updated != NoError && updated != APIERR_BADELEMENT)
            return updated;
        unfinishedStamps.Delete(stamp);
    }
    return NoError;
}

void CollectStampsOfZone(const API_Guid& zone, GuidSet& stamps) {
    GS::Array<API_Guid> linked;
    if (HostGetElementLinks(zone, &linked) == NoError) {
        for (const API_Guid& stamp : linked)
            stamps.Add(stamp);
    }
    GS::UniString apartmentId;
    bool present = false;
    if (ReadZoneApartmentId(zone, apartmentId, present) != NoError || !present)
        return;
    GS::Array<API_Guid> unlinked;
    (void)FindApartmentStamps(zone, apartmentId, stamps, unlinked);
}

} // namespace Zarimark
