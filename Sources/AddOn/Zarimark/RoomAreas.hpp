#ifndef ZARIMARK_ROOMAREAS_HPP
#define ZARIMARK_ROOMAREAS_HPP

#include "GSRoot/Array.hpp"
#include "GSRoot/HashSet.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// The five zone areas exactly as the host gives them.
struct RoomAreas {
    double areaA = 0.0;
    double areaB = 0.0;
    double areaC = 0.0;
    double areaD = 0.0;
    double areaE = 0.0;
};

// Entry i of both arrays belongs to the same room; rooms the host no longer knows have none.
struct RoomAreaList {
    GS::Array<RoomAreas> areas;
    GS::Array<int> categories;
};

// Appends the areas and the zone category of each room that still exists. When collectedRooms
// is given, the guid of each appended entry is appended to it as well.
GSErrCode CollectRoomAreas(const GS::Array<API_Guid>& rooms, GS::Array<RoomAreas>& areas,
                           GS::Array<int>& categories, GS::Array<API_Guid>* collectedRooms = nullptr);

bool AreRoomAreasConsistent(const RoomAreas& areas);

// Adds the rooms whose areas contradict each other to inconsistentRooms (never cleared);
// ErrInconsistentRooms when it added any. Rooms that no longer exist are skipped.
GSErrCode CheckRoomAreas(GS::Array<API_Guid> rooms, GS::HashSet<API_Guid>& inconsistentRooms);

// CheckRoomAreas over every zone of the project.
GSErrCode CheckAllRoomAreas(GS::HashSet<API_Guid>& inconsistentRooms);

} // namespace Zarimark

#endif
