#ifndef ZARIMARK_STAMPHANDLERS_HPP
#define ZARIMARK_STAMPHANDLERS_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// A stamp the user edited: when its apartment ID changed, it shows the rooms of the new
// apartment from now on. Declining to reserve those rooms turns the edit back (the old ID is
// written again and the links stay) and gives ErrRoomReservationDeclined. The caller rewrites
// the stamp's values afterwards. ErrRoomsWithoutApartmentId when some zone has no apartment ID.
GSErrCode HandleStampEdited(const API_Guid& stamp);

// A copied stamp shows the rooms of the stamp it was copied from; declining to reserve them
// removes the copy (result 0, or the deletion's failure). The copy keeps the values it was
// copied with.
GSErrCode HandleStampCopied(const API_Guid& newStamp, const API_Element& source);

} // namespace Zarimark

#endif
