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

std::int16_t ReadStory(ObjectReader& reader) {
    return static_cast<std::int16_t>(reader.Integer("story", MinStory, MaxStory).value_or(0));
}

} // namespace

ZoneSpec ReadZone(ObjectReader& reader) {
    ZoneSpec zone;
    zone.path = reader.GetPath();
    zone.id = reader.String("id").value_or("");
    zone.story = ReadStory(reader);
    zone.layer = reader.String("layer").value_or("");
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
    if (const Json* parameters = reader.Get("parameters")) {
        std::vector<ParameterValue> more =
            ReadParameterValues(*parameters, reader.PathOf("parameters"), reader.GetDiagnostics());
        zone.parameters.insert(zone.parameters.end(), more.begin(), more.end());
    }
    ReadState(reader, zone.state);
    return zone;
}

LabelSpec ReadLabel(ObjectReader& reader) {
    LabelSpec label;
    label.path = reader.GetPath();
    label.id = reader.String("id").value_or("");
    label.story = ReadStory(reader);
    label.layer = reader.String("layer").value_or("");
    label.part = reader.String("part").value_or("");
    if (std::optional<std::string> labelClass = reader.String("class")) {
        if (*labelClass != "symbol" && *labelClass != "text")
            reader.GetDiagnostics().Add(reader.PathOf("class"),
                                        "expected \"symbol\" or \"text\", found \"" + *labelClass + "\"");
        label.textClass = *labelClass == "text";
    }
    const Point position = reader.PointField("position").value_or(Point{});
    label.begin = reader.PointField("begin").value_or(position);
    label.middle = reader.PointField("middle").value_or(position);
    label.end = reader.PointField("end").value_or(position);
    label.parent = reader.String("parent").value_or("");
    if (const Json* parameters = reader.Get("parameters"))
        label.parameters =
            ReadParameterValues(*parameters, reader.PathOf("parameters"), reader.GetDiagnostics());
    label.without = reader.Strings("without").value_or(std::vector<std::string>{});
    label.links = reader.Strings("links").value_or(std::vector<std::string>{});
    ReadState(reader, label.state);
    return label;
}

WallSpec ReadWall(ObjectReader& reader) {
    WallSpec wall;
    wall.path = reader.GetPath();
    wall.id = reader.String("id").value_or("");
    wall.story = ReadStory(reader);
    wall.layer = reader.String("layer").value_or("");
    wall.begin = reader.PointField("begin").value_or(Point{});
    wall.end = reader.PointField("end").value_or(Point{});
    ReadState(reader, wall.state);
    return wall;
}

ElementSpec ReadElement(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    ElementSpec element;
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return element;
    const std::optional<std::string> type = reader.String("type", true);
    if (!reader.Has("id"))
        diagnostics.Add(reader.PathOf("id"), "missing (every element of the project has an id)");
    if (type == std::optional<std::string>("zone")) {
        element.kind = ElementSpec::Kind::Zone;
        element.zone = ReadZone(reader);
    } else if (type == std::optional<std::string>("label")) {
        element.kind = ElementSpec::Kind::Label;
        element.label = ReadLabel(reader);
    } else if (type == std::optional<std::string>("wall")) {
        element.kind = ElementSpec::Kind::Wall;
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

const std::string& ElementSpec::Id() const {
    return kind == Kind::Zone ? zone.id : kind == Kind::Label ? label.id : wall.id;
}

const std::string& ElementSpec::Path() const {
    return kind == Kind::Zone ? zone.path : kind == Kind::Label ? label.path : wall.path;
}

} // namespace Scenario
