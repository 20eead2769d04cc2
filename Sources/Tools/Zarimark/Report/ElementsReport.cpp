#include <cmath>

#include "Host/APIGuid.hpp"
#include "Report/Reference/StampReference.hpp"
#include "Report/ReportBuilder.hpp"
#include "Report/StampDisplay.hpp"

namespace Report {

namespace {

Json Number(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    return value;
}

Json Point(const API_Coord& point) {
    return Json::array({Number(point.x), Number(point.y)});
}

Json Names(const Headless::HeadlessHost& host, const std::vector<API_Guid>& guids) {
    Json names = Json::array();
    for (const API_Guid& guid : guids)
        names.push_back(NameOf(host, guid));
    return names;
}

template <typename Value>
Json Grid(const std::vector<Value>& values, Int32 rows, Int32 columns, Json (*convert)(const Value&)) {
    if (rows < 0 || columns < 0 ||
        static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns) != values.size()) {
        Json raw = Json::array();
        for (const Value& value : values)
            raw.push_back(convert(value));
        return Json{{"rows", rows}, {"columns", columns}, {"data", raw}};
    }
    Json grid = Json::array();
    for (Int32 row = 0; row < rows; ++row) {
        if (columns == 1) {
            grid.push_back(convert(values[static_cast<std::size_t>(row)]));
            continue;
        }
        Json cells = Json::array();
        for (Int32 column = 0; column < columns; ++column)
            cells.push_back(convert(values[static_cast<std::size_t>(row) * columns + column]));
        grid.push_back(cells);
    }
    return grid;
}

Json NumberOf(const double& value) {
    return Number(value);
}

Json TextOf(const GS::UniString& text) {
    return text.ToUtf8();
}

const char* ReservationText(Headless::Reservation reservation) {
    switch (reservation) {
    case Headless::Reservation::ThisUser:
        return "me";
    case Headless::Reservation::OtherMember:
        return "other";
    default:
        return "free";
    }
}

std::string LayerName(const Headless::HeadlessHost& host, API_AttributeIndex index) {
    const Headless::Layer* layer = host.FindLayer(index);
    return layer != nullptr ? layer->name : "#" + std::to_string(index);
}

void AddCommon(const Headless::HeadlessHost& host, const Headless::ElementRecord& record, Json& json) {
    json["guid"] = APIGuidToString(record.GetGuid());
    json["story"] = record.element.header.floorInd;
    json["layer"] = LayerName(host, record.element.header.layer);
}

void AddState(const Headless::HeadlessHost& host, const Headless::ElementRecord& record, Json& json) {
    json["links"] = Names(host, record.links);
    json["observed"] = record.observed;
    json["locked"] = record.element.header.lockId != 0;
    json["grouped"] = record.element.header.groupGuid != APINULLGuid;
    json["reservation"] = ReservationText(record.reservation);
}

void AddPoints(const Headless::ElementRecord& record, Json& json) {
    json["begin"] = Point(record.element.label.begC);
    json["middle"] = Point(record.element.label.midC);
    json["end"] = Point(record.element.label.endC);
}

Json ZoneJson(const Headless::HeadlessHost& host, const Headless::ElementRecord& record) {
    Json json{{"type", "zone"}};
    AddCommon(host, record, json);
    json["number"] = GS::UniString(record.element.zone.roomNoStr).ToUtf8();
    json["name"] = GS::UniString(record.element.zone.roomName).ToUtf8();
    json["category"] = record.element.zone.catInd;
    json["position"] = Point(record.element.zone.pos);
    const Headless::ZoneAreas& areas = record.areas;
    json["areas"] = Json{{"a", Number(areas.a)},
                         {"b", Number(areas.b)},
                         {"c", Number(areas.c)},
                         {"d", Number(areas.d)},
                         {"e", Number(areas.e)}};
    const Headless::Parameter* id = Headless::FindParameter(record.parameters, "stApartmentId");
    json["apartmentId"] = id != nullptr ? ParameterValueJson(*id) : Json();
    json["parameters"] = ParametersJson(record.parameters, "");
    AddState(host, record, json);
    return json;
}

Json LabelJson(const Headless::HeadlessHost& host, const Headless::ElementRecord& record) {
    const API_LabelType& label = record.element.label;
    Json json{{"type", IsStamp(host, record) ? "stamp" : "label"}};
    AddCommon(host, record, json);
    const Headless::LibPartRecord* part = host.FindLibraryPart(label.libInd);
    json["part"] = part != nullptr ? Json(part->desc.name.ToUtf8()) : Json();
    json["class"] = label.labelClass == APILblClass_Text ? "text" : "symbol";
    AddPoints(record, json);
    json["parent"] = label.parent != APINULLGuid ? Json(NameOf(host, label.parent)) : Json();
    json["parameters"] = ParametersJson(record.parameters, "");
    AddState(host, record, json);
    return json;
}

Json WallJson(const Headless::HeadlessHost& host, const Headless::ElementRecord& record) {
    Json json{{"type", "wall"}};
    AddCommon(host, record, json);
    json["begin"] = Point(record.element.wall.begC);
    json["end"] = Point(record.element.wall.endC);
    AddState(host, record, json);
    return json;
}

} // namespace

