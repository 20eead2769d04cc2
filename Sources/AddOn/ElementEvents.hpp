#ifndef ADDON_ELEMENTEVENTS_HPP
#define ADDON_ELEMENTEVENTS_HPP

#include "AddOn/EventBatch.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// One element event's two results: the handler's, and that of re-checking the rooms concerned.
struct ElementEventResult {
    GSErrCode handler = NoError;
    GSErrCode check = NoError;
};

// Every zone event, also one no handler takes, ends with the zone's area check.
ElementEventResult HandleZoneEvent(Int32 code, const API_Guid& zone, EventBatch& batch);

// Every label event, also one no handler takes, ends with the check of the label's rooms.
ElementEventResult HandleLabelEvent(Int32 code, const API_Elem_Head& label, EventBatch& batch);

} // namespace Zarimark

#endif
