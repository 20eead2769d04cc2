#include "GSRoot/APIGuid.hpp"

#include <cstring>
#include <tuple>

const API_Guid APINULLGuid{};

namespace {

// Field by field, so that the order is the order of the upper-case text forms.
auto OrderKey(const API_Guid& g) {
    return std::make_tuple(g.time_low, g.time_mid, g.time_hi_and_version, g.clock_seq_hi_and_reserved,
                           g.clock_seq_low, g.node[0], g.node[1], g.node[2], g.node[3], g.node[4], g.node[5]);
}

} // namespace

bool operator==(const API_Guid& a, const API_Guid& b) {
    return OrderKey(a) == OrderKey(b);
}

bool operator<(const API_Guid& a, const API_Guid& b) {
    return OrderKey(a) < OrderKey(b);
}

namespace GS {

ULong GenerateHashValue(const API_Guid& guid) {
    UInt32 words[4];
    std::memcpy(words, &guid, sizeof words);
    return words[0] ^ (words[1] * 31u) ^ (words[2] * 961u) ^ (words[3] * 29791u);
}

} // namespace GS
