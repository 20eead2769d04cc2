#ifndef ZARIMARK_EDITACCESSGUARD_HPP
#define ZARIMARK_EDITACCESSGUARD_HPP

#include "GSRoot/Array.hpp"
#include "GSRoot/HashTable.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// Lifts what keeps the add-on from changing the given elements for the guard's lifetime: hidden
// or locked layers, element locks and grouping. Its end puts everything back in reverse order,
// also when an exception passes; an active layer combination is applied again instead of
// restoring single layers. The guard reports nothing: an obstacle it could not lift makes the
// caller's change fail, and the caller handles that.
class EditAccessGuard {
public:
    explicit EditAccessGuard(const GS::Array<API_Guid>& elements);
    ~EditAccessGuard();
    EditAccessGuard(const EditAccessGuard&) = delete;
    EditAccessGuard& operator=(const EditAccessGuard&) = delete;

private:
    void Lift(const GS::Array<API_Guid>& elements);
    void LiftLayer(API_AttributeIndex layer);
    void Restore() noexcept;
    void RestoreLayers() noexcept;

    bool groupSuspensionWasOn_ = false;
    GS::Array<API_Guid> unlockedElements_;
    GS::HashTable<API_AttributeIndex, Int16> savedLayerFlags_;
    API_AttributeIndex layerCombination_ = 0;
    // Suspension is a toggle: only a switch that took place may be switched back.
    bool groupsSuspendedByGuard_ = false;
};

} // namespace Zarimark

#endif
