#include "HeadlessHost/InMemoryInternals.hpp"

// Element memos: parameter handles handed out and given back, counted for leak tests.

namespace Headless {

GSHandle InMemoryHost::HandOutParameters(const ParameterList& parameters) {
    GSHandle handle = EncodeParameters(parameters);
    if (handle != nullptr) {
        ++outstandingMemos_[handle];
        ++memosHandedOut_;
        releaseAttempted_.erase(handle); // the address of one freed before
    }
    return handle;
}

GSErrCode InMemoryHost::FillMemo(const ParameterList& parameters, API_ElementMemo* memo, UInt64 memoMask) {
    *memo = API_ElementMemo();
    if ((memoMask & APIMemoMask_AddPars) == 0)
        return NoError;
    GSHandle handle = HandOutParameters(parameters);
    if (handle == nullptr)
        return APIERR_GENERAL;
    memo->params = reinterpret_cast<API_AddParType**>(handle);
    return NoError;
}

GSErrCode InMemoryHost::HostGetElementMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 memoMask) {
    return RunOperation([&]() -> GSErrCode {
        if (memo == nullptr)
            return APIERR_BADPARS;
        // A deleted element's parameters stay readable until its deletion is reported.
        const ElementRecord* record = FindReadable(guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        return FillMemo(record->parameters, memo, memoMask);
    });
}

GSErrCode InMemoryHost::HostGetElementDefaults(API_Element* element, API_ElementMemo* memo) {
    return RunOperation([&]() -> GSErrCode {
        if (element == nullptr)
            return APIERR_BADPARS;
        const Int32 typeID = element->header.type.typeID;
        ElementRecord defaults;
        if (typeID == API_LabelID) {
            defaults = labelDefaults_;
            if (defaults.parameters.empty())
                defaults.parameters = PartDefaults(defaults.element.label.libInd);
        } else if (typeID == API_ZoneID || typeID == API_WallID) {
            defaults.element.header.type.typeID = typeID;
            defaults.element.header.layer = 1;
        } else {
            return APIERR_BADPARS;
        }
        defaults.element.header.floorInd = currentStory_;
        defaults.element.header.guid = APINULLGuid;
        *element = defaults.element;
        return memo != nullptr ? FillMemo(defaults.parameters, memo, APIMemoMask_All) : NoError;
    });
}

void InMemoryHost::ReleaseOutstandingMemos() {
    for (auto& outstanding : outstandingMemos_) {
        GSHandle handle = outstanding.first;
        FreeParameterHandle(&handle);
    }
    outstandingMemos_.clear();
    releaseAttempted_.clear();
}

void InMemoryHost::NoteReleaseAttempt(const API_ElementMemo& memo) {
    GSHandle handle = reinterpret_cast<GSHandle>(memo.params);
    if (outstandingMemos_.count(handle) != 0)
        releaseAttempted_.insert(handle);
}

Int64 InMemoryHost::GetReleaseAttemptedMemoCount() const {
    return static_cast<Int64>(releaseAttempted_.size());
}

GSErrCode InMemoryHost::HostDisposeElementMemo(API_ElementMemo* memo) {
    return RunOperation([&]() -> GSErrCode {
        if (memo == nullptr)
            return APIERR_BADPARS;
        GSHandle handle = reinterpret_cast<GSHandle>(memo->params);
        if (handle != nullptr) {
            auto found = outstandingMemos_.find(handle);
            if (found != outstandingMemos_.end() && --found->second == 0) {
                outstandingMemos_.erase(found);
                releaseAttempted_.erase(handle);
            }
            FreeParameterHandle(&handle);
        }
        memo->params = nullptr;
        return NoError;
    });
}

GSErrCode InMemoryHost::HostGetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 memoMask) {
    return RunOperation([&]() -> GSErrCode {
        // Only the event being delivered has a parent: the state before a change or move, or
        // the source of a copy.
        if (currentEvent_ == nullptr || !currentEvent_->parent)
            return APIERR_GENERAL;
        const ElementRecord& parent = *currentEvent_->parent;
        if (element != nullptr)
            *element = parent.element;
        return memo != nullptr ? FillMemo(parent.parameters, memo, memoMask) : NoError;
    });
}

} // namespace Headless
