#ifndef ZARIMARK_STAMPLINKS_HPP
#define ZARIMARK_STAMPLINKS_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// A stamp and a room it shows are linked in both directions. The link `first` -> `second` is
// made (or removed) before the one back; the first failure ends the pair, so a half pair is
// left only when the second call fails.
GSErrCode LinkBothWays(const API_Guid& first, const API_Guid& second);
// A link that is not there counts as removed.
GSErrCode UnlinkBothWays(const API_Guid& first, const API_Guid& second);

} // namespace Zarimark

#endif
