#ifndef HOST_APIGUID_HPP
#define HOST_APIGUID_HPP

#include <cstring>
#include <string>
#include <tuple>

#include "GSRoot/Definitions.hpp"
#include "GSRoot/Guid.hpp"

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

inline const API_Guid APINULLGuid{};

namespace HostDetail {
// Field by field, so that the order is the order of the upper-case text forms.
inline auto OrderKey(const API_Guid& g) {
    return std::make_tuple(g.time_low, g.time_mid, g.time_hi_and_version, g.clock_seq_hi_and_reserved,
                           g.clock_seq_low, g.node[0], g.node[1], g.node[2], g.node[3], g.node[4], g.node[5]);
}
} // namespace HostDetail

inline bool operator==(const API_Guid& a, const API_Guid& b) {
    return HostDetail::OrderKey(a) == HostDetail::OrderKey(b);
}
inline bool operator!=(const API_Guid& a, const API_Guid& b) {
    return !(a == b);
}
inline bool operator<(const API_Guid& a, const API_Guid& b) {
    return HostDetail::OrderKey(a) < HostDetail::OrderKey(b);
}

// Found by the host library's hash tables through argument-dependent lookup.
inline ULong GenerateHashValue(const API_Guid& guid) {
    UInt32 words[4];
    std::memcpy(words, &guid, sizeof words);
    return words[0] ^ (words[1] * 31u) ^ (words[2] * 961u) ^ (words[3] * 29791u);
}

inline API_Guid GSGuid2APIGuid(const GS::Guid& guid) {
    UInt8 bytes[16];
    guid.ToBytes(bytes);
    API_Guid result;
    result.time_low =
        UInt32(bytes[0]) | (UInt32(bytes[1]) << 8) | (UInt32(bytes[2]) << 16) | (UInt32(bytes[3]) << 24);
    result.time_mid = static_cast<UInt16>(bytes[4] | (bytes[5] << 8));
    result.time_hi_and_version = static_cast<UInt16>(bytes[6] | (bytes[7] << 8));
    result.clock_seq_hi_and_reserved = bytes[8];
    result.clock_seq_low = bytes[9];
    std::memcpy(result.node, bytes + 10, 6);
    return result;
}

inline GS::Guid APIGuid2GSGuid(const API_Guid& guid) {
    const UInt8 bytes[16] = {static_cast<UInt8>(guid.time_low),
                             static_cast<UInt8>(guid.time_low >> 8),
                             static_cast<UInt8>(guid.time_low >> 16),
                             static_cast<UInt8>(guid.time_low >> 24),
                             static_cast<UInt8>(guid.time_mid),
                             static_cast<UInt8>(guid.time_mid >> 8),
                             static_cast<UInt8>(guid.time_hi_and_version),
                             static_cast<UInt8>(guid.time_hi_and_version >> 8),
                             guid.clock_seq_hi_and_reserved,
                             guid.clock_seq_low,
                             guid.node[0],
                             guid.node[1],
                             guid.node[2],
                             guid.node[3],
                             guid.node[4],
                             guid.node[5]};
    return GS::Guid::FromBytes(bytes);
}

// Text form of an element GUID, and back (null on a malformed text).
inline std::string APIGuidToString(const API_Guid& guid) {
    return APIGuid2GSGuid(guid).ToString();
}
inline API_Guid APIGuidFromString(const char* text) {
    return GSGuid2APIGuid(GS::Guid(text));
}

#endif
