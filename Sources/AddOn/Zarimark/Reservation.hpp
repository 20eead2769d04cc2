#ifndef ZARIMARK_RESERVATION_HPP
#define ZARIMARK_RESERVATION_HPP

#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "GSRoot/Array.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// In a shared project, the rooms and stamps an operation changes must be in the user's Teamwork
// workspace. Both operations list what is outside it in an alert and, with the user's consent,
// reserve it, asking again for what stayed unreserved until all is reserved or the user cancels.

// True when the element passes the host's workspace filter.
bool IsInMyWorkspace(const API_Guid& element);

// 0 when every room of the apartments is (now) in the workspace; ErrRoomReservationDeclined when
// the user cancelled; a host error while listing or reserving.
GSErrCode ReserveRoomsOfApartments(const ApartmentRooms& apartments);

// Splits stamps into usable ones (in the workspace, at once or after reservation, in the order
// they came to pass) and those still outside it; both lists are emptied first.
// ErrStampReservationDeclined when the user cancelled; pendingStamps then holds the rest.
GSErrCode ReserveStamps(const GS::Array<API_Guid>& stamps, GS::Array<API_Guid>& usableStamps,
                        GS::Array<API_Guid>& pendingStamps);

} // namespace Zarimark

#endif
