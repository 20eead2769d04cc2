#include <map>

#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

const std::map<std::string, ActionKind>& ActionNames() {
    static const std::map<std::string, ActionKind> names = {
        {"openProject", ActionKind::OpenProject},
        {"newProject", ActionKind::NewProject},
        {"select", ActionKind::Select},
        {"menu", ActionKind::Menu},
        {"placeLabel", ActionKind::PlaceLabel},
        {"createZone", ActionKind::CreateZone},
        {"createLabel", ActionKind::CreateLabel},
        {"createWall", ActionKind::CreateWall},
        {"changeZone", ActionKind::ChangeZone},
        {"move", ActionKind::Move},
        {"editPolygon", ActionKind::EditPolygon},
        {"copy", ActionKind::Copy},
        {"delete", ActionKind::Delete},
        {"editParameters", ActionKind::EditParameters},
        {"changeLibraryPart", ActionKind::ChangeLibraryPart},
        {"paletteButton", ActionKind::PaletteButton},
        {"paletteClose", ActionKind::PaletteClose},
        {"paletteMessage", ActionKind::PaletteMessage},
        {"paletteResize", ActionKind::PaletteResize},
        {"setCurrentStory", ActionKind::SetCurrentStory},
        {"setLayer", ActionKind::SetLayer},
        {"addLayer", ActionKind::AddLayer},
        {"deleteLayer", ActionKind::DeleteLayer},
        {"applyLayerCombination", ActionKind::ApplyLayerCombination},
        {"addZoneCategory", ActionKind::AddZoneCategory},
        {"changeZoneCategory", ActionKind::ChangeZoneCategory},
        {"deleteZoneCategory", ActionKind::DeleteZoneCategory},
        {"lock", ActionKind::Lock},
        {"reserve", ActionKind::Reserve},
        {"suspendGroups", ActionKind::SuspendGroups},
        {"teamwork", ActionKind::Teamwork},
        {"undo", ActionKind::Undo},
        {"elementEvent", ActionKind::ElementEvent},
        {"fault", ActionKind::Fault},
        {"group", ActionKind::Group},
        {"ungroup", ActionKind::Ungroup},
    };
    return names;
}

std::string ActionList() {
    std::string list;
    for (const auto& entry : ActionNames())
        list += (list.empty() ? "" : ", ") + entry.first;
    return list;
}

std::string RequiredId(ObjectReader& reader, const char* key) {
    return reader.String(key, true).value_or("");
}

std::vector<std::string> RequiredIds(ObjectReader& reader, const char* key) {
    return reader.Strings(key, true).value_or(std::vector<std::string>{});
}

void ReadZoneChange(ObjectReader& reader, Action& action) {
    action.element = RequiredId(reader, "zone");
    ZoneChangeDesc& change = action.change;
    change.number = reader.String("number");
    change.name = reader.String("name");
    if (std::optional<std::int64_t> category = reader.Integer("category", 0, 0x7FFFFFFF))
        change.category = static_cast<std::int32_t>(*category);
    change.layer = reader.String("layer");
    if (const Json* areas = reader.Get("areas"))
        change.areas = ReadAreas(*areas, reader.PathOf("areas"), reader.GetDiagnostics());
    if (const Json* id = reader.Get("apartmentId")) {
        if (id->is_null())
            change.removeApartmentId = true;
        else
            change.apartmentId = ReadString(*id, reader.PathOf("apartmentId"), reader.GetDiagnostics());
    }
    change.parameters = ReadParametersField(reader);
    if (!change.number && !change.name && !change.category && !change.layer && !change.areas &&
        !change.parameters && !change.apartmentId && !change.removeApartmentId)
        reader.GetDiagnostics().Add(reader.GetPath(),
                                    "changeZone changes nothing (give number, name, category, "
                                    "layer, areas, apartmentId or parameters)");
}

// Pixels, as the user drags the palette's corner.
void ReadPaletteResize(ObjectReader& reader, Action& action) {
    const Json* by = reader.Get("by", true);
    if (by == nullptr)
        return;
    if (!by->is_array() || by->size() != 2) {
        reader.GetDiagnostics().Add(reader.PathOf("by"), "expected [dx, dy], found " + DescribeType(*by));
        return;
    }
    const std::optional<std::int64_t> dx =
        ReadInteger((*by)[0], IndexPath(reader.PathOf("by"), 0), reader.GetDiagnostics(), -2000, 2000);
    const std::optional<std::int64_t> dy =
        ReadInteger((*by)[1], IndexPath(reader.PathOf("by"), 1), reader.GetDiagnostics(), -2000, 2000);
    action.point = Point{static_cast<double>(dx.value_or(0)), static_cast<double>(dy.value_or(0))};
}

