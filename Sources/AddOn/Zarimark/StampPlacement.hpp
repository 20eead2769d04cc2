#ifndef ZARIMARK_STAMPPLACEMENT_HPP
#define ZARIMARK_STAMPPLACEMENT_HPP

#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/GuidSet.hpp"

namespace Zarimark {

// A new label. One the user placed with the stamp part is replaced by a stamp of the clicked
// room's apartment, or of the apartment picked in the create-stamp dialog; cancelling the dialog
// or the reservation leaves no stamp and no error. A stamp the add-on made itself only gets the
// links it still lacks; stampLeftWrong is set when that failed.
GSErrCode HandleStampPlaced(const API_Guid& label, bool& stampLeftWrong);

// Links a new stamp that already carries the observer to the rooms of its apartment it does not
// show yet, and rewrites it. ErrRoomsWithoutApartmentId when some zone has no apartment ID.
GSErrCode LinkPlacedStamp(const API_Element& stamp);

// One stamp per apartment, placed on the current story at the apartment's room with the least
// number there, from the label tool's settings. Stamps whose rooms are inconsistent go into
// wrongStamps, those rooms into inconsistentRooms. An unusable label layer is told with an alert
// and creates nothing (result 0).
GSErrCode CreateStampsForApartments(const ApartmentRooms& apartments, GuidSet& wrongStamps,
                                    GuidSet& inconsistentRooms);

} // namespace Zarimark

#endif
