#ifndef ZARIMARK_APARTMENTMODEL_HPP
#define ZARIMARK_APARTMENTMODEL_HPP

#include "GSRoot/Array.hpp"
#include "GSRoot/HashSet.hpp"
#include "GSRoot/HashTable.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// Apartment ID to its rooms; keys and rooms keep the order in which they were first added.
using ApartmentRooms = GS::HashTable<GS::UniString, GS::Array<API_Guid>>;
using ApartmentIdSet = GS::HashSet<GS::UniString>;

// The zone parameter that holds a room's apartment ID, and the stamp parameter that holds its own.
inline constexpr const char* RoomApartmentIdParameter = "stApartmentId";
inline constexpr const char* StampApartmentIdParameter = "zm_apartmentId";

ApartmentRooms MakeApartmentRooms(const GS::UniString& apartmentId, const GS::Array<API_Guid>& rooms);

// Adds each room under its apartment ID; the table is never cleared. The first host error ends
// the grouping with what was added so far kept. ErrRoomsWithoutApartmentId when some room lacks
// the ID (all others are grouped).
GSErrCode GroupRoomsByApartmentId(const GS::Array<API_Guid>& rooms, ApartmentRooms& apartments);

// The distinct apartment IDs of the zones of the current story, in the order first met.
GSErrCode CollectApartmentIds(ApartmentIdSet& apartmentIds);

} // namespace Zarimark

#endif
