#include "GSRoot/UniString.hpp"

#include <cstdarg>

#include "Formats/Utf.hpp"
#include "GSRoot/FormatArgs.hpp"

namespace GS {

UniString::UniString(const char* utf8) {
    if (utf8 != nullptr)
        units_ = Formats::Utf8ToUtf16Lenient(utf8);
}

UniString::UniString(const std::string& utf8) : units_(Formats::Utf8ToUtf16Lenient(utf8)) {}

UniString::UniString(const char16_t* zeroTerminated) {
    if (zeroTerminated != nullptr)
        units_ = zeroTerminated;
}

UniString::UniString(const char16_t* units, USize length) {
    if (units != nullptr)
        units_.assign(units, length);
}

UniString UniString::FromField(const char16_t* field, USize capacity) {
    if (field == nullptr)
        return UniString();
    return UniString(field, static_cast<USize>(Formats::BoundedUtf16Length(field, capacity)));
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
    return Formats::Utf16ToUtf8Lenient(units_);
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
