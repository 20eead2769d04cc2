#include "AddOn/MissingApartmentIdWarning.hpp"

#include "AddOn/AddOnPreferences.hpp"
#include "AddOn/FrameState.hpp"
#include "DG/Alert.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {
constexpr short DontShowThisAgainAnswer = 3;
}

void ShowMissingApartmentIdWarning() {
    AddOnPreferences preferences = ReadAddOnPreferences();
    if (!preferences.showMissingIdWarning)
        return;
    if (DG::Alert(FrameState::GetOwnResourceModule(), ZM_ALERT_MISSING_APARTMENT_ID) !=
        DontShowThisAgainAnswer)
        return;
    preferences.showMissingIdWarning = false;
    // Not reported: a choice that was not stored only means the warning comes again.
    WriteAddOnPreferences(preferences);
}

} // namespace Zarimark
