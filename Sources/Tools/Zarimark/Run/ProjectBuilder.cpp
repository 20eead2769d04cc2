#include "Run/ProjectBuilder.hpp"

#include <algorithm>

#include "Run/ParameterConversion.hpp"
#include "Scenario/JsonReader.hpp"

namespace Run {

namespace {

Int16 LayerFlags(bool hidden, bool locked) {
    return static_cast<Int16>((hidden ? APILay_Hidden : 0) | (locked ? APILay_Locked : 0));
}

RunFailure BuildStories(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    std::vector<Headless::Story> stories;
    for (const Scenario::StoryDesc& story : project.stories)
        stories.push_back({story.index, GS::UniString(story.name), story.level});
    if (stories.empty())
        stories.push_back({0, GS::UniString("Ground Floor"), 0.0});
    host.SetStories(stories);
    host.SetCurrentStory(project.currentStory);
    return {};
}

// Explicit indices leave gaps: the host hands out indices in order, so placeholders fill the
// gap and are deleted again, as a layer or category the user deleted.
template <typename Add, typename Delete>
RunFailure FillTo(API_AttributeIndex wanted, API_AttributeIndex next, const std::string& path,
                  const char* what, Add add, Delete remove) {
    if (wanted < next)
        return RunFailure::InScenario(path, std::string("the ") + what + " index " + std::to_string(wanted) +
                                                " is already taken (indices must grow in file order)");
    while (next < wanted) {
        remove(add());
        ++next;
    }
    return {};
}

RunFailure BuildLayers(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    API_AttributeIndex next = 1;
    if (project.layers.empty()) {
        host.AddLayer("Archicad Layer", 0);
        return {};
    }
    for (const Scenario::LayerDesc& layer : project.layers) {
        if (layer.index) {
            if (RunFailure failure = FillTo(
                    *layer.index, next, Scenario::KeyPath(layer.path, "index"), "layer",
                    [&] { return host.AddLayer("(deleted)", 0); },
                    [&](API_AttributeIndex index) { host.DeleteLayer(index); }))
                return failure;
        }
        next = host.AddLayer(layer.name, LayerFlags(layer.hidden, layer.locked)) + 1;
    }
    for (const Scenario::LayerCombinationDesc& combination : project.layerCombinations) {
        std::map<API_AttributeIndex, Int16> flags;
        for (const auto& entry : combination.layers)
            flags[FindLayerIndex(host, entry.layer)] = LayerFlags(entry.hidden, entry.locked);
        host.AddLayerCombination(combination.name, flags);
    }
    return {};
}

void ApplyCurrentCombination(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    for (std::size_t i = 0; i < project.layerCombinations.size(); ++i) {
        if (project.layerCombinations[i].name == project.currentLayerCombination)
            host.ApplyLayerCombination(static_cast<API_AttributeIndex>(i + 1));
    }
}

RunFailure BuildZoneCategories(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    std::vector<Scenario::ZoneCategoryDesc> categories = project.zoneCategories;
    std::stable_sort(categories.begin(), categories.end(),
                     [](const auto& a, const auto& b) { return a.index < b.index; });
    API_AttributeIndex next = 1;
    for (const Scenario::ZoneCategoryDesc& category : categories) {
        if (RunFailure failure = FillTo(
                category.index, next, Scenario::KeyPath(category.path, "index"), "zone category",
                [&] { return host.AddZoneCategory(GS::UniString(), "(deleted)"); },
                [&](API_AttributeIndex index) { host.DeleteZoneCategory(index); }))
            return failure;
        next = host.AddZoneCategory(GS::UniString(category.code), category.name) + 1;
    }
    return {};
}

RunFailure BuildLibraryParts(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    for (const Scenario::LibraryPartDesc& part : project.libraryParts) {
        Headless::LibPartDesc desc;
        desc.name = GS::UniString(part.name);
        desc.uniqueId = part.name;
        desc.typeID = API_LabelID;
        if (RunFailure failure = ToParameterList(part.parameters, &desc.parameters))
            return failure;
        host.AddLibraryPart(desc);
    }
    return {};
}

RunFailure AddLabel(Headless::HeadlessHost& host, const Scenario::LabelDesc& label, API_Guid* guid) {
    Headless::LabelDesc desc;
    if (RunFailure failure = ToHostLabel(host, label, &desc))
        return failure;
    if (!label.parent.empty())
        desc.parent = host.FindElementByName(label.parent)->GetGuid();
    Headless::ParameterList parameters;
    if (RunFailure failure =
            ToLabelParameters(host, desc.libInd, label.parameters, label.without, &parameters))
        return failure;
    desc.parameters = parameters;
    std::string error;
    *guid = host.AddLabel(desc, &error);
    if (*guid == APINULLGuid)
        return RunFailure::InScenario(label.path, error);
    // The host completes a label's list from its part; a list that lacks some is set afterwards,
    // with the label's layer open for that moment (a stale stamp may sit on a hidden layer).
    if (!label.without.empty()) {
        const Headless::Layer* layer = host.FindLayer(desc.layer);
        const Int16 flags = layer != nullptr ? layer->flags : 0;
        host.SetLayerFlags(desc.layer, 0);
        const GSErrCode result = host.SetElementParameters(*guid, parameters);
        host.SetLayerFlags(desc.layer, flags);
        if (result != NoError)
            return RunFailure::OfHost("the host refused the parameters of \"" + label.id + "\" (" +
                                      std::to_string(result) + ")");
    }
    return {};
}

RunFailure AddElement(Headless::HeadlessHost& host, const Scenario::ElementDesc& element, API_Guid* guid) {
    std::string error;
    if (element.kind == Scenario::ElementDesc::Kind::Label)
        return AddLabel(host, element.label, guid);
    if (element.kind == Scenario::ElementDesc::Kind::Zone) {
        Headless::ZoneDesc desc = ToHostZone(host, element.zone);
        if (RunFailure failure = ToParameterList(element.zone.parameters, &desc.parameters))
            return failure;
        *guid = host.AddZone(desc, &error);
    } else {
        *guid = host.AddWall(ToHostWall(host, element.wall), &error);
    }
    return *guid == APINULLGuid ? RunFailure::InScenario(element.Path(), error) : RunFailure{};
}

const Scenario::ElementState& StateOf(const Scenario::ElementDesc& element) {
    return element.kind == Scenario::ElementDesc::Kind::Zone    ? element.zone.state
           : element.kind == Scenario::ElementDesc::Kind::Label ? element.label.state
                                                                : element.wall.state;
}

void ApplyStates(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    for (const Scenario::ElementDesc& element : project.elements) {
        const API_Guid guid = host.FindElementByName(element.Id())->GetGuid();
        const Scenario::ElementState& state = StateOf(element);
        const bool stamp =
            element.kind == Scenario::ElementDesc::Kind::Label && element.label.part == StampPartName;
        host.SetObserved(guid, state.observed.value_or(stamp));
        if (state.locked)
            host.SetElementLock(guid, 1);
        host.SetReservation(guid, ToHostReservation(state.reservation));
    }
    for (const std::vector<std::string>& group : project.groups) {
        std::vector<API_Guid> members;
        for (const std::string& id : group)
            members.push_back(host.FindElementByName(id)->GetGuid());
        host.GroupElements(members);
    }
    host.SetTeamworkMode(project.teamwork);
    host.SetSuspendGroups(project.suspendGroups);
}

RunFailure BuildLinks(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    for (const Scenario::ElementDesc& element : project.elements) {
        if (element.kind != Scenario::ElementDesc::Kind::Label)
            continue;
        const API_Guid label = host.FindElementByName(element.label.id)->GetGuid();
        for (const std::string& id : element.label.links) {
            const API_Guid other = host.FindElementByName(id)->GetGuid();
            host.AddLink(other, label);
            host.AddLink(label, other);
        }
    }
    for (const Scenario::LinkDesc& link : project.links)
        host.AddLink(host.FindElementByName(link.from)->GetGuid(),
                     host.FindElementByName(link.to)->GetGuid());
    return {};
}

RunFailure BuildLabelDefaults(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    if (!project.labelDefaults)
        return {};
    const Scenario::LabelDefaultsDesc& defaults = *project.labelDefaults;
    API_Element element;
    element.header.type.typeID = API_LabelID;
    element.header.layer = defaults.layerIndex.value_or(FindLayerIndex(host, defaults.layer));
    element.label.libInd = FindLibPartIndex(host, defaults.part);
    if (!defaults.part.empty() && element.label.libInd == 0)
        return MissingLibraryPart(defaults.part);
    element.label.labelClass = defaults.textClass ? APILblClass_Text : APILblClass_Symbol;
    Headless::ParameterList parameters;
    if (RunFailure failure =
            ToLabelParameters(host, element.label.libInd, defaults.parameters, defaults.without, &parameters))
        return failure;
    host.SetLabelDefaults(element, parameters);
    return {};
}

void BuildPreferences(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    if (!project.preferences)
        return;
    Headless::StoredPreferences stored;
    stored.present = true;
    stored.version = project.preferences->version;
    stored.data = project.preferences->bytes;
    stored.platformSign = project.preferences->platformSign;
    host.SetStoredPreferences(stored);
}

} // namespace

API_AttributeIndex FindLayerIndex(const Headless::HeadlessHost& host, const std::string& name) {
    const auto& slots = host.GetProject().layers.slots;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i] && (name.empty() || slots[i]->name == name))
            return static_cast<API_AttributeIndex>(i + 1);
    }
    return 0;
}

