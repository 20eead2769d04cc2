#ifndef ZARIMARK_OWNSTAMPWRITES_HPP
#define ZARIMARK_OWNSTAMPWRITES_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// The host reports the add-on's own stamp changes back to it as change events. A stamp that
// still holds exactly what the add-on last wrote into it (its part and every parameter) has
// nothing new to handle; anything else, a user's edit among it, is handled as usual. Comparing
// content rather than counting events keeps a user's change that arrives between the add-on's
// write and its echo from being taken for the echo.
namespace OwnStampWrites {

// After a successful change of the stamp with these parameters and library part.
void Remember(const API_Guid& stamp, Int32 libInd, const API_AddParType* const* params);

// True when the stamp's change event is the echo of the add-on's last write. Either way the
// write is forgotten: an echo comes once, and a later change is the user's. A stamp the host
// cannot read is not taken for an echo.
bool IsEchoOfOwnWrite(const API_Guid& stamp);

void Forget(const API_Guid& stamp);

} // namespace OwnStampWrites

} // namespace Zarimark

#endif
