#include "AddOn/Zarimark/StampUpdate.hpp"

#include <cstring>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/OwnStampWrites.hpp"
#include "AddOn/Zarimark/StampLibPart.hpp"
#include "AddOn/Zarimark/StampParameters.hpp"
#include "GSRoot/Array.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

// The label was given another symbol: it is no longer ours to keep up to date. Whatever of the
// unlinking fails, nothing more can be done about it here.
void ReleaseReplacedLabel(const API_Guid& label, const GS::Array<API_Guid>& linked) {
    (void)HostDetachElementObserver(label);
    for (const API_Guid& element : linked) {
        (void)HostUnlinkElements(element, label);
        (void)HostUnlinkElements(label, element);
    }
}

// Only the memo's parameters change; the element record goes back as it was read.
API_Element NoFieldChanged() {
    API_Element mask;
    std::memset(static_cast<void*>(&mask), 0, sizeof(mask));
    return mask;
}

GSErrCode WriteStampRooms(API_Element& stamp, const GS::Array<API_Guid>& rooms) {
    ElementMemoScope memo;
    GSErrCode err = memo.Fetch(stamp.header.guid, APIMemoMask_AddPars);
    if (err != NoError)
        return err;
    CategorySet shownCategories;
    err = FillStampParameters(rooms, memo.GetParams(), shownCategories);
    if (err != NoError)
        return err;
    const API_Element mask = NoFieldChanged();
    err = HostChangeElement(&stamp, &mask, memo.Get(), APIMemoMask_AddPars, true);
    if (err == NoError)
        OwnStampWrites::Remember(stamp.header.guid, stamp.label.libInd, memo.GetParams());
    return IsChangeRefusal(err) ? ErrStampNotEditable : err;
}

} // namespace

GSErrCode UpdateStamp(const API_Guid& stamp) {
    API_Element element;
    element.header.guid = stamp;
    GSErrCode err = HostGetElement(&element);
    if (err != NoError)
        return err;
    // Nothing but a label can be a stamp; anything else is left alone, links and all.
    if (element.header.type.typeID != API_LabelID)
        return APIERR_BADPARS;
    GS::Array<API_Guid> rooms;
    err = HostGetElementLinks(stamp, &rooms);
    if (err != NoError)
        return err;
    Int32 stampLibPartIndex = 0;
    err = FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &stampLibPartIndex);
    if (err != NoError)
        return err;
    if (element.label.libInd != stampLibPartIndex) {
        ReleaseReplacedLabel(stamp, rooms);
        return ErrStampLabelReplaced;
    }
    return WriteStampRooms(element, rooms);
}

} // namespace Zarimark
