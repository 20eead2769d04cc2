#include "AddOn/Zarimark/RoomAreas.hpp"

#include <cstddef>
#include <cstring>
#include <utility>

#include "AddOn/ErrorCodes.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

void SelectField(API_QuantitiesMask& mask, std::size_t offset) {
    reinterpret_cast<unsigned char*>(&mask.zone)[offset] = 0xFF;
}

API_QuantitiesMask MakeRoomAreasMask() {
    API_QuantitiesMask mask;
    std::memset(&mask, 0, sizeof(mask));
    SelectField(mask, offsetof(API_ZoneQuantity, area));
    SelectField(mask, offsetof(API_ZoneQuantity, calcArea));
    SelectField(mask, offsetof(API_ZoneQuantity, netArea));
    SelectField(mask, offsetof(API_ZoneQuantity, reducedArea));
    SelectField(mask, offsetof(API_ZoneQuantity, wallInsetArea));
    return mask;
}

GSErrCode ReadRoomAreas(const API_Guid& room, RoomAreas& areas) {
    API_ZoneQuantity zone;
    std::memset(&zone, 0, sizeof(zone));
    API_Quantities quantities;
    quantities.zone = &zone;
    const API_QuantitiesMask mask = MakeRoomAreasMask();
    const GSErrCode err = HostGetElementQuantities(room, nullptr, &quantities, &mask);
    if (err != NoError)
        return err;
    areas = RoomAreas{zone.area, zone.calcArea, zone.netArea, zone.reducedArea, zone.wallInsetArea};
    return NoError;
}

// -0.0001 as the consistency test has always used it, bit for bit.
double ConsistencyTolerance() {
    const UInt64 bits = 0xBF1A36E2EB1C432DULL;
    double tolerance = 0.0;
    std::memcpy(&tolerance, &bits, sizeof(tolerance));
    return tolerance;
}

// Keeps the order of the input; rooms the host no longer knows are dropped.
GSErrCode KeepExistingRooms(const GS::Array<API_Guid>& rooms, GS::Array<API_Guid>& existing) {
    for (const API_Guid& room : rooms) {
        API_Elem_Head header{};
        header.guid = room;
        const GSErrCode err = HostGetElementHeader(&header);
        if (err == APIERR_BADELEMENT)
            continue;
        if (err != NoError)
            return err;
        existing.Push(room);
    }
    return NoError;
}

} // namespace

GSErrCode CollectRoomAreas(const GS::Array<API_Guid>& rooms, GS::Array<RoomAreas>& areas,
                           GS::Array<int>& categories, GS::Array<API_Guid>* collectedRooms) {
    for (const API_Guid& room : rooms) {
        API_Element element{};
        element.header.guid = room;
        GSErrCode err = HostGetElement(&element);
        if (err == APIERR_BADELEMENT)
            continue;
        if (err != NoError)
            return err;
        RoomAreas roomAreas;
        err = ReadRoomAreas(room, roomAreas);
        if (err != NoError)
            return err;
        areas.Push(roomAreas);
        categories.Push(element.zone.catInd);
        if (collectedRooms != nullptr)
            collectedRooms->Push(room);
    }
    return NoError;
}

bool AreRoomAreasConsistent(const RoomAreas& r) {
    const double t = ConsistencyTolerance();
    // Written so that a NaN anywhere fails the test.
    return (r.areaE + r.areaA) - r.areaB > t && r.areaB - r.areaC > t && r.areaC - r.areaD > t;
}

GSErrCode CheckRoomAreas(GS::Array<API_Guid> rooms, GS::HashSet<API_Guid>& inconsistentRooms) {
    GS::Array<API_Guid> existing;
    GSErrCode err = KeepExistingRooms(rooms, existing);
    if (err != NoError)
        return err;
    if (existing.IsEmpty())
        return NoError;
    GS::Array<RoomAreas> areas;
    GS::Array<int> categories;
    // Entries are paired with the rooms that produced them, so a room vanishing after its
    // header was read cannot shift the areas onto the wrong room.
    GS::Array<API_Guid> measuredRooms;
    err = CollectRoomAreas(existing, areas, categories, &measuredRooms);
    if (err != NoError)
        return err;
    bool anyInconsistent = false;
    for (UIndex i = 0; i < areas.GetSize(); ++i) {
        if (AreRoomAreasConsistent(areas[i]))
            continue;
        inconsistentRooms.Add(measuredRooms[i]);
        anyInconsistent = true;
    }
    return anyInconsistent ? ErrInconsistentRooms : NoError;
}

GSErrCode CheckAllRoomAreas(GS::HashSet<API_Guid>& inconsistentRooms) {
    GS::Array<API_Guid> zones;
    const GSErrCode err = HostListElements(API_ZoneID, &zones, APIFilt_None);
    if (err != NoError)
        return err;
    return CheckRoomAreas(std::move(zones), inconsistentRooms);
}

} // namespace Zarimark
