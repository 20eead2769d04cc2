#include "TextCodec/Utf.hpp"

#include <cstddef>

namespace TextCodec {

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

bool IsSurrogate(char32_t codePoint) {
    return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

// Decodes one code point at `at`; 0 when the sequence there is malformed.
std::size_t DecodeUtf8(std::string_view utf8, std::size_t at, char32_t* codePoint) {
    static const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const int length = SequenceLength(static_cast<unsigned char>(utf8[at]), codePoint);
    if (length == 0 || at + static_cast<std::size_t>(length) > utf8.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(utf8[at + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            return 0;
        *codePoint = (*codePoint << 6) | (next & 0x3F);
    }
    if (*codePoint < shortest[length] || *codePoint > 0x10FFFF || IsSurrogate(*codePoint))
        return 0;
    return static_cast<std::size_t>(length);
}

void EncodeUtf8(char32_t codePoint, std::string* utf8) {
    if (codePoint < 0x80) {
        utf8->push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        utf8->push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        utf8->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        utf8->push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        utf8->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        utf8->push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        utf8->push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

} // namespace

bool Utf8ToUtf16(std::string_view utf8, std::u16string* utf16) {
    utf16->clear();
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(utf8, at, &codePoint);
        if (length == 0)
            return false;
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            utf16->push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
            utf16->push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
        } else {
            utf16->push_back(static_cast<char16_t>(codePoint));
        }
        at += length;
    }
    return true;
}

bool Utf16ToUtf8(std::u16string_view utf16, std::string* utf8) {
    utf8->clear();
    for (std::size_t at = 0; at < utf16.size(); ++at) {
        char32_t codePoint = utf16[at];
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            if (at + 1 >= utf16.size() || utf16[at + 1] < 0xDC00 || utf16[at + 1] > 0xDFFF)
                return false;
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (utf16[at + 1] - 0xDC00);
            ++at;
        } else if (IsSurrogate(codePoint)) {
            return false;
        }
        EncodeUtf8(codePoint, utf8);
    }
    return true;
}

std::size_t FindInvalidUtf8(std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(utf8, at, &codePoint);
        if (length == 0)
            return at;
        at += length;
    }
    return std::string_view::npos;
}

} // namespace TextCodec
