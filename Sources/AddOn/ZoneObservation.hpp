#ifndef ADDON_ZONEOBSERVATION_HPP
#define ADDON_ZONEOBSERVATION_HPP

#include "GSRoot/Definitions.hpp"

namespace Zarimark {

// Changes of a zone without the add-on's observer never reach it, and such a zone may join any
// apartment: while one is left, no stamp can be vouched for. So every stamp is listed as wrong,
// and each later call from the host tries again before it does anything else. Process-wide; a
// project event starts afresh.
namespace ZoneObservation {

// Attaches the observer to every zone of the project, also after one failed; returns the first
// failure (the zones could not be listed, or a zone refused the observer).
GSErrCode ObserveProjectZones();

// Tries again for what is still unobserved and lists every stamp once more: changes may have
// passed unseen meanwhile, and stamps made since may show such a zone. Costs no host call while
// every zone is observed.
void Resume();

// A new host: nothing of the last one's zones is known.
void Forget();

} // namespace ZoneObservation

} // namespace Zarimark

#endif
