#ifndef ADDON_PROJECTEVENTS_HPP
#define ADDON_PROJECTEVENTS_HPP

#include "GSRoot/Definitions.hpp"

namespace Zarimark {

// The project events the add-on asks for: a project created, opened or closed.
constexpr GSFlags ProjectEventMask = 7;

// Attaches the element observer to every zone of a project that was created or opened.
GSErrCode ProjectEventHandler(Int32 notifID, Int32 param);

} // namespace Zarimark

#endif
