#include <algorithm>

#include "HeadlessHost/InMemoryInternals.hpp"

// What the user does in the project, reported to the add-on as the real host would.

namespace Headless {

namespace {

void Shift(API_Coord& point, API_Coord offset) {
    point.x += offset.x;
    point.y += offset.y;
}

void ShiftElement(ElementRecord& record, API_Coord offset) {
    API_Element& element = record.element;
    switch (record.GetTypeId()) {
    case API_ZoneID:
        Shift(element.zone.pos, offset);
        for (API_Coord& point : record.polygon)
            Shift(point, offset);
        break;
    case API_LabelID:
        Shift(element.label.begC, offset);
        Shift(element.label.midC, offset);
        Shift(element.label.endC, offset);
        break;
    case API_WallID:
        Shift(element.wall.begC, offset);
        Shift(element.wall.endC, offset);
        break;
    default:
        break;
    }
}

// The user's settings dialog shows the current areas: those not given stay as they are.
ZoneAreas ChangedAreas(const ZoneAreaDesc& given, const ZoneAreas& current) {
    return ZoneAreas{given.a.value_or(current.a), given.b.value_or(current.b), given.c.value_or(current.c),
                     given.d.value_or(current.d), given.e.value_or(current.e)};
}

ZoneAreas ResolveAreas(const ZoneAreaDesc& given, const std::vector<API_Coord>& polygon) {
    ZoneAreas areas;
    areas.a = given.a.value_or(PolygonArea(polygon));
    areas.b = given.b.value_or(areas.a);
    areas.c = given.c.value_or(areas.a);
    areas.d = given.d.value_or(areas.a);
    areas.e = given.e.value_or(0.0);
    return areas;
}

} // namespace

GSErrCode InMemoryHost::CreateFromRecord(ElementRecord record, const std::string& name, API_Guid* guid) {
    record.reservation = Reservation::ThisUser;
    RunUserAction([&] {
        const API_Guid created = InsertNew(std::move(record), name).GetGuid();
        if (guid != nullptr)
            *guid = created;
        ReportEvent(PendingEvent{EventKind::New, created, 0, std::nullopt});
    });
    return NoError;
}

GSErrCode InMemoryHost::CreateZone(const ZoneDesc& desc, API_Guid* guid) {
    ElementRecord record;
    return BuildZone(desc, &record, nullptr) ? CreateFromRecord(std::move(record), desc.name, guid)
                                             : APIERR_BADPARS;
}

GSErrCode InMemoryHost::CreateWall(const WallDesc& desc, API_Guid* guid) {
    ElementRecord record;
    return BuildWall(desc, &record, nullptr) ? CreateFromRecord(std::move(record), desc.name, guid)
                                             : APIERR_BADPARS;
}

GSErrCode InMemoryHost::CreateLabel(const LabelDesc& desc, API_Guid* guid) {
    ElementRecord record;
    return BuildLabel(desc, &record, nullptr) ? CreateFromRecord(std::move(record), desc.name, guid)
                                              : APIERR_BADPARS;
}

GSErrCode InMemoryHost::PlaceLabel(const LabelPlacement& placement, API_Guid* guid) {
    ElementRecord record;
    return BuildPlacedLabel(placement, &record) ? CreateFromRecord(std::move(record), placement.name, guid)
                                                : APIERR_BADPARS;
}

GSErrCode InMemoryHost::CopyElement(const API_Guid& source, API_Coord offset, const std::string& name,
                                    API_Guid* copy) {
    const ElementRecord* original = FindLive(source);
    if (original == nullptr)
        return APIERR_BADELEMENT;
    ElementRecord record = *original;
    const bool observed = original->observed;
    std::optional<ElementRecord> parent;
    if (observed)
        parent = *original;
    record.links.clear();
    record.observed = false;
    record.element.header.lockId = 0;
    record.element.header.groupGuid = APINULLGuid;
    record.reservation = Reservation::ThisUser;
    record.name.clear();
    ShiftElement(record, offset);
    RunUserAction([&] {
        const API_Guid created = InsertNew(std::move(record), name).GetGuid();
        if (copy != nullptr)
            *copy = created;
        // A copy of an unobserved element is simply a new element.
        ReportEvent(PendingEvent{observed ? EventKind::Copy : EventKind::New, created, 0, std::move(parent)});
    });
    return NoError;
}

GSErrCode InMemoryHost::ChangeAsUser(const API_Guid& guid, EventKind kind,
                                     const std::function<GSErrCode(ElementRecord&)>& edit) {
    ElementRecord before;
    if (const GSErrCode result = EditElement(guid, edit, &before))
        return result;
    RunUserAction([&] { ReportEvent(PendingEvent{kind, guid, 0, std::move(before)}); });
    return NoError;
}

GSErrCode InMemoryHost::MoveElement(const API_Guid& guid, API_Coord offset) {
    return ChangeAsUser(guid, EventKind::Edit, [&](ElementRecord& record) {
        ShiftElement(record, offset);
        return NoError;
    });
}

GSErrCode InMemoryHost::EditZonePolygon(const API_Guid& zone, const std::vector<API_Coord>& polygon) {
    return ChangeAsUser(zone, EventKind::Edit, [&](ElementRecord& record) -> GSErrCode {
        if (record.GetTypeId() != API_ZoneID)
            return APIERR_BADPARS;
        record.polygon = polygon;
        if (record.areasFromPolygon)
            record.areas = ResolveAreas(ZoneAreaDesc(), polygon);
        return NoError;
    });
}

GSErrCode InMemoryHost::ChangeZone(const API_Guid& zone, const ZoneChange& change) {
    return ChangeAsUser(zone, EventKind::Change, [&](ElementRecord& record) -> GSErrCode {
        if (record.GetTypeId() != API_ZoneID)
            return APIERR_BADPARS;
        if (change.layer && project_.layers.Find(*change.layer) == nullptr)
            return APIERR_BADPARS;
        API_ZoneType& part = record.element.zone;
        if (change.number)
            CopyText(*change.number, part.roomNoStr, API_UniLongNameLen);
        if (change.roomName)
            CopyText(*change.roomName, part.roomName, API_UniLongNameLen);
        if (change.category)
            part.catInd = *change.category;
        if (change.layer)
            record.element.header.layer = *change.layer;
        if (change.areas) {
            record.areas = ChangedAreas(*change.areas, record.areas);
            record.areasFromPolygon = false;
        }
        if (change.parameters)
            record.parameters = *change.parameters;
        return NoError;
    });
}

GSErrCode InMemoryHost::SetElementParameters(const API_Guid& guid, const ParameterList& parameters) {
    return ChangeAsUser(guid, EventKind::Change, [&](ElementRecord& record) {
        record.parameters = parameters;
        return NoError;
    });
}

GSErrCode InMemoryHost::EditParameters(const API_Guid& guid, const ParameterList& values) {
    return ChangeAsUser(guid, EventKind::Change, [&](ElementRecord& record) {
        for (const Parameter& value : values) {
            if (Parameter* existing = FindParameter(record.parameters, value.GetName()))
                *existing = value;
            else
                record.parameters.push_back(value);
        }
        return NoError;
    });
}

GSErrCode InMemoryHost::ChangeLabelLibPart(const API_Guid& label, Int32 libInd) {
    return ChangeAsUser(label, EventKind::Change, [&](ElementRecord& record) -> GSErrCode {
        if (record.GetTypeId() != API_LabelID || (libInd != 0 && FindLibraryPart(libInd) == nullptr))
            return APIERR_BADPARS;
        SetLibPart(record, libInd);
        return NoError;
    });
}

GSErrCode InMemoryHost::DeleteElements(const std::vector<API_Guid>& guids) {
    std::vector<API_Guid> unique;
    if (const GSErrCode refusal = CheckDeletion(guids, &unique))
        return refusal;
    // One deletion: all elements are gone before the first event is told.
    RunUserAction([&] {
        for (const API_Guid& guid : unique)
            DeleteElement(guid);
        for (const API_Guid& guid : unique)
            ReportEvent(PendingEvent{EventKind::Delete, guid, 0, std::nullopt});
    });
    return NoError;
}

GSErrCode InMemoryHost::UngroupElements(const std::vector<API_Guid>& guids) {
    std::vector<API_Guid> groups;
    for (const API_Guid& guid : guids) {
        const ElementRecord* record = FindLive(guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        if (record->element.header.groupGuid == APINULLGuid)
            return APIERR_BADPARS;
        groups.push_back(record->element.header.groupGuid);
    }
    for (auto& entry : project_.elements) {
        API_Guid& group = entry.second.element.header.groupGuid;
        if (std::find(groups.begin(), groups.end(), group) != groups.end())
            group = APINULLGuid;
    }
    return NoError;
}

GSErrCode InMemoryHost::SendElementEvent(const API_Guid& guid, Int32 code) {
    if (FindLive(guid) == nullptr)
        return APIERR_BADELEMENT;
    RunUserAction([&] { ReportEvent(PendingEvent{EventKind::Raw, guid, code, std::nullopt}); });
    return NoError;
}

} // namespace Headless
