#include "GSRoot/Guid.hpp"
#include "HeadlessHost/InMemoryInternals.hpp"
#include "Host/APIGuid.hpp"

// Element records made from what a scenario gives.

namespace Headless {

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

void SetHeader(ElementRecord* record, Int32 typeID, Int16 story, API_AttributeIndex layer, UInt16 lockId,
               const API_Guid& groupGuid, Reservation reservation) {
    API_Elem_Head& header = record->element.header;
    header.type.typeID = typeID;
    header.floorInd = story;
    header.layer = layer;
    header.lockId = lockId;
    header.groupGuid = groupGuid;
    record->reservation = reservation;
}

// Values given replace the defaults of the same name; others are appended.
ParameterList MergeParameters(ParameterList base, const ParameterList& given) {
    for (const Parameter& parameter : given) {
        if (Parameter* existing = FindParameter(base, parameter.GetName()))
            *existing = parameter;
        else
            base.push_back(parameter);
    }
    return base;
}

} // namespace

bool InMemoryHost::CheckPlacement(Int16 story, API_AttributeIndex layer, std::string* error) const {
    if (project_.FindStory(story) == nullptr)
        return Fail(error, "story " + std::to_string(story) + " does not exist");
    if (project_.layers.Find(layer) == nullptr)
        return Fail(error, "layer " + std::to_string(layer) + " does not exist");
    return true;
}

ParameterList InMemoryHost::PartDefaults(Int32 libInd) const {
    const LibPartRecord* part = FindLibraryPart(libInd);
    return part != nullptr ? part->desc.parameters : ParameterList();
}

bool InMemoryHost::BuildZone(const ZoneDesc& desc, ElementRecord* record, std::string* error) const {
    if (!CheckPlacement(desc.story, desc.layer, error))
        return false;
    SetHeader(record, API_ZoneID, desc.story, desc.layer, desc.lockId, desc.groupGuid, desc.reservation);
    API_ZoneType& zone = record->element.zone;
    CopyText(desc.roomName, zone.roomName, API_UniLongNameLen);
    CopyText(desc.number, zone.roomNoStr, API_UniLongNameLen);
    zone.catInd = desc.category;
    zone.pos = desc.position;
    record->polygon = desc.polygon;
    const ZoneAreaDesc& given = desc.areas;
    record->areasFromPolygon = !given.a && !given.b && !given.c && !given.d && !given.e;
    record->areas.a = given.a.value_or(PolygonArea(desc.polygon));
    record->areas.b = given.b.value_or(record->areas.a);
    record->areas.c = given.c.value_or(record->areas.a);
    record->areas.d = given.d.value_or(record->areas.a);
    record->areas.e = given.e.value_or(0.0);
    record->parameters = desc.parameters;
    return true;
}

bool InMemoryHost::BuildLabel(const LabelDesc& desc, ElementRecord* record, std::string* error) const {
    if (!CheckPlacement(desc.story, desc.layer, error))
        return false;
    if (desc.libInd != 0 && FindLibraryPart(desc.libInd) == nullptr)
        return Fail(error, "library part " + std::to_string(desc.libInd) + " does not exist");
    const ElementRecord* parent = nullptr;
    if (desc.parent != APINULLGuid && (parent = FindLive(desc.parent)) == nullptr)
        return Fail(error, "parent element " + APIGuidToString(desc.parent) + " does not exist");
    SetHeader(record, API_LabelID, desc.story, desc.layer, desc.lockId, desc.groupGuid, desc.reservation);
    API_LabelType& label = record->element.label;
    label.libInd = desc.libInd;
    label.labelClass = desc.labelClass;
    label.begC = desc.begC;
    label.midC = desc.midC;
    label.endC = desc.endC;
    if (parent != nullptr) {
        label.parent = desc.parent;
        label.parentType.typeID = parent->GetTypeId();
    }
    record->parameters = MergeParameters(PartDefaults(desc.libInd), desc.parameters);
    return true;
}

bool InMemoryHost::BuildWall(const WallDesc& desc, ElementRecord* record, std::string* error) const {
    if (!CheckPlacement(desc.story, desc.layer, error))
        return false;
    SetHeader(record, API_WallID, desc.story, desc.layer, desc.lockId, desc.groupGuid, desc.reservation);
    record->element.wall.begC = desc.begC;
    record->element.wall.endC = desc.endC;
    return true;
}

bool InMemoryHost::BuildPlacedLabel(const LabelPlacement& placement, ElementRecord* record) const {
    const ElementRecord* zone = nullptr;
    if (placement.clickedZone != APINULLGuid) {
        zone = FindLive(placement.clickedZone);
        if (zone == nullptr || zone->GetTypeId() != API_ZoneID)
            return false;
    }
    *record = ElementRecord();
    record->element = labelDefaults_.element;
    API_Elem_Head& header = record->element.header;
    header.type.typeID = API_LabelID;
    header.guid = APINULLGuid;
    header.floorInd = currentStory_;
    header.lockId = 0;
    header.groupGuid = APINULLGuid;
    if (!CheckPlacement(header.floorInd, header.layer, nullptr))
        return false;
    API_LabelType& label = record->element.label;
    const bool otherPart = placement.libInd && *placement.libInd != label.libInd;
    if (otherPart && *placement.libInd != 0 && FindLibraryPart(*placement.libInd) == nullptr)
        return false;
    if (otherPart)
        label.libInd = *placement.libInd;
    label.begC = label.midC = label.endC = placement.position;
    label.parentType = API_ElemType();
    label.parent = APINULLGuid;
    if (zone != nullptr) {
        label.parent = zone->GetGuid();
        label.parentType.typeID = API_ZoneID;
    }
    record->parameters = labelDefaults_.parameters.empty() || otherPart ? PartDefaults(label.libInd)
                                                                        : labelDefaults_.parameters;
    return true;
}

} // namespace Headless
