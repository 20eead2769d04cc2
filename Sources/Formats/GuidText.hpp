#ifndef FORMATS_GUIDTEXT_HPP
#define FORMATS_GUIDTEXT_HPP

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Formats {

// The 16 bytes of a GUID as stored: the first group as a 32-bit little-endian word, the second
// and third as 16-bit little-endian words, the last eight bytes as written.
using GuidBytes = std::array<std::uint8_t, 16>;

constexpr std::size_t GuidTextLength = 36;

// Accepts exactly "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" in either letter case; false (and
// `bytes` untouched) otherwise.
bool ParseGuidText(std::string_view text, GuidBytes* bytes);
std::string FormatGuidText(const GuidBytes& bytes); // upper case, with dashes

} // namespace Formats

#endif
