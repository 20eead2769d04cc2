#ifndef ZARIMARK_STAMPPARAMETERS_HPP
#define ZARIMARK_STAMPPARAMETERS_HPP

#include "GSRoot/Array.hpp"
#include "GSRoot/HashSet.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// Categories of the rooms with a non-zero area, in the order first met.
using CategorySet = GS::HashSet<API_AttributeIndex>;

// Writes the per-room areas and categories of rooms and the project's zone-category table into
// a stamp's parameter list, in place, and gives the categories shown. On a host error nothing is
// written and categories is left as it was.
GSErrCode FillStampParameters(const GS::Array<API_Guid>& rooms, API_AddParType** params,
                              CategorySet& categories);

} // namespace Zarimark

#endif
