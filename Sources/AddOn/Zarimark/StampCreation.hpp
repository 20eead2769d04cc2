#ifndef ZARIMARK_STAMPCREATION_HPP
#define ZARIMARK_STAMPCREATION_HPP

#include "GSRoot/Array.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// Makes a live stamp of one apartment from a prepared label: writes the room data, the apartment
// ID and, when the label asks for automatic lines, one line per shown category; then creates the
// label, observes it and links it with each room both ways. The element's header receives the new
// stamp's GUID; the memo's parameters are changed in place.
// ErrStampNotCreated, with nothing created, when the apartment ID does not fit the stamp or
// automatic lines come without exactly one line text. An element created before a later step
// failed is kept.
GSErrCode CreateStampElement(const GS::UniString& apartmentId, GS::Array<API_Guid> rooms,
                             API_Element& element, API_ElementMemo& memo);

} // namespace Zarimark

#endif