Json ParametersJson(const Headless::ParameterList& parameters, const char* prefix) {
    Json object = Json::object();
    for (const Headless::Parameter& parameter : parameters) {
        const std::string name = parameter.GetName();
        if (name.rfind(prefix, 0) == 0 && !object.contains(name))
            object[name] = ParameterValueJson(parameter);
    }
    return object;
}

Json ParameterValueJson(const Headless::Parameter& parameter) {
    const bool text = parameter.GetType() == APIParT_CString;
    if (!parameter.IsArray())
        return text ? Json(parameter.GetText().ToUtf8()) : Number(parameter.GetReal());
    if (text)
        return Grid<GS::UniString>(parameter.GetTexts(), parameter.GetDim1(), parameter.GetDim2(), TextOf);
    return Grid<double>(parameter.GetNumbers(), parameter.GetDim1(), parameter.GetDim2(), NumberOf);
}

std::string NameOf(const Headless::HeadlessHost& host, const API_Guid& guid) {
    return host.GetElementName(guid);
}

bool IsStamp(const Headless::HeadlessHost& host, const Headless::ElementRecord& record) {
    return Reference::IsStamp(host, record);
}

Json ElementsJson(const Headless::HeadlessHost& host) {
    Json elements = Json::object();
    for (const API_Guid& guid : host.GetElements()) {
        const Headless::ElementRecord* record = host.FindElement(guid);
        if (record == nullptr)
            continue;
        switch (record->GetTypeId()) {
        case API_ZoneID:
            elements[record->name] = ZoneJson(host, *record);
            break;
        case API_LabelID:
            elements[record->name] = LabelJson(host, *record);
            break;
        default:
            elements[record->name] = WallJson(host, *record);
            break;
        }
    }
    return elements;
}

Json StampsJson(const Headless::HeadlessHost& host) {
    Json stamps = Json::object();
    for (const API_Guid& guid : host.GetElements(API_LabelID)) {
        const Headless::ElementRecord* record = host.FindElement(guid);
        if (record == nullptr || !IsStamp(host, *record))
            continue;
        const Headless::Parameter* id = Headless::FindParameter(record->parameters, "zm_apartmentId");
        const StampDisplay display = ComputeStampDisplay(record->parameters);
        Json lines = Json::array();
        for (const StampDisplay::Line& line : display.lines)
            lines.push_back(line.text + " " + line.value);
        Json stamp{{"apartmentId", id != nullptr ? Json(id->GetText().ToUtf8()) : Json()},
                   {"story", record->element.header.floorInd},
                   {"layer", LayerName(host, record->element.header.layer)}};
        AddPoints(*record, stamp);
        stamp.update(Json{{"rooms", Names(host, record->links)},
                          {"parameters", ParametersJson(record->parameters, "zm_")},
                          {"title", display.title},
                          {"lines", lines},
                          {"total", display.total.text + " " + display.total.value}});
        stamps[record->name] = stamp;
    }
    return stamps;
}

} // namespace Report