void ReadFields(ObjectReader& reader, Action& action) {
    switch (action.kind) {
    case ActionKind::OpenProject:
    case ActionKind::NewProject:
    case ActionKind::PaletteClose:
    case ActionKind::Undo:
        break;
    case ActionKind::Select:
        action.elements = RequiredIds(reader, "elements");
        break;
    case ActionKind::Menu:
        action.text = reader.String("item", true).value_or("");
        break;
    case ActionKind::PlaceLabel:
        action.id = reader.String("id").value_or("");
        action.point = reader.PointField("position", true).value_or(Point{});
        action.element = reader.String("zone").value_or("");
        action.text = reader.String("part").value_or("");
        break;
    case ActionKind::Group:
    case ActionKind::Ungroup:
        action.elements = RequiredIds(reader, "elements");
        if (const Json* ids = reader.Get("elements"); ids != nullptr && ids->is_array() && ids->empty())
            reader.GetDiagnostics().Add(reader.PathOf("elements"), "name at least one element");
        break;
    case ActionKind::CreateZone:
        action.zone = ReadZone(reader);
        action.id = action.zone.id;
        break;
    case ActionKind::CreateLabel:
        action.label = ReadLabel(reader);
        action.id = action.label.id;
        break;
    case ActionKind::CreateWall:
        action.wall = ReadWall(reader);
        action.id = action.wall.id;
        break;
    case ActionKind::ChangeZone:
        ReadZoneChange(reader, action);
        break;
    case ActionKind::Move:
        action.element = RequiredId(reader, "element");
        action.point = reader.PointField("offset", true).value_or(Point{});
        break;
    case ActionKind::EditPolygon:
        action.element = RequiredId(reader, "zone");
        action.polygon = reader.Points("polygon", true).value_or(std::vector<Point>{});
        break;
    case ActionKind::Copy:
        action.element = RequiredId(reader, "element");
        action.point = reader.PointField("offset").value_or(Point{});
        action.id = reader.String("id").value_or("");
        break;
    case ActionKind::Delete:
        action.elements = RequiredIds(reader, "elements");
        break;
    case ActionKind::EditParameters:
        action.element = RequiredId(reader, "element");
        action.parameters = ReadParametersField(reader, true).value_or(std::vector<ParameterValue>{});
        break;
    case ActionKind::ChangeLibraryPart:
        action.element = RequiredId(reader, "label");
        action.text = reader.String("part", true).value_or("");
        break;
    case ActionKind::PaletteButton:
        if (const Json* button = reader.Get("button", true)) {
            if (button->is_string())
                action.text = button->get<std::string>();
            else
                action.number = static_cast<std::int32_t>(
                    ReadInteger(*button, reader.PathOf("button"), reader.GetDiagnostics(), 1, 32767)
                        .value_or(0));
        }
        break;
    case ActionKind::PaletteMessage:
        action.number =
            static_cast<std::int32_t>(reader.Integer("message", -0x7FFFFFFF, 0x7FFFFFFF, true).value_or(0));
        break;
    case ActionKind::PaletteResize:
        ReadPaletteResize(reader, action);
        break;
    case ActionKind::SetCurrentStory:
        action.number = static_cast<std::int32_t>(reader.Integer("story", -32768, 32767, true).value_or(0));
        break;
    case ActionKind::SetLayer:
        action.text = reader.String("layer", true).value_or("");
        action.flag = reader.Bool("hidden").value_or(false);
        action.flag2 = reader.Bool("locked").value_or(false);
        break;
    case ActionKind::AddLayer:
        action.text = reader.String("name", true).value_or("");
        action.flag = reader.Bool("hidden").value_or(false);
        action.flag2 = reader.Bool("locked").value_or(false);
        break;
    case ActionKind::DeleteLayer:
        action.text = reader.String("layer", true).value_or("");
        break;
    case ActionKind::ApplyLayerCombination:
        action.text = reader.String("combination", true).value_or("");
        break;
    case ActionKind::AddZoneCategory:
    case ActionKind::ChangeZoneCategory:
    case ActionKind::DeleteZoneCategory:
        action.category = ReadZoneCategoryFields(reader, action.kind != ActionKind::AddZoneCategory);
        break;
    case ActionKind::Lock:
        action.elements = RequiredIds(reader, "elements");
        action.flag = reader.Bool("locked").value_or(true);
        break;
    case ActionKind::Reserve:
        action.elements = RequiredIds(reader, "elements");
        if (const Json* by = reader.Get("by", true))
            action.reservation = ReadReservation(*by, reader.PathOf("by"), reader.GetDiagnostics())
                                     .value_or(Reservation::Free);
        break;
    case ActionKind::SuspendGroups:
    case ActionKind::Teamwork:
        action.flag = reader.Bool("on", true).value_or(false);
        break;
    case ActionKind::ElementEvent:
        action.element = RequiredId(reader, "element");
        action.number =
            static_cast<std::int32_t>(reader.Integer("code", -0x7FFFFFFF, 0x7FFFFFFF, true).value_or(0));
        break;
    case ActionKind::Fault:
        // Without an operation the fault counts every host call, whatever its operation.
        action.operation = reader.String("operation").value_or("");
        if (reader.Has("operation") && action.operation.empty())
            reader.GetDiagnostics().Add(reader.PathOf("operation"),
                                        "empty operation name (leave it out for any operation)");
        action.call = static_cast<std::int32_t>(reader.Integer("call", 1, 0x7FFFFFFF).value_or(1));
        action.flag = reader.Bool("throw").value_or(false);
        // A thrown exception carries no code; a returned failure needs one.
        if (action.flag && reader.Has("code"))
            reader.GetDiagnostics().Add(reader.PathOf("code"), "a fault that throws has no code");
        action.code = reader.Code("code", !action.flag).value_or(0);
        action.repeat = reader.Bool("repeat").value_or(false);
        break;
    case ActionKind::Batch:
        break;
    }
}

