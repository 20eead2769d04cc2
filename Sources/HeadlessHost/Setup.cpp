#include <algorithm>

#include "HeadlessHost/InMemoryInternals.hpp"

namespace Headless {

void InMemoryHost::ResetToDefaults() {
    ClearProject();
    project_.stories.push_back(Story{0, GS::UniString("Ground Floor"), 0.0});
    AddLayer("Archicad Layer");
    API_Element defaults;
    defaults.header.type.typeID = API_LabelID;
    defaults.header.layer = 1;
    SetLabelDefaults(defaults, {});
}

void InMemoryHost::ClearProject() {
    project_ = ProjectModel();
    deleted_.clear();
    selection_.clear();
    currentStory_ = 0;
}

void InMemoryHost::SetStories(const std::vector<Story>& stories) {
    project_.stories = stories;
    std::stable_sort(project_.stories.begin(), project_.stories.end(),
                     [](const Story& a, const Story& b) { return a.index < b.index; });
    if (project_.FindStory(currentStory_) == nullptr)
        currentStory_ = project_.stories.empty() ? 0 : project_.stories.front().index;
}

API_AttributeIndex InMemoryHost::AddLayer(const std::string& name, Int16 flags) {
    const auto index = static_cast<API_AttributeIndex>(project_.layers.slots.size() + 1);
    project_.layers.slots.emplace_back(Layer{index, name, flags});
    for (LayerCombination& combination : project_.layerCombinations)
        combination.layerFlags.emplace(index, flags); // it joins every combination as it is
    return index;
}

API_AttributeIndex InMemoryHost::AddZoneCategory(const GS::UniString& code, const std::string& name) {
    const auto index = static_cast<API_AttributeIndex>(project_.zoneCategories.slots.size() + 1);
    project_.zoneCategories.slots.emplace_back(ZoneCategory{index, code, name});
    return index;
}

bool InMemoryHost::AddZoneCategoryAt(API_AttributeIndex index, const GS::UniString& code,
                                     const std::string& name) {
    auto& slots = project_.zoneCategories.slots;
    if (index < 1 || project_.zoneCategories.Find(index) != nullptr)
        return false;
    if (slots.size() < static_cast<std::size_t>(index))
        slots.resize(static_cast<std::size_t>(index));
    slots[static_cast<std::size_t>(index) - 1] = ZoneCategory{index, code, name};
    return true;
}

API_AttributeIndex InMemoryHost::AddLayerCombination(const std::string& name,
                                                     const std::map<API_AttributeIndex, Int16>& layerFlags) {
    const auto index = static_cast<API_AttributeIndex>(project_.layerCombinations.size() + 1);
    LayerCombination combination{index, name, layerFlags};
    // A combination holds every layer, so that applying it puts back whatever was changed since;
    // the layers not named are held as they are now.
    for (const std::optional<Layer>& layer : project_.layers.slots) {
        if (layer)
            combination.layerFlags.emplace(layer->index, layer->flags);
    }
    project_.layerCombinations.push_back(std::move(combination));
    return index;
}

API_Guid InMemoryHost::NextGuid() {
    // Serial number and a fixed seed: the same project gives the same GUIDs in every run.
    API_Guid guid;
    guid.time_low = nextGuidNumber_++;
    guid.time_mid = 0x5A4D;
    guid.time_hi_and_version = 0x4001;
    guid.clock_seq_hi_and_reserved = 0x80;
    guid.clock_seq_low = 0x00;
    const UInt8 node[6] = {'H', 'E', 'A', 'D', 'L', 'S'};
    std::copy(node, node + 6, guid.node);
    return guid;
}

bool InMemoryHost::IsBuiltInPart(Int32 libInd) const {
    const LibPartRecord* part = FindLibraryPart(libInd);
    return part != nullptr && part->fileResourceId >= 0;
}

std::string InMemoryHost::NextName(const ElementRecord& record) {
    std::string prefix = "element";
    switch (record.GetTypeId()) {
    case API_ZoneID:
        prefix = "zone";
        break;
    case API_WallID:
        prefix = "wall";
        break;
    case API_LabelID:
        prefix = IsBuiltInPart(record.element.label.libInd) ? "stamp" : "label";
        break;
    default:
        break;
    }
    std::string name;
    do {
        name = prefix + "-" + std::to_string(++nameCounters_[prefix]);
    } while (usedNames_.count(name) != 0);
    return name;
}

ElementRecord& InMemoryHost::InsertNew(ElementRecord record, const std::string& name) {
    record.serial = nextSerial_++;
    record.element.header.guid = NextGuid();
    record.name = name.empty() ? NextName(record) : name;
    usedNames_.insert(record.name);
    return project_.Insert(std::move(record));
}

API_Guid InMemoryHost::AddZone(const ZoneDesc& desc, std::string* error) {
    ElementRecord record;
    if (!BuildZone(desc, &record, error))
        return APINULLGuid;
    return InsertNew(std::move(record), desc.name).GetGuid();
}

API_Guid InMemoryHost::AddLabel(const LabelDesc& desc, std::string* error) {
    ElementRecord record;
    if (!BuildLabel(desc, &record, error))
        return APINULLGuid;
    return InsertNew(std::move(record), desc.name).GetGuid();
}

API_Guid InMemoryHost::AddWall(const WallDesc& desc, std::string* error) {
    ElementRecord record;
    if (!BuildWall(desc, &record, error))
        return APINULLGuid;
    return InsertNew(std::move(record), desc.name).GetGuid();
}

void InMemoryHost::SetObserved(const API_Guid& guid, bool observed) {
    if (ElementRecord* record = FindLive(guid))
        record->observed = observed;
}

bool InMemoryHost::AddLink(const API_Guid& from, const API_Guid& to) {
    ElementRecord* source = FindLive(from);
    if (source == nullptr || FindLive(to) == nullptr)
        return false;
    if (std::find(source->links.begin(), source->links.end(), to) == source->links.end())
        source->links.push_back(to);
    return true;
}

API_Guid InMemoryHost::GroupElements(const std::vector<API_Guid>& guids) {
    const API_Guid group = NextGuid();
    for (const API_Guid& guid : guids) {
        if (ElementRecord* record = FindLive(guid))
            record->element.header.groupGuid = group;
    }
    return group;
}

void InMemoryHost::SetLabelDefaults(const API_Element& element, const ParameterList& parameters) {
    labelDefaults_ = ElementRecord();
    labelDefaults_.element = element;
    labelDefaults_.element.header.type.typeID = API_LabelID;
    labelDefaults_.element.header.guid = APINULLGuid;
    labelDefaults_.parameters = parameters;
}

bool InMemoryHost::SetCurrentStory(Int16 index) {
    if (project_.FindStory(index) == nullptr)
        return false;
    currentStory_ = index;
    return true;
}

void InMemoryHost::SetSelection(const std::vector<API_Guid>& guids) {
    selection_.clear();
    for (const API_Guid& guid : guids) {
        const ElementRecord* record = FindLive(guid);
        if (record == nullptr)
            continue;
        API_Neig neig;
        neig.guid = guid;
        switch (record->GetTypeId()) {
        case API_ZoneID:
            neig.neigID = APINeig_Zone;
            break;
        case API_LabelID:
            neig.neigID = APINeig_Label;
            break;
        case API_WallID:
            neig.neigID = APINeig_Wall;
            break;
        default:
            neig.neigID = APINeig_None;
            break;
        }
        selection_.push_back(neig);
    }
}

bool InMemoryHost::SetElementLock(const API_Guid& guid, UInt16 lockId) {
    ElementRecord* record = FindLive(guid);
    if (record == nullptr)
        return false;
    record->element.header.lockId = lockId;
    return true;
}

bool InMemoryHost::SetReservation(const API_Guid& guid, Reservation reservation) {
    ElementRecord* record = FindLive(guid);
    if (record == nullptr)
        return false;
    record->reservation = reservation;
    reservedByAddOn_.erase(guid); // the user's reservation, whatever the add-on did before
    return true;
}

} // namespace Headless
