#include "AddOn/CheckPalette.hpp"
#include "AddOn/ErrorAlerts.hpp"
#include "AddOn/EventBatch.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

// A palette that cannot be shown is told to the user; the rest of the hand-over goes on.
void ShowPaletteNow() {
    ShowCheckPalette();
}

} // namespace

void HandOverToCheckPalette(const EventBatch& batch) {
    if (!batch.pendingCheckedRooms.IsEmpty())
        CheckPalette::GetInstance().RemoveInconsistentRooms(batch.pendingCheckedRooms);
    if (!batch.pendingInconsistentRooms.IsEmpty()) {
        CheckPalette::GetInstance().AddInconsistentRooms(batch.pendingInconsistentRooms);
        ShowPaletteNow();
    }
    if (!batch.pendingClearedStamps.IsEmpty())
        CheckPalette::GetInstance().RemoveWrongStamps(batch.pendingClearedStamps);
    if (!batch.pendingWrongStamps.IsEmpty()) {
        // A wrong stamp whose row the host keeps from showing is told by the alert instead.
        const GSErrCode unshown = CheckPalette::GetInstance().AddWrongStamps(batch.pendingWrongStamps);
        ShowPaletteNow();
        if (unshown != NoError)
            ShowErrorCodeAlert(ZM_ALERT_UNEXPECTED_EVENT_ERROR, unshown);
    }
}

bool IsListedAsWrong(const EventBatch& batch, const API_Guid& stamp) {
    return batch.pendingWrongStamps.Contains(stamp) ||
           (CheckPalette::HasInstance() && CheckPalette::GetInstance().ListsWrongStamp(stamp));
}

void ShowCreateCommandFindings(const GuidSet& rooms, const GuidSet& stamps) {
    CheckPalette& palette = CheckPalette::GetInstance();
    palette.AddInconsistentRooms(rooms);
    palette.AddWrongStamps(stamps);
    ShowPaletteNow();
}

} // namespace Zarimark
