#include "Report/ApartmentAnalysis.hpp"

#include <algorithm>

#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "Host/HostOperations.hpp"

using namespace Zarimark;

namespace Report {

namespace {

// The report's own calls must not use up the scenario's faults or show in its call log.
class QuietHostScope {
public:
    explicit QuietHostScope(Headless::HeadlessHost& host)
        : host_(host), saved_(host.GetFaults()), previousHost_(Host::GetCurrentHost()) {
        host_.GetFaults() = Headless::FaultInjector();
        host_.GetFaults().SetLogging(false);
        Host::SetCurrentHost(&host_);
    }
    ~QuietHostScope() {
        Host::SetCurrentHost(previousHost_);
        host_.GetFaults() = saved_;
    }
    QuietHostScope(const QuietHostScope&) = delete;
    QuietHostScope& operator=(const QuietHostScope&) = delete;

private:
    Headless::HeadlessHost& host_;
    Headless::FaultInjector saved_;
    HostInterface* previousHost_;
};

} // namespace

ApartmentAnalysis AnalyzeApartments(Headless::HeadlessHost& host) {
    ApartmentAnalysis analysis;
    QuietHostScope quiet(host);
    GS::Array<API_Guid> zones;
    for (const API_Guid& zone : host.GetElements(API_ZoneID))
        zones.Push(zone);
    ApartmentRooms apartments;
    analysis.groupResult = GroupRoomsByApartmentId(zones, apartments);
    std::vector<API_Guid> grouped;
    for (const auto& entry : apartments) {
        std::vector<API_Guid> rooms(entry.value.begin(), entry.value.end());
        grouped.insert(grouped.end(), rooms.begin(), rooms.end());
        analysis.apartments.emplace_back(entry.key, rooms);
    }
    for (const API_Guid& zone : zones) {
        if (std::find(grouped.begin(), grouped.end(), zone) == grouped.end())
            analysis.roomsWithoutId.push_back(zone);
    }
    GS::HashSet<API_Guid> inconsistent;
    analysis.checkResult = CheckAllRoomAreas(inconsistent);
    analysis.inconsistentRooms.assign(inconsistent.begin(), inconsistent.end());
    return analysis;
}

} // namespace Report