Int32 FindLibPartIndex(const Headless::HeadlessHost& host, const std::string& name) {
    if (name.empty())
        return 0;
    const Headless::LibPartRecord* part = host.FindLibraryPartByName(GS::UniString(name));
    return part != nullptr ? part->index : 0;
}

API_Coord ToCoord(const Scenario::Point& point) {
    return API_Coord{point.x, point.y};
}

Headless::ZoneAreaDesc ToHostAreas(const Scenario::AreaDesc& areas) {
    Headless::ZoneAreaDesc desc;
    desc.a = areas.a;
    desc.b = areas.b;
    desc.c = areas.c;
    desc.d = areas.d;
    desc.e = areas.e;
    return desc;
}

Headless::Reservation ToHostReservation(Scenario::Reservation reservation) {
    switch (reservation) {
    case Scenario::Reservation::ThisUser:
        return Headless::Reservation::ThisUser;
    case Scenario::Reservation::OtherMember:
        return Headless::Reservation::OtherMember;
    default:
        return Headless::Reservation::Free;
    }
}

Headless::ZoneDesc ToHostZone(const Headless::HeadlessHost& host, const Scenario::ZoneDesc& zone) {
    Headless::ZoneDesc desc;
    desc.name = zone.id;
    desc.story = zone.story;
    desc.layer = FindLayerIndex(host, zone.layer);
    desc.number = GS::UniString(zone.number);
    desc.roomName = GS::UniString(zone.name);
    desc.category = zone.category;
    desc.position = ToCoord(zone.position);
    for (const Scenario::Point& point : zone.polygon)
        desc.polygon.push_back(ToCoord(point));
    desc.areas = ToHostAreas(zone.areas);
    return desc;
}

