#include "GSRoot/UniString.hpp"

#include <cstdarg>
#include <cstring>

#include "GSRoot/FormatArgs.hpp"

namespace GS {

namespace {

constexpr char32_t ReplacementChar = 0xFFFD;

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

void AppendCodePoint(std::u16string& units, char32_t cp) {
    if (cp < 0x10000) {
        units.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    units.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    units.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// Length of the sequence a lead byte opens, and the allowed range of its second byte; this
// rejects overlong forms, encoded surrogates and code points beyond U+10FFFF.
struct LeadInfo {
    int length;
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

// Decodes one code point starting at bytes[pos]; an invalid sequence yields U+FFFD and consumes
// its longest valid prefix (at least one byte), so decoding resumes at the offending byte.
char32_t DecodeOne(const unsigned char* bytes, std::size_t size, std::size_t& pos) {
    const unsigned char lead = bytes[pos++];
    const LeadInfo info = ClassifyLead(lead);
    if (info.length == 1)
        return lead;
    if (info.length == 0)
        return ReplacementChar;
    char32_t cp = lead & (0xFF >> (info.length + 1));
    for (int i = 1; i < info.length; ++i) {
        const bool valid = pos < size && (i == 1 ? IsContinuation(bytes[pos], info.secondLow, info.secondHigh)
                                                 : IsContinuation(bytes[pos]));
        if (!valid)
            return ReplacementChar;
        cp = (cp << 6) | (bytes[pos++] & 0x3F);
    }
    return cp;
}

std::u16string DecodeUtf8(const char* text, std::size_t size) {
    std::u16string units;
    units.reserve(size);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t pos = 0;
    while (pos < size)
        AppendCodePoint(units, DecodeOne(bytes, size, pos));
    return units;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string EncodeUtf8(const std::u16string& units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            const char32_t cp =
                0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, ReplacementChar);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace

UniString::UniString(const char* utf8) {
    if (utf8 != nullptr)
        units_ = DecodeUtf8(utf8, std::strlen(utf8));
}

UniString::UniString(const std::string& utf8) : units_(DecodeUtf8(utf8.data(), utf8.size())) {}

UniString::UniString(const char16_t* zeroTerminated) {
    if (zeroTerminated != nullptr)
        units_ = zeroTerminated;
}

UniString::UniString(const char16_t* units, USize length) {
    if (units != nullptr)
        units_.assign(units, length);
}

UniString UniString::PrintfUtf8(const char* format, ...) {
    if (format == nullptr)
        return UniString();
    std::va_list args;
    va_start(args, format);
    const std::string text = Detail::FormatArgs(format, args);
    va_end(args);
    return UniString(text);
}

UniString& UniString::Append(const UniString& other) {
    units_ += other.units_;
    return *this;
}

UniString& UniString::operator+=(char16_t unit) {
    units_.push_back(unit);
    return *this;
}

UniString UniString::GetSubstring(UIndex from, USize length) const {
    if (from >= units_.size())
        return UniString();
    return UniString(units_.substr(from, length));
}

UniString::CStr UniString::ToCStr() const {
    return CStr(ToUtf8());
}

std::string UniString::ToUtf8() const {
    return EncodeUtf8(units_);
}

ULong UniString::GenerateHashValue() const {
    // FNV-1a over the code units.
    ULong hash = 2166136261u;
    for (char16_t unit : units_) {
        hash ^= static_cast<ULong>(unit);
        hash *= 16777619u;
    }
    return hash;
}

UniString operator+(const UniString& left, const UniString& right) {
    UniString result(left);
    result.Append(right);
    return result;
}

} // namespace GS
