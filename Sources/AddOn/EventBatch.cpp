#include "AddOn/EventBatch.hpp"

namespace Zarimark {

void EventBatch::Clear() {
    pendingWrongStamps.Clear();
    pendingClearedStamps.Clear();
    pendingInconsistentRooms.Clear();
    pendingCheckedRooms.Clear();
    stampsNotUpdated = false;
    stampsLostLabel = false;
    roomsWithoutApartmentId = false;
}

EventBatch& GetEventBatch() {
    static EventBatch batch;
    return batch;
}

} // namespace Zarimark
