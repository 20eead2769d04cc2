#include "Formats/GuidText.hpp"

#include "Formats/Hex.hpp"

#include <cstddef>

namespace Formats {

namespace {

// Byte k of the text form (two hex digits each, dashes skipped) lands at stored[TextToStored[k]]:
// the first three groups are little-endian words, the last eight bytes keep their order.
constexpr std::size_t TextToStored[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};

bool IsDashPosition(std::size_t at) {
    return at == 8 || at == 13 || at == 18 || at == 23;
}

} // namespace

bool ParseGuidText(std::string_view text, GuidBytes* bytes) {
    if (text.size() != GuidTextLength)
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
        const int high = HexDigitValue(text[at]);
        const int low = HexDigitValue(text[at + 1]);
        if (high < 0 || low < 0)
            return false;
        parsed[TextToStored[byte++]] = static_cast<std::uint8_t>(high * 16 + low);
        at += 2;
    }
    *bytes = parsed;
    return true;
}

std::string FormatGuidText(const GuidBytes& bytes) {
    std::string text;
    text.reserve(GuidTextLength);
    for (std::size_t byte = 0; byte < 16; ++byte) {
        if (IsDashPosition(text.size()))
            text.push_back('-');
        AppendHexByte(bytes[TextToStored[byte]], &text);
    }
    return text;
}

} // namespace Formats
