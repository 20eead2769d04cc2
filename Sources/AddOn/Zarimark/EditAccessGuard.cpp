#include "AddOn/Zarimark/EditAccessGuard.hpp"

#include "GSRoot/HashSet.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

// Hidden and locked between them; the other bits are no obstacle.
constexpr Int16 LayerObstacleFlags = APILay_Hidden | APILay_Locked;

API_Attribute LayerAttribute(API_AttributeIndex index) {
    API_Attribute attribute;
    attribute.header.typeID = API_LayerID;
    attribute.header.index = index;
    return attribute;
}

// One step of putting things back that throws must not keep the others from running, nor leave
// the guard's end.
template <typename Step>
void Quietly(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

} // namespace

EditAccessGuard::EditAccessGuard(const GS::Array<API_Guid>& elements) {
    // A failed query keeps the initial value: no combination, suspension off.
    API_AttributeIndex combination = 0;
    if (HostGetLayerCombination(&combination) == NoError)
        layerCombination_ = combination;
    bool suspended = false;
    if (HostIsSuspendGroupOn(&suspended) == NoError)
        groupSuspensionWasOn_ = suspended;
    try {
        Lift(elements);
    } catch (...) {
        // No destructor runs for a guard that was never finished.
        Restore();
        throw;
    }
}

EditAccessGuard::~EditAccessGuard() {
    Restore();
}

void EditAccessGuard::Lift(const GS::Array<API_Guid>& elements) {
    GS::HashSet<API_AttributeIndex> layers;
    for (const API_Guid& element : elements) {
        API_Elem_Head header;
        header.guid = element;
        if (HostGetElementHeader(&header) != NoError)
            continue;
        layers.Add(header.layer);
        if (header.lockId != 0)
            unlockedElements_.Push(element);
    }
    for (const API_AttributeIndex layer : layers)
        LiftLayer(layer);
    if (!unlockedElements_.IsEmpty())
        (void)HostApplyElementTool(unlockedElements_, APITool_Unlock);
    if (!groupSuspensionWasOn_)
        groupsSuspendedByGuard_ = HostApplyElementTool({}, APITool_SuspendGroups) == NoError;
}

void EditAccessGuard::LiftLayer(API_AttributeIndex layer) {
    API_Attribute attribute = LayerAttribute(layer);
    if (HostGetAttribute(&attribute) != NoError || (attribute.header.flags & LayerObstacleFlags) == 0)
        return;
    savedLayerFlags_.Put(layer, attribute.header.flags);
    attribute.header.flags = 0;
    // A layer left as it was only keeps its own elements from being changed.
    (void)HostModifyAttribute(&attribute);
}

void EditAccessGuard::Restore() noexcept {
    if (groupsSuspendedByGuard_)
        Quietly([] { (void)HostApplyElementTool({}, APITool_SuspendGroups); });
    if (!unlockedElements_.IsEmpty())
        Quietly([this] { (void)HostApplyElementTool(unlockedElements_, APITool_Lock); });
    // Applying the combination again also brings back the layers it governs.
    if (layerCombination_ <= 0)
        RestoreLayers();
    else
        Quietly([this] { (void)HostSetLayerCombination(layerCombination_); });
}

void EditAccessGuard::RestoreLayers() noexcept {
    for (const auto& saved : savedLayerFlags_) {
        Quietly([&saved] {
            API_Attribute attribute = LayerAttribute(saved.key);
            if (HostGetAttribute(&attribute) != NoError)
                return;
            attribute.header.flags = saved.value;
            (void)HostModifyAttribute(&attribute);
        });
    }
}

} // namespace Zarimark
