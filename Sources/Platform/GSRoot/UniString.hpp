#ifndef GSROOT_UNISTRING_HPP
#define GSROOT_UNISTRING_HPP

#include <cstddef>
#include <string>

#include "GSRoot/Definitions.hpp"

namespace GS {

// The host library's text: a sequence of UTF-16 code units. Equality, ordering and hashing work
// on the code units exactly as stored: no normalisation, no case folding.
class UniString {
public:
    // Keeps an 8-bit conversion alive for the duration of a full expression.
    class CStr {
    public:
        explicit CStr(std::string text) : text_(std::move(text)) {}
        const char* Get() const { return text_.c_str(); }
        operator const char*() const { return text_.c_str(); }

    private:
        std::string text_;
    };

    UniString() = default;
    UniString(const char* utf8);               // NOLINT: implicit, as the host's
    UniString(const std::string& utf8);        // NOLINT
    UniString(const char16_t* zeroTerminated); // NOLINT
    UniString(const char16_t* units, USize length);
    explicit UniString(std::u16string units) : units_(std::move(units)) {}

    // The text of a fixed UTF-16 field of a host record: up to its first zero unit, or the whole
    // field when the host filled it to the last unit.
    static UniString FromField(const char16_t* field, USize capacity);
    template <std::size_t N>
    static UniString FromField(const char16_t (&field)[N]) {
        return FromField(field, static_cast<USize>(N));
    }

    // printf-style formatting; the format and %s arguments are UTF-8 texts. A template rather than
    // a C variadic, because va_start on a reference parameter is undefined.
    template <typename... Args>
    static UniString Printf(const UniString& format, const Args&... args) {
        return PrintfUtf8(format.ToUtf8().c_str(), PrintfArg(args)...);
    }
    static UniString PrintfUtf8(const char* format, ...);

    USize GetLength() const { return static_cast<USize>(units_.size()); }
    bool IsEmpty() const { return units_.empty(); }
    char16_t operator[](UIndex index) const { return units_[index]; }
    void Clear() { units_.clear(); }
    UniString& Append(const UniString& other);
    UniString& operator+=(const UniString& other) { return Append(other); }
    UniString& operator+=(char16_t unit);
    UniString GetSubstring(UIndex from, USize length) const;

    // The default 8-bit conversion (UTF-8 here).
    CStr ToCStr() const;
    std::string ToUtf8() const;
    // Zero-terminated UTF-16, valid until the text changes.
    const char16_t* ToUStr() const { return units_.c_str(); }
    const std::u16string& GetUnits() const { return units_; }

    ULong GenerateHashValue() const;

    bool operator==(const UniString& other) const { return units_ == other.units_; }
    bool operator!=(const UniString& other) const { return units_ != other.units_; }
    // Code unit by code unit.
    bool operator<(const UniString& other) const { return units_ < other.units_; }

private:
    template <typename T>
    static const T& PrintfArg(const T& value) {
        return value;
    }
    static const char* PrintfArg(const CStr& text) { return text.Get(); }
    static const char* PrintfArg(const std::string& text) { return text.c_str(); }

    std::u16string units_;
};

UniString operator+(const UniString& left, const UniString& right);

} // namespace GS

#endif
