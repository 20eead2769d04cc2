#include "AddOn/PaletteIdentity.hpp"
#include "Host/APIGuid.hpp"

namespace Zarimark {

namespace PaletteIdentity {

namespace {
// Same translation unit, so the GUID is built before the reference ID is computed from it.
const GS::Guid paletteGuid("45D7CAFB-970B-4D95-BF7A-697E894006AF");
const UInt32 paletteReferenceId = ComputeReferenceId(paletteGuid);
} // namespace

UInt32 ComputeReferenceId(const GS::Guid& guid) {
    UInt32 sum = 0;
    for (int word = 0; word < 4; ++word)
        sum += guid.GetWord(word);
    return sum;
}

const GS::Guid& GetPaletteGuid() {
    return paletteGuid;
}

API_Guid GetPaletteApiGuid() {
    return GSGuid2APIGuid(paletteGuid);
}

Int32 GetPaletteReferenceId() {
    return static_cast<Int32>(paletteReferenceId);
}

} // namespace PaletteIdentity

} // namespace Zarimark
