#ifndef ZARIMARK_ZONEHANDLERS_HPP
#define ZARIMARK_ZONEHANDLERS_HPP

#include "AddOn/Zarimark/GuidSet.hpp"

namespace Zarimark {

// What a room's event does to the stamps of its apartment. Each handler adds every stamp it
// looked at to affectedStamps and to unfinishedStamps, and takes a stamp out of
// unfinishedStamps once it was rewritten; the caller lists the rest as wrong.

// Links a zone to the stamps of its apartment that do not show it yet, and rewrites them.
// ErrRoomsWithoutApartmentId for a zone without apartment ID; ErrStampReservationDeclined when
// some stamps stayed outside the Teamwork workspace.
GSErrCode LinkZoneToApartmentStamps(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps);

// A copy joins the stamps of the zone it was copied from.
GSErrCode HandleZoneCopied(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps);

// Rewrites the zone's stamps; when its apartment changed, moves it to the stamps of the new one.
// ErrStampNotEditable when the host refused some stamp and nothing else went wrong.
GSErrCode HandleZoneChanged(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps);

// Rewrites the stamps of a deleted zone without it; a stamp deleted with it is no error.
GSErrCode HandleZoneDeleted(const API_Guid& zone, GuidSet& affectedStamps, GuidSet& unfinishedStamps);

// The stamps a zone's event concerns: those linked to the zone and those of its apartment. For a
// handler that failed before it knew them all; what cannot be read is passed over, the failure
// having been told already.
void CollectStampsOfZone(const API_Guid& zone, GuidSet& stamps);

} // namespace Zarimark

#endif