std::vector<Action> ReadBatch(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    std::vector<Action> actions;
    if (!value.is_array()) {
        diagnostics.Add(path, "expected an array of actions, found " + DescribeType(value));
        return actions;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        ObjectReader reader(value[i], IndexPath(path, i), diagnostics);
        if (!reader.IsObject())
            continue;
        if (reader.Has("batch"))
            diagnostics.Add(reader.PathOf("batch"), "a batch cannot hold another batch");
        actions.push_back(ReadAction(reader));
        reader.Finish();
    }
    return actions;
}

Step ReadStep(const Json& value, std::size_t index, const std::string& path, Diagnostics& diagnostics) {
    Step step;
    step.path = path;
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return step;
    step.note = reader.String("note").value_or("");
    if (const Json* answers = reader.Get("answers"))
        step.answers = ReadAnswers(*answers, reader.PathOf("answers"), diagnostics);
    if (const Json* expectations = reader.Get("expect"))
        step.expectations = ReadExpectationList(*expectations, reader.PathOf("expect"), diagnostics,
                                                "/steps/" + std::to_string(index));
    if (const Json* batch = reader.Get("batch")) {
        if (reader.Has("action"))
            diagnostics.Add(path, "a step has either \"action\" or \"batch\", not both");
        step.action.kind = ActionKind::Batch;
        step.action.path = path;
        step.action.batch = ReadBatch(*batch, reader.PathOf("batch"), diagnostics);
        step.action.notify = reader.Bool("notify").value_or(true);
    } else {
        step.action = ReadAction(reader);
    }
    reader.Finish();
    return step;
}

} // namespace

const char* ActionName(ActionKind kind) {
    if (kind == ActionKind::Batch)
        return "batch";
    for (const auto& entry : ActionNames()) {
        if (entry.second == kind)
            return entry.first.c_str();
    }
    return "?";
}

Action ReadAction(ObjectReader& reader) {
    Action action;
    action.path = reader.GetPath();
    const std::optional<std::string> name = reader.String("action", true);
    if (!name)
        return action;
    const auto found = ActionNames().find(*name);
    if (found == ActionNames().end()) {
        reader.GetDiagnostics().Add(reader.PathOf("action"),
                                    "unknown action \"" + *name + "\" (known actions: " + ActionList() + ")");
        // Without knowing the action its other fields cannot be judged.
        reader.AllowAll();
        return action;
    }
    action.kind = found->second;
    action.notify = reader.Bool("notify").value_or(true);
    ReadFields(reader, action);
    return action;
}

std::vector<Step> ReadSteps(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    std::vector<Step> steps;
    if (!value.is_array()) {
        diagnostics.Add(path, "expected an array of steps, found " + DescribeType(value));
        return steps;
    }
    for (std::size_t i = 0; i < value.size(); ++i)
        steps.push_back(ReadStep(value[i], i, IndexPath(path, i), diagnostics));
    return steps;
}

} // namespace Scenario
