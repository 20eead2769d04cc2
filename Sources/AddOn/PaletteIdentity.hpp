#ifndef ADDON_PALETTEIDENTITY_HPP
#define ADDON_PALETTEIDENTITY_HPP

#include "GSRoot/Guid.hpp"
#include "Host/APIGuid.hpp"

namespace Zarimark {

// The check palette's identity towards the host, built when the module is loaded.
namespace PaletteIdentity {

const GS::Guid& GetPaletteGuid();
API_Guid GetPaletteApiGuid();
// The wrapping sum of the GUID's four 32-bit words; the host hands it back to the palette's
// control callback.
Int32 GetPaletteReferenceId();

// Exposed so that the rule can be checked on other GUIDs.
UInt32 ComputeReferenceId(const GS::Guid& guid);

} // namespace PaletteIdentity

} // namespace Zarimark

#endif
