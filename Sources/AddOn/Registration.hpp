#ifndef ADDON_REGISTRATION_HPP
#define ADDON_REGISTRATION_HPP

#include "GSRoot/Definitions.hpp"

namespace Zarimark {

// Menus, the built-in library, handlers, the palette window and notifications, as the host asks
// for them. Each stops at the first failure: it writes its debug line and returns the host's
// code; what was registered before stays registered.
GSErrCode RegisterMenusAndLibrary();
GSErrCode InstallHandlers();
GSErrCode UnregisterPalette();

} // namespace Zarimark

#endif
