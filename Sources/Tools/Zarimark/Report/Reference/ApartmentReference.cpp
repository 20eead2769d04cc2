#include "Report/Reference/ApartmentReference.hpp"

namespace Report::Reference {

namespace {

// The host's zone quantities are reported to a fixed precision; a difference smaller than this
// is rounding, not a contradiction.
constexpr double AreaTolerance = -0.0001;

std::vector<API_Guid>& RoomsFor(Apartments& result, const GS::UniString& id) {
    for (auto& [key, rooms] : result.apartments) {
        if (key == id)
            return rooms;
    }
    return result.apartments.emplace_back(id, std::vector<API_Guid>{}).second;
}

} // namespace

std::optional<GS::UniString> TextParameter(const Headless::ParameterList& parameters,
                                           const std::string& name) {
    const Headless::Parameter* parameter = Headless::FindParameter(parameters, name);
    if (parameter == nullptr || parameter->IsArray() || parameter->GetType() != APIParT_CString)
        return std::nullopt;
    return parameter->GetText();
}

bool AreAreasConsistent(const Headless::ZoneAreas& areas) {
    // Written as sum first, then difference, so that the rounding matches the product's test.
    return (areas.e + areas.a) - areas.b > AreaTolerance && areas.b - areas.c > AreaTolerance &&
           areas.c - areas.d > AreaTolerance;
}

const std::vector<API_Guid>* Apartments::RoomsOf(const GS::UniString& id) const {
    for (const auto& [key, rooms] : apartments) {
        if (key == id)
            return &rooms;
    }
    return nullptr;
}

Apartments ComputeApartments(const Headless::HeadlessHost& host) {
    Apartments result;
    for (const auto& entry : host.GetProject().elements) {
        const Headless::ElementRecord& zone = entry.second;
        if (zone.GetTypeId() != API_ZoneID)
            continue;
        if (const std::optional<GS::UniString> id = TextParameter(zone.parameters, RoomApartmentIdName))
            RoomsFor(result, *id).push_back(zone.GetGuid());
        else
            result.roomsWithoutId.push_back(zone.GetGuid());
        if (!AreAreasConsistent(zone.areas))
            result.inconsistentRooms.push_back(zone.GetGuid());
    }
    return result;
}

} // namespace Report::Reference
