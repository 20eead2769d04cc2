#ifndef ADDON_EVENTBATCH_HPP
#define ADDON_EVENTBATCH_HPP

#include "AddOn/Zarimark/GuidSet.hpp"

namespace Zarimark {

// What the element events of one batch found, gathered for the batch's end: the palette's lists
// and the warnings that are shown at most once per batch. Process-wide, from the first event to
// the add-on's unloading; a batch's opening empties it, its closing leaves it as it is.
struct EventBatch {
    GuidSet pendingWrongStamps;       // stamps whose values are or may be wrong
    GuidSet pendingClearedStamps;     // deleted stamps
    GuidSet pendingInconsistentRooms; // rooms whose areas contradict each other
    GuidSet pendingCheckedRooms;      // rooms found consistent, or deleted
    bool stampsNotUpdated = false;
    bool stampsLostLabel = false;
    bool roomsWithoutApartmentId = false;

    void Clear();
};

EventBatch& GetEventBatch();

// Hands the batch's room and stamp lists to the check palette: removals before additions, so an
// element in both ends up listed.
void HandOverToCheckPalette(const EventBatch& batch);

// Whether the stamp is taken for wrong: listed by the palette or by this batch so far.
bool IsListedAsWrong(const EventBatch& batch, const API_Guid& stamp);

// The create command's findings: inconsistent rooms and the stamps that show them.
void ShowCreateCommandFindings(const GuidSet& rooms, const GuidSet& stamps);

} // namespace Zarimark

#endif
