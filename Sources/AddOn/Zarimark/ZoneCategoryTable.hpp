#ifndef ZARIMARK_ZONECATEGORYTABLE_HPP
#define ZARIMARK_ZONECATEGORYTABLE_HPP

#include "GSRoot/Array.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// The project's zone categories by position: entry j describes category index j + 1, and the
// table reaches up to the highest index. Deleted indices leave an entry that does not exist.
struct ZoneCategoryTable {
    GS::Array<bool> exists;
    GS::Array<GS::UniString> codes;
    GS::Array<GS::UniString> names;
};

// A host error other than a missing category ends the read; the table is then left unchanged.
GSErrCode ReadZoneCategoryTable(ZoneCategoryTable& table);

} // namespace Zarimark

#endif
