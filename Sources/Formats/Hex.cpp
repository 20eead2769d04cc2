#include "Formats/Hex.hpp"

namespace Formats {

namespace {

constexpr char Digits[] = "0123456789ABCDEF";

} // namespace

std::string HexNumber(std::uint64_t value, int minDigits) {
    int digits = 1;
    while (digits < 16 && (value >> (4 * digits)) != 0)
        ++digits;
    if (digits < minDigits)
        digits = minDigits;
    std::string text = "0x";
    for (int k = digits - 1; k >= 0; --k)
        text.push_back(k >= 16 ? '0' : Digits[(value >> (4 * k)) & 0xF]);
    return text;
}

void AppendHexByte(std::uint8_t byte, std::string* text) {
    text->push_back(Digits[byte >> 4]);
    text->push_back(Digits[byte & 0xF]);
}

std::string HexBytes(const std::uint8_t* data, std::size_t size) {
    std::string text;
    text.reserve(2 * size);
    for (std::size_t k = 0; k < size; ++k)
        AppendHexByte(data[k], &text);
    return text;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseHexBytes(std::string_view text, std::vector<std::uint8_t>* bytes) {
    if (text.size() % 2 != 0)
        return false;
    std::vector<std::uint8_t> parsed;
    parsed.reserve(text.size() / 2);
    for (std::size_t k = 0; k < text.size(); k += 2) {
        const int high = HexDigitValue(text[k]);
        const int low = HexDigitValue(text[k + 1]);
        if (high < 0 || low < 0)
            return false;
        parsed.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    *bytes = std::move(parsed);
    return true;
}

} // namespace Formats
