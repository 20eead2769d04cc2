#include "AddOn/Zarimark/ZoneCategoryTable.hpp"

#include <cstring>
#include <string>
#include <utility>

#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

// A failed enumeration may have stopped before the highest index: a table that short would
// drop categories from the stamp, so the failure ends the read.
GSErrCode HighestZoneCategoryIndex(API_AttributeIndex& highest) {
    highest = 0;
    return HostEnumerateAttributes(API_ZoneCatID, [&highest](const API_Attr_Head& header) {
        if (header.index > highest)
            highest = header.index;
    });
}

GS::UniString CategoryName(const API_Attribute& attribute) {
    const char* name = attribute.header.name;
    return GS::UniString(std::string(name, strnlen(name, sizeof(attribute.header.name))));
}

} // namespace

GSErrCode ReadZoneCategoryTable(ZoneCategoryTable& table) {
    API_AttributeIndex count = 0;
    const GSErrCode listed = HighestZoneCategoryIndex(count);
    if (listed != NoError)
        return listed;
    ZoneCategoryTable read;
    for (API_AttributeIndex j = 0; j < count; ++j) {
        API_Attribute attribute{};
        attribute.header.typeID = API_ZoneCatID;
        attribute.header.index = j + 1;
        const GSErrCode err = HostGetAttribute(&attribute);
        const bool missing = err == APIERR_BADELEMENT || err == APIERR_BADINDEX;
        if (err != NoError && !missing)
            return err;
        read.exists.Push(!missing);
        read.codes.Push(missing ? GS::UniString() : GS::UniString::FromField(attribute.zoneCat.catCode));
        read.names.Push(missing ? GS::UniString() : CategoryName(attribute));
    }
    table = std::move(read);
    return NoError;
}

} // namespace Zarimark
