#ifndef FORMATS_HEX_HPP
#define FORMATS_HEX_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Formats {

// "0x" and upper-case digits, at least `minDigits` of them, as printf's "0x%0*X".
std::string HexNumber(std::uint64_t value, int minDigits);

// Two upper-case digits per byte, no prefix or separator.
void AppendHexByte(std::uint8_t byte, std::string* text);
std::string HexBytes(const std::uint8_t* data, std::size_t size);
inline std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    return HexBytes(bytes.data(), bytes.size());
}

// 0 to 15 for a digit in either letter case, -1 for any other character.
int HexDigitValue(char c);
// The inverse of HexBytes (either letter case); false on an odd length or a non-digit.
bool ParseHexBytes(std::string_view text, std::vector<std::uint8_t>* bytes);

} // namespace Formats

#endif
