#include <algorithm>
#include <unordered_set>

#include "HeadlessHost/InMemoryInternals.hpp"

// Creating, changing and deleting elements through the host operations.

namespace Headless {

namespace {

// A field of the record is changed when the mask has a non-zero byte over it; no mask: all.
bool IsMasked(const API_Element* mask, const API_Element& element, const void* field, std::size_t size) {
    if (mask == nullptr)
        return true;
    const auto offset = static_cast<const char*>(field) - reinterpret_cast<const char*>(&element);
    const auto* bytes = reinterpret_cast<const unsigned char*>(mask) + offset;
    return std::any_of(bytes, bytes + size, [](unsigned char byte) { return byte != 0; });
}

bool IsKnownType(Int32 typeID) {
    return typeID == API_ZoneID || typeID == API_LabelID || typeID == API_WallID;
}

} // namespace

void InMemoryHost::SetLibPart(ElementRecord& record, Int32 libInd) {
    if (record.element.label.libInd == libInd)
        return;
    if (libInd != 0)
        record.parameters = CarryOverParameters(record.parameters, PartDefaults(libInd));
    record.element.label.libInd = libInd;
}

GSErrCode InMemoryHost::ApplyChangedFields(ElementRecord& record, const API_Element& element,
                                           const API_Element* mask) {
    auto changed = [&](const auto& field) { return IsMasked(mask, element, &field, sizeof(field)); };
    API_Element& target = record.element;
    const Int16 story = changed(element.header.floorInd) ? element.header.floorInd : target.header.floorInd;
    const API_AttributeIndex layer =
        changed(element.header.layer) ? element.header.layer : target.header.layer;
    if (!CheckPlacement(story, layer, nullptr))
        return APIERR_BADPARS;
    const bool isLabel = record.GetTypeId() == API_LabelID;
    const bool newPart = isLabel && changed(element.label.libInd);
    if (newPart && element.label.libInd != 0 && FindLibraryPart(element.label.libInd) == nullptr)
        return APIERR_BADPARS;
    target.header.floorInd = story;
    target.header.layer = layer;
    auto apply = [&](auto& to, const auto& from) {
        if (changed(from))
            to = from;
    };
    switch (record.GetTypeId()) {
    case API_ZoneID:
        if (changed(element.zone.roomName))
            std::copy(std::begin(element.zone.roomName), std::end(element.zone.roomName),
                      target.zone.roomName);
        if (changed(element.zone.roomNoStr))
            std::copy(std::begin(element.zone.roomNoStr), std::end(element.zone.roomNoStr),
                      target.zone.roomNoStr);
        apply(target.zone.catInd, element.zone.catInd);
        apply(target.zone.pos, element.zone.pos);
        break;
    case API_LabelID:
        apply(target.label.labelClass, element.label.labelClass);
        apply(target.label.parentType, element.label.parentType);
        apply(target.label.parent, element.label.parent);
        apply(target.label.begC, element.label.begC);
        apply(target.label.midC, element.label.midC);
        apply(target.label.endC, element.label.endC);
        apply(target.label.framed, element.label.framed);
        apply(target.label.textSettings, element.label.textSettings);
        apply(target.label.symbolSettings, element.label.symbolSettings);
        if (newPart)
            SetLibPart(record, element.label.libInd);
        break;
    case API_WallID:
        apply(target.wall.begC, element.wall.begC);
        apply(target.wall.endC, element.wall.endC);
        break;
    default:
        break;
    }
    return NoError;
}

GSErrCode InMemoryHost::HostCreateElement(API_Element* element, API_ElementMemo* memo) {
    return RunOperation([&]() -> GSErrCode {
        if (element == nullptr || !IsKnownType(element->header.type.typeID))
            return APIERR_BADPARS;
        if (!CheckPlacement(element->header.floorInd, element->header.layer, nullptr))
            return APIERR_BADPARS;
        ElementRecord record;
        record.element = *element;
        if (record.GetTypeId() == API_LabelID) {
            const API_LabelType& label = element->label;
            if (label.libInd != 0 && FindLibraryPart(label.libInd) == nullptr)
                return APIERR_BADPARS;
            if (label.parent != APINULLGuid && FindLive(label.parent) == nullptr)
                return APIERR_BADPARS;
        }
        const bool memoGiven = memo != nullptr && memo->params != nullptr;
        record.parameters = memoGiven
                                ? DecodeParameters(reinterpret_cast<GSConstHandle>(memo->params))
                                : PartDefaults(record.GetTypeId() == API_LabelID ? element->label.libInd : 0);
        record.reservation = Reservation::ThisUser;
        const ElementRecord& created = InsertNew(std::move(record), {});
        element->header.guid = created.GetGuid();
        ReportEvent(PendingEvent{EventKind::New, created.GetGuid(), 0, std::nullopt});
        return NoError;
    });
}

GSErrCode InMemoryHost::HostChangeElement(API_Element* element, const API_Element* mask,
                                          const API_ElementMemo* memo, UInt64 memoMask, bool) {
    return RunOperation([&]() -> GSErrCode {
        if (element == nullptr)
            return APIERR_BADPARS;
        ElementRecord before;
        const GSErrCode result = EditElement(
            element->header.guid,
            [&](ElementRecord& record) -> GSErrCode {
                if (const GSErrCode invalid = ApplyChangedFields(record, *element, mask))
                    return invalid;
                if (memo != nullptr && (memoMask & APIMemoMask_AddPars) != 0 && memo->params != nullptr)
                    record.parameters = DecodeParameters(reinterpret_cast<GSConstHandle>(memo->params));
                *element = record.element;
                return NoError;
            },
            &before);
        if (result != NoError)
            return result;
        RecordWrite("HostChangeElement", element->header.guid);
        ReportEvent(PendingEvent{EventKind::Change, element->header.guid, 0, std::move(before)});
        return NoError;
    });
}

GSErrCode InMemoryHost::HostDeleteElements(const GS::Array<API_Guid>& guids) {
    return RunOperation([&]() -> GSErrCode {
        std::vector<API_Guid> unique;
        if (const GSErrCode refusal =
                CheckDeletion(std::vector<API_Guid>(guids.begin(), guids.end()), &unique))
            return refusal;
        for (const API_Guid& guid : unique) {
            RecordWrite("HostDeleteElements", guid);
            DeleteElement(guid);
            ReportEvent(PendingEvent{EventKind::Delete, guid, 0, std::nullopt});
        }
        return NoError;
    });
}

GSErrCode InMemoryHost::EditElement(const API_Guid& guid,
                                    const std::function<GSErrCode(ElementRecord&)>& edit,
                                    ElementRecord* before) {
    ElementRecord* record = FindLive(guid);
    if (record == nullptr)
        return APIERR_BADELEMENT;
    if (const GSErrCode refusal = CheckEditable(*record))
        return refusal;
    *before = *record;
    if (const GSErrCode invalid = edit(*record)) {
        *record = std::move(*before);
        return invalid;
    }
    return NoError;
}

GSErrCode InMemoryHost::CheckDeletion(const std::vector<API_Guid>& guids,
                                      std::vector<API_Guid>* unique) const {
    std::unordered_set<API_Guid, GuidHasher> seen;
    for (const API_Guid& guid : guids) {
        const ElementRecord* record = FindLive(guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        if (const GSErrCode refusal = CheckEditable(*record))
            return refusal;
        if (seen.insert(guid).second)
            unique->push_back(guid);
    }
    return NoError;
}

void InMemoryHost::DeleteElement(const API_Guid& guid) {
    selection_.erase(std::remove_if(selection_.begin(), selection_.end(),
                                    [&](const API_Neig& neig) { return neig.guid == guid; }),
                     selection_.end());
    DeletedElement deleted;
    deleted.record = project_.Remove(guid);
    deleted_[guid] = std::move(deleted);
}

GSErrCode InMemoryHost::HostApplyElementTool(const GS::Array<API_Guid>& guids, Int32 toolCode) {
    return RunOperation([&]() -> GSErrCode {
        if (toolCode == APITool_SuspendGroups) {
            suspendGroups_ = !suspendGroups_;
            return NoError;
        }
        if (toolCode != APITool_Lock && toolCode != APITool_Unlock)
            return APIERR_BADPARS;
        for (const API_Guid& guid : guids) {
            if (FindLive(guid) == nullptr)
                return APIERR_BADELEMENT;
        }
        for (const API_Guid& guid : guids)
            FindLive(guid)->element.header.lockId = toolCode == APITool_Lock ? 1 : 0;
        return NoError;
    });
}

} // namespace Headless
