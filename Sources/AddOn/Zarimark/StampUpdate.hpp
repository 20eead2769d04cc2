#ifndef ZARIMARK_STAMPUPDATE_HPP
#define ZARIMARK_STAMPUPDATE_HPP

#include "GSRoot/Definitions.hpp"
#include "Host/APIGuid.hpp"

namespace Zarimark {

// Rewrites a stamp's room data from the rooms linked to it at the time; it never re-links.
// ErrStampNotEditable when the host refuses the change. A label that no longer uses the stamp
// library part stops being managed (observer and links removed) and gives ErrStampLabelReplaced.
GSErrCode UpdateStamp(const API_Guid& stamp);

} // namespace Zarimark

#endif
