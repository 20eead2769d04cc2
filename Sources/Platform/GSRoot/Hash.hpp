#ifndef GSROOT_HASH_HPP
#define GSROOT_HASH_HPP

#include <type_traits>

#include "GSRoot/Definitions.hpp"

namespace GS {

// Hash values of the host library. Key types provide GenerateHashValue, either as a member or
// as a free function found by argument-dependent lookup; integral and enumeration keys hash to themselves.
template <typename T>
auto CalculateHashValue(const T& key) -> decltype(key.GenerateHashValue()) {
    return key.GenerateHashValue();
}

template <typename T>
auto CalculateHashValue(const T& key) -> decltype(GenerateHashValue(key)) {
    return GenerateHashValue(key);
}

template <typename T,
          typename std::enable_if<std::is_integral<T>::value || std::is_enum<T>::value, int>::type = 0>
ULong CalculateHashValue(const T& key) {
    const auto wide = static_cast<UInt64>(key);
    return static_cast<ULong>(wide ^ (wide >> 32));
}

template <typename T>
struct Hasher {
    std::size_t operator()(const T& key) const { return static_cast<std::size_t>(CalculateHashValue(key)); }
};

} // namespace GS

#endif
