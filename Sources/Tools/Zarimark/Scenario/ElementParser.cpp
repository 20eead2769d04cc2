#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

constexpr std::int64_t MinStory = -32768;
constexpr std::int64_t MaxStory = 32767;

void ReadState(ObjectReader& reader, ElementState& state) {
    state.locked = reader.Bool("locked").value_or(false);
    if (const Json* value = reader.Get("reservation"))
        state.reservation = ReadReservation(*value, reader.PathOf("reservation"), reader.GetDiagnostics())
                                .value_or(Reservation::Free);
    state.observed = reader.Bool("observed");
}

// The fields every element kind starts with.
template <typename Desc>
void ReadPlacement(ObjectReader& reader, Desc& element) {
    element.path = reader.GetPath();
    element.id = reader.String("id").value_or("");
    element.story = static_cast<std::int16_t>(reader.Integer("story", MinStory, MaxStory).value_or(0));
    element.layer = reader.String("layer").value_or("");
}

} // namespace

std::optional<bool> ReadLabelClass(ObjectReader& reader) {
    const std::optional<std::string> labelClass = reader.String("class");
    if (!labelClass)
        return std::nullopt;
    if (*labelClass != "symbol" && *labelClass != "text")
        reader.GetDiagnostics().Add(reader.PathOf("class"),
                                    "expected \"symbol\" or \"text\", found \"" + *labelClass + "\"");
    return *labelClass == "text";
}

ZoneDesc ReadZone(ObjectReader& reader) {
    ZoneDesc zone;
    ReadPlacement(reader, zone);
    zone.number = reader.String("number").value_or("");
    zone.name = reader.String("name").value_or("");
    zone.category = static_cast<std::int32_t>(reader.Integer("category", 0, 0x7FFFFFFF).value_or(0));
    zone.position = reader.PointField("position").value_or(Point{});
    zone.polygon = reader.Points("polygon").value_or(std::vector<Point>{});
    if (const Json* areas = reader.Get("areas"))
        zone.areas = ReadAreas(*areas, reader.PathOf("areas"), reader.GetDiagnostics());
    if (const Json* id = reader.Get("apartmentId")) {
        ParameterValue value;
        value.name = "stApartmentId";
        value.shape = ParameterValue::Shape::Text;
        value.path = reader.PathOf("apartmentId");
        if (std::optional<std::string> text = ReadString(*id, value.path, reader.GetDiagnostics())) {
            value.text = *text;
            zone.parameters.push_back(value);
        }
    }
    if (std::optional<std::vector<ParameterValue>> more = ReadParametersField(reader))
        zone.parameters.insert(zone.parameters.end(), more->begin(), more->end());
    ReadState(reader, zone.state);
    return zone;
}

LabelDesc ReadLabel(ObjectReader& reader) {
    LabelDesc label;
    ReadPlacement(reader, label);
    label.part = reader.String("part").value_or("");
    label.textClass = ReadLabelClass(reader).value_or(false);
    const Point position = reader.PointField("position").value_or(Point{});
    label.begin = reader.PointField("begin").value_or(position);
    label.middle = reader.PointField("middle").value_or(position);
    label.end = reader.PointField("end").value_or(position);
    label.parent = reader.String("parent").value_or("");
    label.parameters = ReadParametersField(reader).value_or(std::vector<ParameterValue>{});
    label.without = reader.Strings("without").value_or(std::vector<std::string>{});
    label.links = reader.Strings("links").value_or(std::vector<std::string>{});
    ReadState(reader, label.state);
    return label;
}

WallDesc ReadWall(ObjectReader& reader) {
    WallDesc wall;
    ReadPlacement(reader, wall);
    wall.begin = reader.PointField("begin").value_or(Point{});
    wall.end = reader.PointField("end").value_or(Point{});
    ReadState(reader, wall.state);
    return wall;
}

ElementDesc ReadElement(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    ElementDesc element;
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return element;
    const std::optional<std::string> type = reader.String("type", true);
    if (!reader.Has("id"))
        diagnostics.Add(reader.PathOf("id"), "missing (every element of the project has an id)");
    if (type == std::optional<std::string>("zone")) {
        element.kind = ElementDesc::Kind::Zone;
        element.zone = ReadZone(reader);
    } else if (type == std::optional<std::string>("label")) {
        element.kind = ElementDesc::Kind::Label;
        element.label = ReadLabel(reader);
    } else if (type == std::optional<std::string>("wall")) {
        element.kind = ElementDesc::Kind::Wall;
        element.wall = ReadWall(reader);
    } else {
        if (type)
            diagnostics.Add(reader.PathOf("type"), "unknown element type \"" + *type +
                                                       "\" (expected \"zone\", \"label\" or \"wall\")");
        return element;
    }
    reader.Finish();
    return element;
}

const std::string& ElementDesc::Id() const {
    return kind == Kind::Zone ? zone.id : kind == Kind::Label ? label.id : wall.id;
}

const std::string& ElementDesc::Path() const {
    return kind == Kind::Zone ? zone.path : kind == Kind::Label ? label.path : wall.path;
}

} // namespace Scenario
