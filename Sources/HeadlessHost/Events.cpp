#include <algorithm>
#include <unordered_set>

#include "HeadlessHost/InMemoryInternals.hpp"
#include "HeadlessHost/Registrations.hpp"

// Element events in batches: the user's, delivered as they happen, and the add-on's own
// changes, delivered after its call returned.

namespace Headless {

void InMemoryHost::RunUserAction(const std::function<void()>& actions) {
    if (userActionDepth_ > 0 || addOnCallDepth_ > 0 || flushing_) {
        actions(); // joins the batch (or the add-on call) under way
        return;
    }
    ++userActionDepth_;
    userBatch_.reset();
    auto finish = [this] {
        if (userBatch_ && !userBatch_->events.empty()) {
            CloseBatch(*userBatch_);
            batches_.push_back(std::move(*userBatch_));
        }
        userBatch_.reset();
        --userActionDepth_;
        PurgeDeleted(true);
        FlushEchoes();
    };
    try {
        actions();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void InMemoryHost::ReportEvent(PendingEvent event) {
    if (userActionDepth_ > 0 && addOnCallDepth_ == 0 && !flushing_) {
        if (!userEventsReported_)
            return;
        if (!userBatch_) {
            userBatch_.emplace();
            userBatch_->origin = BatchOrigin::User;
        }
        DeliverOne(*userBatch_, event);
        return;
    }
    QueueEcho(std::move(event));
}

void InMemoryHost::QueueEcho(PendingEvent event) {
    // One event per element and batch: a new element stays new, a changed one keeps the state
    // before its first change, and an element made and deleted within one call is not told.
    if (event.kind == EventKind::Delete) {
        auto deleted = deleted_.find(event.guid);
        if (deleted != deleted_.end())
            deleted->second.reportPending = true;
    }
    if (event.kind != EventKind::Raw) {
        for (auto queued = echoQueue_.begin(); queued != echoQueue_.end(); ++queued) {
            if (queued->guid != event.guid || queued->kind == EventKind::Raw)
                continue;
            if (event.kind != EventKind::Delete)
                return;
            if (queued->kind == EventKind::New || queued->kind == EventKind::Copy) {
                echoQueue_.erase(queued);
                deleted_[event.guid].reportPending = false;
                return;
            }
            queued->kind = EventKind::Delete;
            queued->parent.reset();
            return;
        }
    }
    echoQueue_.push_back(std::move(event));
}

GSErrCode InMemoryHost::CallHandler(const DeliveredBatch& batch, APIElementEventHandlerProc* handler,
                                    Int32 code, const API_Elem_Head& head) {
    const std::optional<BatchOrigin> outer = deliveringOrigin_;
    deliveringOrigin_ = batch.origin;
    const GSErrCode result = addOn_.CallIntoAddOn([&] {
        API_NotifyElementType notification;
        notification.notifID = code;
        notification.elemHead = head;
        return handler(&notification);
    });
    deliveringOrigin_ = outer;
    return result;
}

void InMemoryHost::SendBatchCode(DeliveredBatch& batch, Int32 code) {
    // Once to each distinct handler installed for element events.
    for (APIElementEventHandlerProc* handler : addOn_.GetRegistrations().GetElementEventHandlers()) {
        DeliveredEvent delivered;
        delivered.code = code;
        delivered.result = CallHandler(batch, handler, code, API_Elem_Head());
        batch.events.push_back(delivered);
    }
}

void InMemoryHost::DeliverOne(DeliveredBatch& batch, const PendingEvent& event) {
    const Registrations& registrations = addOn_.GetRegistrations();
    APIElementEventHandlerProc* const observer = registrations.GetElementObserver();
    APIElementEventHandlerProc* handler = nullptr;
    const ElementRecord* record = nullptr;
    Int32 code = 0;
    switch (event.kind) {
    case EventKind::New:
        record = FindLive(event.guid);
        handler = record != nullptr ? registrations.FindNewElementHandler(record->GetTypeId()) : nullptr;
        code = APINotifyElement_New;
        break;
    case EventKind::Copy:
        record = FindLive(event.guid);
        handler = observer;
        code = APINotifyElement_Copy;
        break;
    case EventKind::Change:
    case EventKind::Edit:
        record = FindLive(event.guid);
        handler = record != nullptr && record->observed ? observer : nullptr;
        code = event.kind == EventKind::Change ? APINotifyElement_Change : APINotifyElement_Edit;
        break;
    case EventKind::Delete: {
        auto deleted = deleted_.find(event.guid);
        if (deleted != deleted_.end()) {
            deleted->second.reportPending = false;
            record = &deleted->second.record;
            handler = record->observed ? observer : nullptr;
            deleted->second.reported = handler != nullptr;
        }
        code = APINotifyElement_Delete;
        break;
    }
    case EventKind::Raw:
        record = FindReadable(event.guid);
        handler = record != nullptr && record->observed ? observer : nullptr;
        code = event.rawCode;
        break;
    }
    if (record == nullptr || handler == nullptr)
        return;
    if (batch.events.empty())
        SendBatchCode(batch, APINotifyElement_BeginEvents);
    DeliveredEvent delivered;
    delivered.code = code;
    delivered.typeID = record->GetTypeId();
    delivered.guid = event.guid;
    delivered.elementName = record->name;
    delivered.toNewElementHandler = event.kind == EventKind::New;
    const API_Elem_Head head = record->element.header;
    const PendingEvent* outer = currentEvent_;
    currentEvent_ = &event;
    delivered.result = CallHandler(batch, handler, code, head);
    currentEvent_ = outer;
    batch.events.push_back(std::move(delivered));
}

void InMemoryHost::CloseBatch(DeliveredBatch& batch) {
    if (!batch.events.empty())
        SendBatchCode(batch, APINotifyElement_EndEvents);
}

void InMemoryHost::DeliverBatch(std::vector<PendingEvent> events, BatchOrigin origin, int round) {
    DeliveredBatch batch;
    batch.origin = origin;
    batch.round = round;
    for (const PendingEvent& event : events)
        DeliverOne(batch, event);
    if (!batch.events.empty()) {
        CloseBatch(batch);
        batches_.push_back(std::move(batch));
    }
    PurgeDeleted(true);
}

void InMemoryHost::FlushEchoes() {
    if (flushing_)
        return;
    flushing_ = true;
    int round = 0;
    while (!echoQueue_.empty()) {
        if (round >= echoRoundLimit_) {
            // The add-on keeps answering its own changes: stop, as the real host would hang.
            updateCycle_ = true;
            droppedEchoEvents_ += static_cast<int>(echoQueue_.size());
            for (const PendingEvent& event : echoQueue_) {
                auto deleted = deleted_.find(event.guid);
                if (deleted != deleted_.end())
                    deleted->second.reportPending = false;
            }
            echoQueue_.clear();
            break;
        }
        ++round;
        std::vector<PendingEvent> events;
        events.swap(echoQueue_);
        DeliverBatch(std::move(events), BatchOrigin::AddOnEcho, round);
    }
    flushing_ = false;
    PurgeDeleted(false);
}

void InMemoryHost::FlushIfTopLevel() {
    if (addOnCallDepth_ == 0 && userActionDepth_ == 0 && !flushing_ &&
        (!echoQueue_.empty() || !deleted_.empty()))
        FlushEchoes();
}

void InMemoryHost::PurgeDeleted(bool onlyReported) {
    std::unordered_set<API_Guid, GuidHasher> purged;
    for (auto deleted = deleted_.begin(); deleted != deleted_.end();) {
        const bool purge = onlyReported ? deleted->second.reported : !deleted->second.reportPending;
        if (purge) {
            purged.insert(deleted->first);
            deleted = deleted_.erase(deleted);
        } else {
            ++deleted;
        }
    }
    if (purged.empty())
        return;
    auto dropLinks = [&](ElementRecord& record) {
        std::vector<API_Guid>& links = record.links;
        links.erase(std::remove_if(links.begin(), links.end(),
                                   [&](const API_Guid& linked) { return purged.count(linked) != 0; }),
                    links.end());
    };
    for (auto& element : project_.elements)
        dropLinks(element.second);
    for (auto& deleted : deleted_)
        dropLinks(deleted.second.record);
}

} // namespace Headless
