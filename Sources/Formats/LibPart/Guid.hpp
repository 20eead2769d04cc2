#ifndef FORMATS_LIBPART_GUID_HPP
#define FORMATS_LIBPART_GUID_HPP

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace LibPartFormat {

// A GUID in the 16-byte form library part files use: the first group as a 32-bit little-endian
// word, the second and third as 16-bit little-endian words, the last eight bytes as written.
struct Guid {
    std::array<std::uint8_t, 16> stored{};

    // Accepts "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" in either letter case.
    static std::optional<Guid> Parse(std::string_view text);
    std::string ToString() const; // upper case, with dashes

    bool operator==(const Guid& other) const { return stored == other.stored; }
    bool operator!=(const Guid& other) const { return !(*this == other); }
};

} // namespace LibPartFormat

#endif
