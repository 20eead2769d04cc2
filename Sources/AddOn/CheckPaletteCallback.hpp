#ifndef ADDON_CHECKPALETTECALLBACK_HPP
#define ADDON_CHECKPALETTECALLBACK_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// The check palette's control callback; the host passes the palette reference ID back.
GSErrCode CheckPaletteControlCallback(Int32 referenceID, Int32 messageID, bool* param);

} // namespace Zarimark

#endif
