#include "AddOn/ErrorAlerts.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/ParameterListCopy.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/StampCreation.hpp"
#include "AddOn/Zarimark/StampLibPart.hpp"
#include "AddOn/Zarimark/StampPlacement.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "Host/HostOperations.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

GSErrCode ReadCurrentStory(Int16& story) {
    API_StoryInfo info;
    const GSErrCode err = HostGetStoryInfo(&info);
    story = info.actStory;
    GSHandle stories = reinterpret_cast<GSHandle>(info.data);
    BMKillHandle(&stories);
    return err;
}

// Stamps go on the label tool's layer; one the user cannot see or change would be lost.
GSErrCode CheckLabelLayer(API_AttributeIndex layer, bool& usable) {
    API_Attribute attribute;
    attribute.header.typeID = API_LayerID;
    attribute.header.index = layer;
    const GSErrCode err = HostGetAttribute(&attribute);
    const bool missing = err == APIERR_BADELEMENT || err == APIERR_BADID || err == APIERR_BADINDEX;
    usable = !missing && (err != NoError || (attribute.header.flags & (APILay_Hidden | APILay_Locked)) == 0);
    return missing ? NoError : err;
}

// The label tool's settings as a free symbol label of the stamp part.
GSErrCode MakeTemplate(API_Element& element, ElementMemoScope& memo, Int32 stampLibInd) {
    if (element.label.libInd != stampLibInd) {
        HostDisposeElementMemo(memo.Get());
        const GSErrCode err = HostGetLibPartParams(stampLibInd, &memo.Get()->params);
        if (err != NoError)
            return err;
    }
    // A text label's pen becomes the symbol label's pen, so the stamp keeps the user's colour.
    if (element.label.labelClass == APILblClass_Text)
        element.label.symbolSettings.pen = element.label.textSettings.pen;
    element.header.hasMemo = true;
    element.label.parent = APINULLGuid;
    element.label.parentType = API_ElemType();
    element.label.labelClass = APILblClass_Symbol;
    element.label.libInd = stampLibInd;
    element.label.framed = false;
    return NoError;
}

// The room with the least number text on the current story; a room without number gives way
// to any later one. Rooms elsewhere are linked but do not place the stamp.
GSErrCode FindAnchorPosition(const GS::Array<API_Guid>& rooms, Int16 story, API_Coord& position) {
    bool anchored = false;
    GS::UniString anchorNumber;
    position = API_Coord();
    for (const API_Guid& room : rooms) {
        API_Element zone;
        zone.header.guid = room;
        if (const GSErrCode err = HostGetElement(&zone))
            return err;
        if (zone.header.floorInd != story)
            continue;
        const GS::UniString number(zone.zone.roomNoStr);
        if (!anchored || anchorNumber.IsEmpty() || number < anchorNumber) {
            anchored = true;
            anchorNumber = number;
            position = zone.zone.pos;
        }
    }
    return NoError;
}

GSErrCode CreateApartmentStamp(const GS::UniString& apartmentId, const GS::Array<API_Guid>& rooms,
                               const API_Element& templateElement, const API_ElementMemo& templateMemo,
                               Int16 story, GuidSet& wrongStamps, GuidSet& inconsistentRooms) {
    API_Element stamp = templateElement;
    stamp.header.floorInd = story;
    GSErrCode err = FindAnchorPosition(rooms, story, stamp.label.midC);
    if (err != NoError)
        return err;
    stamp.label.begC = stamp.label.endC = stamp.label.midC;
    // Each stamp writes its own lines into the parameters: the template must stay as it was.
    ParameterListCopy parameters(templateMemo.params);
    if (!parameters.IsValid())
        return ErrMemoryFull;
    err = CreateStampElement(apartmentId, rooms, stamp, parameters.GetMemo());
    if (err != NoError)
        return err;
    err = CheckRoomAreas(rooms, inconsistentRooms);
    if (err == ErrInconsistentRooms)
        wrongStamps.Add(stamp.header.guid);
    return err == ErrInconsistentRooms ? NoError : err;
}

} // namespace

GSErrCode CreateStampsForApartments(const ApartmentRooms& apartments, GuidSet& wrongStamps,
                                    GuidSet& inconsistentRooms) {
    Int16 story = 0;
    Int32 stampLibInd = 0;
    GSErrCode err = ReadCurrentStory(story);
    if (err == NoError)
        err = FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &stampLibInd);
    API_Element element;
    element.header.type.typeID = API_LabelID;
    ElementMemoScope memo;
    if (err == NoError)
        err = HostGetElementDefaults(&element, memo.Get());
    bool layerUsable = false;
    if (err == NoError)
        err = CheckLabelLayer(element.header.layer, layerUsable);
    if (err != NoError)
        return err;
    if (!layerUsable) {
        ShowAlert(ZM_ALERT_LABEL_LAYER_UNAVAILABLE);
        return NoError;
    }
    err = MakeTemplate(element, memo, stampLibInd);
    for (auto entry = apartments.begin(); err == NoError && entry != apartments.end(); ++entry)
        err = CreateApartmentStamp(entry->key, entry->value, element, *memo.Get(), story, wrongStamps,
                                   inconsistentRooms);
    return err;
}

} // namespace Zarimark
