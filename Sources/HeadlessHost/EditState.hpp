#ifndef HEADLESSHOST_EDITSTATE_HPP
#define HEADLESSHOST_EDITSTATE_HPP

#include <utility>
#include <vector>

#include "HeadlessHost/HostActivity.hpp"
#include "HeadlessHost/ProjectModel.hpp"

namespace Headless {

// The user's edit settings as a call into the add-on found them: only the user changes them, so
// the add-on must leave them as they were.
struct EditState {
    std::vector<std::pair<API_AttributeIndex, Int16>> layerFlags; // every layer, in index order
    API_AttributeIndex combination = 0;
    bool suspendGroups = false;
    std::vector<UInt64> lockedSerials; // locked live elements, in creation order
    UInt64 nextSerial = 0;             // elements from this serial on are newer than the state
};

EditState CaptureEditState(const ProjectModel& project, bool suspendGroups, UInt64 nextSerial);

// What differs now from `before`, appended to `changes`. Layers and elements that did not exist
// on both sides are left out: creating and deleting are not changes of the settings.
void CompareEditState(const EditState& before, const ProjectModel& project, bool suspendGroups,
                      std::vector<EditStateChange>& changes);

} // namespace Headless

#endif
