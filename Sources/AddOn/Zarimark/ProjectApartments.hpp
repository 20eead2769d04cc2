#ifndef ZARIMARK_PROJECTAPARTMENTS_HPP
#define ZARIMARK_PROJECTAPARTMENTS_HPP

#include "AddOn/Zarimark/ApartmentModel.hpp"

namespace Zarimark {

// Every zone of the project grouped by apartment. Zones without apartment ID are left out; the
// user is warned about them unless `warn` is false (they were told already).
GSErrCode GroupProjectRooms(ApartmentRooms& apartments, bool warn = true);

// The zones carrying the apartment ID, in list order, less those in `exclude`. A zone whose ID
// cannot be read for another reason than a missing parameter stops the search: going on would
// leave it out of its apartment unnoticed.
GSErrCode FindApartmentZones(const GS::UniString& apartmentId, const GS::Array<API_Guid>& exclude,
                             GS::Array<API_Guid>& rooms, bool& idMissing);

} // namespace Zarimark

#endif