Headless::WallDesc ToHostWall(const Headless::HeadlessHost& host, const Scenario::WallDesc& wall) {
    Headless::WallDesc desc;
    desc.name = wall.id;
    desc.story = wall.story;
    desc.layer = FindLayerIndex(host, wall.layer);
    desc.begC = ToCoord(wall.begin);
    desc.endC = ToCoord(wall.end);
    return desc;
}

RunFailure ToHostLabel(const Headless::HeadlessHost& host, const Scenario::LabelDesc& label,
                       Headless::LabelDesc* desc) {
    desc->name = label.id;
    desc->story = label.story;
    desc->layer = FindLayerIndex(host, label.layer);
    desc->libInd = FindLibPartIndex(host, label.part);
    if (!label.part.empty() && desc->libInd == 0)
        return MissingLibraryPart(label.part);
    desc->labelClass = label.textClass ? APILblClass_Text : APILblClass_Symbol;
    desc->begC = ToCoord(label.begin);
    desc->midC = ToCoord(label.middle);
    desc->endC = ToCoord(label.end);
    return {};
}

RunFailure MissingLibraryPart(const std::string& name) {
    return RunFailure::OfHost("the module registered no library part \"" + name + "\"");
}

RunFailure ToParameterList(const std::vector<Scenario::ParameterValue>& values,
                           Headless::ParameterList* list) {
    list->clear();
    for (const Scenario::ParameterValue& value : values) {
        Headless::Parameter parameter;
        std::string error;
        if (!ToHostParameter(value, nullptr, &parameter, &error))
            return RunFailure::InScenario(value.path, error);
        list->push_back(parameter);
    }
    return {};
}

RunFailure ToLabelParameters(const Headless::HeadlessHost& host, Int32 libInd,
                             const std::vector<Scenario::ParameterValue>& values,
                             const std::vector<std::string>& without, Headless::ParameterList* list) {
    const Headless::LibPartRecord* part = host.FindLibraryPart(libInd);
    const Headless::ParameterList declared =
        part != nullptr ? part->desc.parameters : Headless::ParameterList{};
    std::string path;
    std::string error;
    if (!MergeParameterValues(declared, values, without, list, &path, &error))
        return RunFailure::InScenario(path, error);
    return {};
}

RunFailure BuildProject(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project) {
    host.ClearProject();
    for (auto build : {BuildStories, BuildLayers, BuildZoneCategories, BuildLibraryParts}) {
        if (RunFailure failure = build(host, project))
            return failure;
    }
    for (const Scenario::ElementDesc& element : project.elements) {
        API_Guid guid;
        if (RunFailure failure = AddElement(host, element, &guid))
            return failure;
    }
    if (RunFailure failure = BuildLinks(host, project))
        return failure;
    ApplyStates(host, project);
    if (RunFailure failure = BuildLabelDefaults(host, project))
        return failure;
    BuildPreferences(host, project);
    ApplyCurrentCombination(host, project);
    host.ClearSelection();
    host.ClearDeliveredBatches();
    return {};
}

} // namespace Run
