#ifndef ADDON_ERRORALERTS_HPP
#define ADDON_ERRORALERTS_HPP

#include "GSRoot/Definitions.hpp"

namespace Zarimark {

// Alerts of the add-on's own resource module. A code is shown as its signed decimal text.
void ShowAlert(GSResID alertId);
void ShowErrorCodeAlert(GSResID alertId, GSErrCode code);

} // namespace Zarimark

#endif
