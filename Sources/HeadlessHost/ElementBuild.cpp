#include "GSRoot/Guid.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "HeadlessHost/HostInternals.hpp"

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

bool HeadlessHost::CheckPlacement(Int16 story, API_AttributeIndex layer, std::string* error) const {
    if (project_.FindStory(story) == nullptr)
        return Fail(error, "story " + std::to_string(story) + " does not exist");
    if (project_.layers.Find(layer) == nullptr)
        return Fail(error, "layer " + std::to_string(layer) + " does not exist");
    return true;
}

ParameterList HeadlessHost::PartDefaults(Int32 libInd) const {
    const LibPartRecord* part = FindLibraryPart(libInd);
    return part != nullptr ? part->spec.parameters : ParameterList();
}

bool HeadlessHost::BuildZone(const ZoneSpec& spec, ElementRecord* record, std::string* error) const {
    if (!CheckPlacement(spec.story, spec.layer, error))
        return false;
    SetHeader(record, API_ZoneID, spec.story, spec.layer, spec.lockId, spec.groupGuid, spec.reservation);
    API_ZoneType& zone = record->element.zone;
    CopyText(spec.roomName, zone.roomName, API_UniLongNameLen);
    CopyText(spec.number, zone.roomNoStr, API_UniLongNameLen);
    zone.catInd = spec.category;
    zone.pos = spec.position;
    record->polygon = spec.polygon;
    const ZoneAreaSpec& given = spec.areas;
    record->areasFromPolygon = !given.a && !given.b && !given.c && !given.d && !given.e;
    record->areas.a = given.a.value_or(PolygonArea(spec.polygon));
    record->areas.b = given.b.value_or(record->areas.a);
    record->areas.c = given.c.value_or(record->areas.a);
    record->areas.d = given.d.value_or(record->areas.a);
    record->areas.e = given.e.value_or(0.0);
    record->parameters = spec.parameters;
    return true;
}

bool HeadlessHost::BuildLabel(const LabelSpec& spec, ElementRecord* record, std::string* error) const {
    if (!CheckPlacement(spec.story, spec.layer, error))
        return false;
    if (spec.libInd != 0 && FindLibraryPart(spec.libInd) == nullptr)
        return Fail(error, "library part " + std::to_string(spec.libInd) + " does not exist");
    const ElementRecord* parent = nullptr;
    if (spec.parent != APINULLGuid && (parent = FindLive(spec.parent)) == nullptr)
        return Fail(error, "parent element " + APIGuidToString(spec.parent) + " does not exist");
    SetHeader(record, API_LabelID, spec.story, spec.layer, spec.lockId, spec.groupGuid, spec.reservation);
    API_LabelType& label = record->element.label;
    label.libInd = spec.libInd;
    label.labelClass = spec.labelClass;
    label.begC = spec.begC;
    label.midC = spec.midC;
    label.endC = spec.endC;
    if (parent != nullptr) {
        label.parent = spec.parent;
        label.parentType.typeID = parent->GetTypeId();
    }
    record->parameters = MergeParameters(PartDefaults(spec.libInd), spec.parameters);
    return true;
}

bool HeadlessHost::BuildWall(const WallSpec& spec, ElementRecord* record, std::string* error) const {
    if (!CheckPlacement(spec.story, spec.layer, error))
        return false;
    SetHeader(record, API_WallID, spec.story, spec.layer, spec.lockId, spec.groupGuid, spec.reservation);
    record->element.wall.begC = spec.begC;
    record->element.wall.endC = spec.endC;
    return true;
}

bool HeadlessHost::BuildPlacedLabel(const LabelPlacement& placement, ElementRecord* record) const {
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
    label.begC = label.midC = label.endC = placement.position;
    label.parentType = API_ElemType();
    label.parent = APINULLGuid;
    if (zone != nullptr) {
        label.parent = zone->GetGuid();
        label.parentType.typeID = API_ZoneID;
    }
    record->parameters =
        labelDefaults_.parameters.empty() ? PartDefaults(label.libInd) : labelDefaults_.parameters;
    return true;
}

} // namespace Headless
