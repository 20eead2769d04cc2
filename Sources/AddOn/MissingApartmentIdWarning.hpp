#ifndef ADDON_MISSINGAPARTMENTIDWARNING_HPP
#define ADDON_MISSINGAPARTMENTIDWARNING_HPP

namespace Zarimark {

// Tells the user that some rooms have no readable apartment ID (alert 31019), unless the user
// chose "Don't Show This Again" before; that choice is kept in the add-on's stored preferences.
// Cannot fail towards the caller: unreadable preferences show the warning.
void ShowMissingApartmentIdWarning();

} // namespace Zarimark

#endif
