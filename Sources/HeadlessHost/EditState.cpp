#include "HeadlessHost/EditState.hpp"

#include "Formats/Hex.hpp"

namespace Headless {

namespace {

std::string FlagsText(Int16 flags) {
    std::string text = (flags & APILay_Hidden) != 0 ? "hidden" : "shown";
    text += (flags & APILay_Locked) != 0 ? ", locked" : ", unlocked";
    const Int16 others = static_cast<Int16>(flags & ~(APILay_Hidden | APILay_Locked));
    if (others != 0)
        text += ", other flags " + Formats::HexNumber(static_cast<UInt16>(others), 4);
    return text;
}

std::string CombinationText(const ProjectModel& project, API_AttributeIndex index) {
    if (index < 1 || static_cast<std::size_t>(index) > project.layerCombinations.size())
        return index < 1 ? "none" : std::to_string(index);
    return "\"" + project.layerCombinations[static_cast<std::size_t>(index) - 1].name + "\"";
}

void CompareLayers(const EditState& before, const ProjectModel& project,
                   std::vector<EditStateChange>& changes) {
    for (const auto& [index, flags] : before.layerFlags) {
        const Layer* layer = project.layers.Find(index);
        if (layer != nullptr && layer->flags != flags)
            changes.push_back({EditStateChange::Setting::Layer, "layer \"" + layer->name + "\"",
                               FlagsText(flags), FlagsText(layer->flags)});
    }
}

// Both sides are in creation order, so one walk pairs them.
void CompareLocks(const EditState& before, const ProjectModel& project,
                  std::vector<EditStateChange>& changes) {
    auto locked = before.lockedSerials.begin();
    for (const auto& [serial, record] : project.elements) {
        if (serial >= before.nextSerial)
            break;
        while (locked != before.lockedSerials.end() && *locked < serial)
            ++locked;
        const bool wasLocked = locked != before.lockedSerials.end() && *locked == serial;
        const bool isLocked = record.element.header.lockId != 0;
        if (wasLocked != isLocked)
            changes.push_back({EditStateChange::Setting::Lock, "lock of \"" + record.name + "\"",
                               wasLocked ? "locked" : "unlocked", isLocked ? "locked" : "unlocked"});
    }
}

} // namespace

EditState CaptureEditState(const ProjectModel& project, bool suspendGroups, UInt64 nextSerial) {
    EditState state;
    for (const std::optional<Layer>& layer : project.layers.slots) {
        if (layer)
            state.layerFlags.emplace_back(layer->index, layer->flags);
    }
    state.combination = project.currentLayerCombination;
    state.suspendGroups = suspendGroups;
    for (const auto& [serial, record] : project.elements) {
        if (record.element.header.lockId != 0)
            state.lockedSerials.push_back(serial);
    }
    state.nextSerial = nextSerial;
    return state;
}

void CompareEditState(const EditState& before, const ProjectModel& project, bool suspendGroups,
                      std::vector<EditStateChange>& changes) {
    CompareLayers(before, project, changes);
    if (before.combination != project.currentLayerCombination)
        changes.push_back({EditStateChange::Setting::LayerCombination, "layer combination",
                           CombinationText(project, before.combination),
                           CombinationText(project, project.currentLayerCombination)});
    CompareLocks(before, project, changes);
    if (before.suspendGroups != suspendGroups)
        changes.push_back({EditStateChange::Setting::GroupSuspension, "group suspension",
                           before.suspendGroups ? "on" : "off", suspendGroups ? "on" : "off"});
}

} // namespace Headless
