#include "HeadlessHost/InMemoryInternals.hpp"

// Who may change an element: locks, layers, Teamwork reservation, groups.

namespace Headless {

GSErrCode InMemoryHost::CheckEditable(const ElementRecord& record) const {
    const API_Elem_Head& header = record.element.header;
    if (header.lockId != 0)
        return APIERR_LOCKEDELEM;
    if (const Layer* layer = project_.layers.Find(header.layer)) {
        if ((layer->flags & APILay_Hidden) != 0)
            return APIERR_LAYERHIDDEN;
        if ((layer->flags & APILay_Locked) != 0)
            return APIERR_LAYERLOCKED;
    }
    if (teamwork_ && record.reservation != Reservation::ThisUser)
        return APIERR_NOTMINE;
    if (header.groupGuid != APINULLGuid && !suspendGroups_)
        return APIERR_GROUPED;
    return NoError;
}

GSErrCode InMemoryHost::HostReserveElements(const GS::Array<API_Guid>& guids,
                                            GS::HashTable<API_Guid, Int16>* conflicts, bool) {
    return RunOperation([&]() -> GSErrCode {
        for (const API_Guid& guid : guids) {
            if (FindLive(guid) == nullptr)
                return APIERR_BADELEMENT;
        }
        if (!teamwork_)
            return NoError;
        // Free elements become this user's; those another member holds stay unreserved, and
        // the call still succeeds.
        for (const API_Guid& guid : guids) {
            ElementRecord& record = *FindLive(guid);
            if (record.reservation == Reservation::Free) {
                record.reservation = Reservation::ThisUser;
                reservedByAddOn_.insert(guid);
            } else if (record.reservation == Reservation::OtherMember && conflicts != nullptr)
                conflicts->Put(guid, OtherMemberId);
        }
        return NoError;
    });
}

void InMemoryHost::RecordWrite(const char* operation, const API_Guid& guid) {
    const ElementRecord* record = FindReadable(guid);
    const bool outside = teamwork_ && (record == nullptr || record->reservation != Reservation::ThisUser ||
                                       reservedByAddOn_.count(guid) != 0);
    elementWrites_.push_back({operation, guid, GetElementName(guid), outside});
}

void InMemoryHost::ClearElementWrites() {
    elementWrites_.clear();
    reservedByAddOn_.clear();
}

GSErrCode InMemoryHost::HostIsSuspendGroupOn(bool* on) {
    return RunOperation([&]() -> GSErrCode {
        if (on == nullptr)
            return APIERR_BADPARS;
        *on = suspendGroups_;
        return NoError;
    });
}

} // namespace Headless
