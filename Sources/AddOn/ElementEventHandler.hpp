#ifndef ADDON_ELEMENTEVENTHANDLER_HPP
#define ADDON_ELEMENTEVENTHANDLER_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// The element observer, also the handler for new zones and labels.
GSErrCode ElementEventHandler(const API_NotifyElementType* elemType);

} // namespace Zarimark

#endif
