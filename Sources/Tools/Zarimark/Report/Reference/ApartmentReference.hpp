#ifndef ZARIMARK_REPORT_REFERENCE_APARTMENTREFERENCE_HPP
#define ZARIMARK_REPORT_REFERENCE_APARTMENTREFERENCE_HPP

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "HeadlessHost/HeadlessHost.hpp"

// The report's own account of what the project holds, read from the host's project model and
// never from the add-on, so that the report can disagree with the add-on when the add-on is wrong.
namespace Report::Reference {

constexpr const char* RoomApartmentIdName = "stApartmentId";

// The first parameter of that name decides; one that is not a scalar text gives no ID.
std::optional<GS::UniString> TextParameter(const Headless::ParameterList& parameters,
                                           const std::string& name);

// A room's area quantities agree when A + E covers B and B >= C >= D, each within a ten-thousandth
// of an area unit; a NaN anywhere fails.
bool AreAreasConsistent(const Headless::ZoneAreas& areas);

struct Apartments {
    // Keys in the order of their first room, rooms in creation order.
    std::vector<std::pair<GS::UniString, std::vector<API_Guid>>> apartments;
    std::vector<API_Guid> roomsWithoutId;
    std::vector<API_Guid> inconsistentRooms;

    // Null when no room carries that ID.
    const std::vector<API_Guid>* RoomsOf(const GS::UniString& id) const;
};

// Every zone of the project, whatever its story, layer, lock or reservation.
Apartments ComputeApartments(const Headless::HeadlessHost& host);

} // namespace Report::Reference

#endif
