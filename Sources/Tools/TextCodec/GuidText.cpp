#include "TextCodec/GuidText.hpp"

#include <cstddef>

namespace TextCodec {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Byte k of the text form (two hex digits each, dashes skipped) lands at stored[TextToStored[k]]:
// the first three groups are little-endian words, the last eight bytes keep their order.
constexpr std::size_t TextToStored[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr std::size_t DashPositions[4] = {8, 13, 18, 23};
constexpr std::size_t TextLength = 36;

bool IsDashPosition(std::size_t at) {
    for (std::size_t dash : DashPositions)
        if (at == dash)
            return true;
    return false;
}

} // namespace

bool ParseGuidText(std::string_view text, GuidBytes* bytes) {
    if (text.size() != TextLength)
        return false;
    GuidBytes parsed{};
    std::size_t byte = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (IsDashPosition(at)) {
            if (text[at] != '-')
                return false;
            ++at;
            continue;
        }
        const int high = HexValue(text[at]);
        const int low = HexValue(text[at + 1]);
        if (high < 0 || low < 0)
            return false;
        parsed[TextToStored[byte++]] = static_cast<std::uint8_t>(high * 16 + low);
        at += 2;
    }
    *bytes = parsed;
    return true;
}

std::string FormatGuidText(const GuidBytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t byte = 0; byte < 16; ++byte) {
        if (IsDashPosition(text.size()))
            text.push_back('-');
        const std::uint8_t value = bytes[TextToStored[byte]];
        text.push_back(digits[value >> 4]);
        text.push_back(digits[value & 0x0F]);
    }
    return text;
}

} // namespace TextCodec
