#include "HeadlessHost/InMemoryHost.hpp"
#include "Host/APIGuid.hpp"

#include <algorithm>
#include <cmath>

#include "GSRoot/Guid.hpp"
#include "HeadlessHost/InMemoryInternals.hpp"

namespace Headless {

double PolygonArea(const std::vector<API_Coord>& polygon) {
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const API_Coord& a = polygon[i];
        const API_Coord& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

InMemoryHost::InMemoryHost(AddOnSide& addOn) : addOn_(addOn) {
    ResetToDefaults();
}

InMemoryHost::~InMemoryHost() {
    ReleaseOutstandingMemos();
}

const ElementRecord* InMemoryHost::FindElement(const API_Guid& guid) const {
    return project_.Find(guid);
}

const ElementRecord* InMemoryHost::FindElementByName(const std::string& name) const {
    for (const auto& element : project_.elements) {
        if (element.second.name == name)
            return &element.second;
    }
    return nullptr;
}

std::string InMemoryHost::GetElementName(const API_Guid& guid) const {
    const ElementRecord* record = FindReadable(guid);
    if (record != nullptr && !record->name.empty())
        return record->name;
    return APIGuidToString(guid);
}

std::vector<API_Guid> InMemoryHost::GetElements(Int32 typeID) const {
    std::vector<API_Guid> guids;
    for (const auto& element : project_.elements) {
        if (typeID == 0 || element.second.GetTypeId() == typeID)
            guids.push_back(element.second.GetGuid());
    }
    return guids;
}

const ZoneCategory* InMemoryHost::FindZoneCategory(API_AttributeIndex index) const {
    return project_.zoneCategories.Find(index);
}

void InMemoryHost::ClearUpdateCycle() {
    updateCycle_ = false;
    droppedEchoEvents_ = 0;
}

void InMemoryHost::AddOnCallBegins() {
    if (addOnCallDepth_++ == 0)
        editStateAtCall_ = CaptureEditState(project_, suspendGroups_, nextSerial_);
}

void InMemoryHost::AddOnCallEnded() {
    // Before the add-on's changes are reported: each echo batch is an outermost call of its own.
    if (--addOnCallDepth_ == 0)
        CompareEditState(editStateAtCall_, project_, suspendGroups_, editStateChanges_);
    FlushIfTopLevel();
}

} // namespace Headless
