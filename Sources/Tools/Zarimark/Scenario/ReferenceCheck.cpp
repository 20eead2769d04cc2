#include <map>
#include <regex>
#include <set>

#include "Host/HostCatalogue.hpp"
#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

constexpr const char* StampPartName = "Zarimark.gsm";

// What a scenario has declared so far, in file order.
class Names {
public:
    explicit Names(Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

    void DeclareElement(const std::string& id, const std::string& path) {
        if (id.empty())
            return;
        if (IsGeneratedName(id)) {
            diagnostics_.Add(path, "the id \"" + id +
                                       "\" has the form the host uses for elements the add-on "
                                       "creates; choose another id");
        } else if (!elements_.insert(id).second) {
            diagnostics_.Add(path, "the id \"" + id + "\" is used twice");
        }
    }
    void Element(const std::string& id, const std::string& path) {
        if (!id.empty() && elements_.count(id) == 0 && !IsGeneratedName(id))
            diagnostics_.Add(path, "unknown element \"" + id + "\"" + Known(elements_));
    }
    void Elements(const std::vector<std::string>& ids, const std::string& path) {
        for (std::size_t i = 0; i < ids.size(); ++i)
            Element(ids[i], IndexPath(path, i));
    }
    void DeclareLayer(const std::string& name, const std::string& path) {
        if (!layers_.insert(name).second)
            diagnostics_.Add(path, "the layer \"" + name + "\" is declared twice");
    }
    void Layer(const std::string& name, const std::string& path) {
        if (!name.empty() && layers_.count(name) == 0)
            diagnostics_.Add(path, "unknown layer \"" + name + "\"" + Known(layers_));
    }
    void DeclareStory(std::int16_t index, const std::string& path) {
        if (!stories_.insert(std::to_string(index)).second)
            diagnostics_.Add(path, "the story " + std::to_string(index) + " is declared twice");
    }
    void Story(std::int32_t index, const std::string& path) {
        if (stories_.count(std::to_string(index)) == 0)
            diagnostics_.Add(path, "unknown story " + std::to_string(index) + Known(stories_));
    }
    void DeclarePart(const std::string& name, const std::string& path) {
        if (name == StampPartName || !parts_.insert(name).second)
            diagnostics_.Add(path, "the library part \"" + name + "\" is declared twice (\"" + StampPartName +
                                       "\" is the add-on's own)");
    }
    void Part(const std::string& name, const std::string& path) {
        if (!name.empty() && name != StampPartName && parts_.count(name) == 0)
            diagnostics_.Add(path, "unknown library part \"" + name +
                                       "\" (declare it in project.libraryParts; \"" + StampPartName +
                                       "\" is the add-on's own)");
    }
    void DeclareCombination(const std::string& name, const std::string& path) {
        if (!combinations_.insert(name).second)
            diagnostics_.Add(path, "the layer combination \"" + name + "\" is declared twice");
    }
    void Combination(const std::string& name, const std::string& path) {
        if (combinations_.count(name) == 0)
            diagnostics_.Add(path, "unknown layer combination \"" + name + "\"" + Known(combinations_));
    }

private:
    static std::string Known(const std::set<std::string>& names) {
        if (names.empty())
            return " (none is declared)";
        std::string list;
        for (const std::string& name : names)
            list += (list.empty() ? "" : ", ") + name;
        return names.size() > 12 ? std::string() : " (known: " + list + ")";
    }

    Diagnostics& diagnostics_;
    std::set<std::string> elements_;
    std::set<std::string> layers_;
    std::set<std::string> stories_;
    std::set<std::string> parts_;
    std::set<std::string> combinations_;
};

void CheckZone(const ZoneDesc& zone, Names& names) {
    names.Story(zone.story, KeyPath(zone.path, "story"));
    names.Layer(zone.layer, KeyPath(zone.path, "layer"));
}

void CheckLabel(const LabelDesc& label, Names& names) {
    names.Story(label.story, KeyPath(label.path, "story"));
    names.Layer(label.layer, KeyPath(label.path, "layer"));
    names.Part(label.part, KeyPath(label.path, "part"));
    if (!label.parent.empty())
        names.Element(label.parent, KeyPath(label.path, "parent"));
}

void CheckWall(const WallDesc& wall, Names& names) {
    names.Story(wall.story, KeyPath(wall.path, "story"));
    names.Layer(wall.layer, KeyPath(wall.path, "layer"));
}

void CheckPolygon(const std::vector<Point>& polygon, const std::string& path, Diagnostics& diagnostics) {
    if (!polygon.empty() && polygon.size() < 3)
        diagnostics.Add(path, "a polygon has at least three points");
}

void CheckProject(const ProjectDesc& project, Names& names, Diagnostics& diagnostics) {
    if (project.stories.empty())
        names.DeclareStory(0, KeyPath(project.path, "stories"));
    for (std::size_t i = 0; i < project.stories.size(); ++i)
        names.DeclareStory(project.stories[i].index, IndexPath(KeyPath(project.path, "stories"), i));
    names.Story(project.currentStory, KeyPath(project.path, "currentStory"));
    if (project.layers.empty())
        names.DeclareLayer("Archicad Layer", KeyPath(project.path, "layers"));
    std::set<std::int32_t> layerIndices;
    for (const LayerDesc& layer : project.layers) {
        names.DeclareLayer(layer.name, layer.path);
        if (layer.index && !layerIndices.insert(*layer.index).second)
            diagnostics.Add(KeyPath(layer.path, "index"),
                            "the layer index " + std::to_string(*layer.index) + " is used twice");
    }
    for (const LayerCombinationDesc& combination : project.layerCombinations) {
        names.DeclareCombination(combination.name, combination.path);
        for (std::size_t i = 0; i < combination.layers.size(); ++i)
            names.Layer(combination.layers[i].layer,
                        KeyPath(IndexPath(KeyPath(combination.path, "layers"), i), "layer"));
    }
    if (!project.currentLayerCombination.empty())
        names.Combination(project.currentLayerCombination, KeyPath(project.path, "currentLayerCombination"));
    std::set<std::int32_t> categoryIndices;
    for (const ZoneCategoryDesc& category : project.zoneCategories) {
        if (!categoryIndices.insert(category.index).second)
            diagnostics.Add(KeyPath(category.path, "index"),
                            "the zone category index " + std::to_string(category.index) + " is used twice");
    }
    for (const LibraryPartDesc& part : project.libraryParts)
        names.DeclarePart(part.name, KeyPath(part.path, "name"));
    for (const ElementDesc& element : project.elements) {
        if (element.kind == ElementDesc::Kind::Zone) {
            CheckZone(element.zone, names);
            CheckPolygon(element.zone.polygon, KeyPath(element.zone.path, "polygon"), diagnostics);
        } else if (element.kind == ElementDesc::Kind::Label) {
            CheckLabel(element.label, names);
        } else {
            CheckWall(element.wall, names);
        }
        names.DeclareElement(element.Id(), KeyPath(element.Path(), "id"));
    }
    for (const ElementDesc& element : project.elements) {
        if (element.kind == ElementDesc::Kind::Label)
            names.Elements(element.label.links, KeyPath(element.label.path, "links"));
    }
    for (const LinkDesc& link : project.links) {
        names.Element(link.from, KeyPath(link.path, "from"));
        names.Element(link.to, KeyPath(link.path, "to"));
    }
    for (std::size_t i = 0; i < project.groups.size(); ++i)
        names.Elements(project.groups[i], IndexPath(KeyPath(project.path, "groups"), i));
    if (project.labelDefaults) {
        names.Part(project.labelDefaults->part, KeyPath(project.labelDefaults->path, "part"));
        names.Layer(project.labelDefaults->layer, KeyPath(project.labelDefaults->path, "layer"));
    }
}

void CheckAction(const Action& action, Names& names, Diagnostics& diagnostics) {
    const auto at = [&](const char* key) { return KeyPath(action.path, key); };
    switch (action.kind) {
    case ActionKind::Select:
    case ActionKind::Delete:
    case ActionKind::Lock:
    case ActionKind::Reserve:
    case ActionKind::Group:
    case ActionKind::Ungroup:
        names.Elements(action.elements, at("elements"));
        break;
    case ActionKind::PlaceLabel:
        if (!action.element.empty())
            names.Element(action.element, at("zone"));
        names.Part(action.text, at("part"));
        break;
    case ActionKind::CreateZone:
        CheckZone(action.zone, names);
        CheckPolygon(action.zone.polygon, at("polygon"), diagnostics);
        break;
    case ActionKind::CreateLabel:
        CheckLabel(action.label, names);
        if (!action.label.links.empty())
            diagnostics.Add(at("links"), "a label the user creates has no links");
        break;
    case ActionKind::CreateWall:
        CheckWall(action.wall, names);
        break;
    case ActionKind::ChangeZone:
        names.Element(action.element, at("zone"));
        if (action.change.layer)
            names.Layer(*action.change.layer, at("layer"));
        break;
    case ActionKind::EditPolygon:
        names.Element(action.element, at("zone"));
        CheckPolygon(action.polygon, at("polygon"), diagnostics);
        break;
    case ActionKind::Move:
    case ActionKind::Copy:
    case ActionKind::EditParameters:
    case ActionKind::ElementEvent:
        names.Element(action.element, at("element"));
        break;
    case ActionKind::ChangeLibraryPart:
        names.Element(action.element, at("label"));
        names.Part(action.text, at("part"));
        break;
    case ActionKind::SetCurrentStory:
        names.Story(action.number, at("story"));
        break;
    case ActionKind::SetLayer:
    case ActionKind::DeleteLayer:
        names.Layer(action.text, at("layer"));
        break;
    case ActionKind::AddLayer:
        names.DeclareLayer(action.text, at("name"));
        break;
    case ActionKind::ApplyLayerCombination:
        names.Combination(action.text, at("combination"));
        break;
    case ActionKind::PaletteButton:
        if (!action.text.empty() && action.text != "Check Rooms" && action.text != "Update Wrong Stamps" &&
            action.text != "Update All Stamps")
            diagnostics.Add(at("button"), "unknown palette button \"" + action.text +
                                              "\" (\"Check Rooms\", \"Update Wrong Stamps\", \"Update All "
                                              "Stamps\", or an item number)");
        break;
    case ActionKind::Fault:
        if (!action.operation.empty() && !Host::IsOperationName(action.operation))
            diagnostics.Add(at("operation"), "unknown host operation \"" + action.operation + "\"");
        break;
    case ActionKind::Batch:
        for (const Action& inner : action.batch)
            CheckAction(inner, names, diagnostics);
        break;
    default:
        break;
    }
    if (action.kind == ActionKind::PlaceLabel || action.kind == ActionKind::CreateZone ||
        action.kind == ActionKind::CreateLabel || action.kind == ActionKind::CreateWall ||
        action.kind == ActionKind::Copy)
        names.DeclareElement(action.id, at("id"));
}

} // namespace

bool IsGeneratedName(const std::string& name) {
    static const std::regex generated("(zone|label|stamp|wall|element)-[0-9]+");
    return std::regex_match(name, generated);
}

void CheckReferences(const Scenario& scenario, Diagnostics& diagnostics) {
    Names names(diagnostics);
    CheckProject(scenario.project, names, diagnostics);
    for (const Step& step : scenario.steps)
        CheckAction(step.action, names, diagnostics);
    CheckGroupsAndCategories(scenario, diagnostics);
}

} // namespace Scenario
