#ifndef GSROOT_APIGUID_HPP
#define GSROOT_APIGUID_HPP

#include "GSRoot/Definitions.hpp"

// The host's element identifier. Its memory layout is the GUID's 16-byte form on a
// little-endian machine: first group a 32-bit word, second and third 16-bit words, then
// the last eight bytes as written.
struct API_Guid {
    UInt32 time_low = 0;
    UInt16 time_mid = 0;
    UInt16 time_hi_and_version = 0;
    UInt8 clock_seq_hi_and_reserved = 0;
    UInt8 clock_seq_low = 0;
    UInt8 node[6] = {0, 0, 0, 0, 0, 0};
};
static_assert(sizeof(API_Guid) == 16, "API_Guid is the 16-byte GUID form");

bool operator==(const API_Guid& a, const API_Guid& b);
inline bool operator!=(const API_Guid& a, const API_Guid& b) {
    return !(a == b);
}
bool operator<(const API_Guid& a, const API_Guid& b);

extern const API_Guid APINULLGuid;

namespace GS {
ULong GenerateHashValue(const API_Guid& guid);
}

#endif
