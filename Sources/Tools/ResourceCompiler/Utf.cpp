#include "Utf.hpp"

#include <cstdint>

namespace ResourceCompiler {

namespace {

int SequenceLength(unsigned char lead, char32_t* initial) {
    if (lead < 0x80) {
        *initial = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        *initial = lead & 0x1F;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        *initial = lead & 0x0F;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        *initial = lead & 0x07;
        return 4;
    }
    return 0;
}

bool IsShortestForm(char32_t codePoint, int length) {
    static const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    return codePoint >= minimum[length];
}

} // namespace

bool Utf8ToUtf16(const std::string& utf8, std::u16string* utf16) {
    utf16->clear();
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const int length = SequenceLength(static_cast<unsigned char>(utf8[i]), &codePoint);
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (!IsShortestForm(codePoint, length) || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            utf16->push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
            utf16->push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
        } else {
            utf16->push_back(static_cast<char16_t>(codePoint));
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

} // namespace ResourceCompiler
