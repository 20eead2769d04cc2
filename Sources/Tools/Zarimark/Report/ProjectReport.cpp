#include <map>

#include "Host/APIGuid.hpp"
#include "Report/ReportBuilder.hpp"

// The project's settings as the host holds them now, whatever the scenario or the add-on did.

namespace Report {

namespace {

Json LayerNameOrNull(const Headless::HeadlessHost& host, API_AttributeIndex index) {
    const Headless::Layer* layer = host.FindLayer(index);
    return layer != nullptr ? Json(layer->name) : Json();
}

} // namespace

Json LayersJson(const Headless::HeadlessHost& host) {
    Json layers = Json::array();
    const auto& slots = host.GetProject().layers.slots;
    for (const std::optional<Headless::Layer>& layer : slots) {
        if (!layer)
            continue;
        layers.push_back(Json{{"index", layer->index},
                              {"name", layer->name},
                              {"hidden", (layer->flags & APILay_Hidden) != 0},
                              {"locked", (layer->flags & APILay_Locked) != 0}});
    }
    return layers;
}

Json LayerCombinationJson(const Headless::HeadlessHost& host) {
    const API_AttributeIndex index = host.GetCurrentLayerCombination();
    const auto& combinations = host.GetProject().layerCombinations;
    if (index < 1 || static_cast<std::size_t>(index) > combinations.size())
        return Json();
    return Json{{"index", index}, {"name", combinations[index - 1].name}};
}

Json LabelDefaultsJson(const Headless::HeadlessHost& host) {
    const Headless::ElementRecord& defaults = host.GetLabelDefaults();
    const API_LabelType& label = defaults.element.label;
    const Headless::LibPartRecord* part = label.libInd != 0 ? host.FindLibraryPart(label.libInd) : nullptr;
    return Json{{"part", part != nullptr ? Json(part->desc.name.ToUtf8()) : Json()},
                {"layer", LayerNameOrNull(host, defaults.element.header.layer)},
                {"layerIndex", defaults.element.header.layer},
                {"class", label.labelClass == APILblClass_Text ? "text" : "symbol"},
                {"parameters", ParametersJson(defaults.parameters, "")}};
}

Json GroupsJson(const Headless::HeadlessHost& host) {
    std::vector<std::string> order;      // group GUIDs as texts, by their first member
    std::map<std::string, Json> members; // by group
    for (const API_Guid& guid : host.GetElements()) {
        const Headless::ElementRecord* record = host.FindElement(guid);
        if (record == nullptr || record->element.header.groupGuid == APINULLGuid)
            continue;
        const std::string group = APIGuidToString(record->element.header.groupGuid);
        if (members.count(group) == 0) {
            order.push_back(group);
            members[group] = Json::array();
        }
        members[group].push_back(record->name);
    }
    Json groups = Json::array();
    for (const std::string& group : order)
        groups.push_back(members[group]);
    return groups;
}

} // namespace Report
