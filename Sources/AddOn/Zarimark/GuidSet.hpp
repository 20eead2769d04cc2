#ifndef ZARIMARK_GUIDSET_HPP
#define ZARIMARK_GUIDSET_HPP

#include "GSRoot/HashSet.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// A set of elements in the order they were first added (removal moves the last one into the gap).
using GuidSet = GS::HashSet<API_Guid>;

} // namespace Zarimark

#endif
