#include "AddOn/Zarimark/ZoneCategoryTable.hpp"

#include <cstring>
#include <string>
#include <utility>

#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

API_AttributeIndex HighestZoneCategoryIndex() {
    API_AttributeIndex highest = 0;
    // Only the indices seen matter; the enumeration's own result does not.
    HostEnumerateAttributes(API_ZoneCatID, [&highest](const API_Attr_Head& header) {
        if (header.index > highest)
            highest = header.index;
    });
    return highest;
}

GS::UniString CategoryName(const API_Attribute& attribute) {
    const char* name = attribute.header.name;
    return GS::UniString(std::string(name, strnlen(name, sizeof(attribute.header.name))));
}

} // namespace

GSErrCode ReadZoneCategoryTable(ZoneCategoryTable& table) {
    const API_AttributeIndex count = HighestZoneCategoryIndex();
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
