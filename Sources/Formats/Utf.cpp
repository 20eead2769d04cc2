#include "Formats/Utf.hpp"

namespace Formats {

namespace {

// Length of the sequence a lead byte opens and the allowed range of its second byte; the ranges
// exclude overlong forms, encoded surrogates and code points past U+10FFFF.
struct LeadInfo {
    int length; // 0: not a lead byte
    unsigned char secondLow;
    unsigned char secondHigh;
};

LeadInfo ClassifyLead(unsigned char lead) {
    if (lead < 0x80)
        return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// Decodes one code point at `at` and moves past it. A malformed sequence gives false and moves
// past its longest valid prefix, at least one byte.
bool DecodeOne(std::string_view utf8, std::size_t& at, char32_t* codePoint) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at++]);
    const LeadInfo info = ClassifyLead(lead);
    if (info.length == 1) {
        *codePoint = lead;
        return true;
    }
    if (info.length == 0)
        return false;
    char32_t value = lead & (0xFF >> (info.length + 1));
    for (int k = 1; k < info.length; ++k) {
        if (at >= utf8.size())
            return false;
        const unsigned char next = static_cast<unsigned char>(utf8[at]);
        const unsigned char low = k == 1 ? info.secondLow : 0x80;
        const unsigned char high = k == 1 ? info.secondHigh : 0xBF;
        if (next < low || next > high)
            return false;
        value = (value << 6) | (next & 0x3F);
        ++at;
    }
    *codePoint = value;
    return true;
}

void AppendUtf16(char32_t codePoint, std::u16string* utf16) {
    if (codePoint < 0x10000) {
        utf16->push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    utf16->push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    utf16->push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

void AppendUtf8(char32_t codePoint, std::string* utf8) {
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

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One code point from `at`, a pair taken together; a lone surrogate gives false and moves one unit.
bool NextCodePoint(std::u16string_view utf16, std::size_t& at, char32_t* codePoint) {
    const char32_t unit = utf16[at++];
    if (IsHighSurrogate(unit) && at < utf16.size() && IsLowSurrogate(utf16[at])) {
        *codePoint = 0x10000 + ((unit - 0xD800) << 10) + (char32_t(utf16[at]) - 0xDC00);
        ++at;
        return true;
    }
    *codePoint = unit;
    return !IsHighSurrogate(unit) && !IsLowSurrogate(unit);
}

} // namespace

bool Utf8ToUtf16(std::string_view utf8, std::u16string* utf16) {
    utf16->clear();
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t codePoint = 0;
        if (!DecodeOne(utf8, at, &codePoint))
            return false;
        AppendUtf16(codePoint, utf16);
    }
    return true;
}

bool Utf16ToUtf8(std::u16string_view utf16, std::string* utf8) {
    utf8->clear();
    for (std::size_t at = 0; at < utf16.size();) {
        char32_t codePoint = 0;
        if (!NextCodePoint(utf16, at, &codePoint))
            return false;
        AppendUtf8(codePoint, utf8);
    }
    return true;
}

std::size_t FindInvalidUtf8(std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        char32_t codePoint = 0;
        if (!DecodeOne(utf8, at, &codePoint))
            return start;
    }
    return std::string_view::npos;
}

std::u16string Utf8ToUtf16Lenient(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t codePoint = 0;
        AppendUtf16(DecodeOne(utf8, at, &codePoint) ? codePoint : ReplacementCharacter, &utf16);
    }
    return utf16;
}

std::string Utf16ToUtf8Lenient(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size();) {
        char32_t codePoint = 0;
        AppendUtf8(NextCodePoint(utf16, at, &codePoint) ? codePoint : ReplacementCharacter, &utf8);
    }
    return utf8;
}

std::size_t BoundedUtf16Length(const char16_t* field, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && field[length] != u'\0')
        ++length;
    return length;
}

} // namespace Formats
