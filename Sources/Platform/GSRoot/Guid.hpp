#ifndef GSROOT_GUID_HPP
#define GSROOT_GUID_HPP

#include "GSRoot/Definitions.hpp"
#include "GSRoot/UniString.hpp"

namespace GS {

// A GUID with its text form "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" and its 16-byte form
// (first group a 32-bit little-endian word, second and third 16-bit little-endian words, the
// last eight bytes as written).
class Guid {
public:
    Guid() = default;
    // An unparsable text gives the null GUID; use FromString to tell.
    explicit Guid(const char* text);

    static bool FromString(const char* text, Guid* guid);
    static Guid FromBytes(const UInt8 bytes[16]);

    void ToBytes(UInt8 bytes[16]) const;
    std::string ToString() const; // upper-case hex digits
    UniString ToUniString() const;
    bool IsNull() const;

    // The four 32-bit words of the 16-byte form, as little-endian numbers.
    UInt32 GetWord(int index) const;

    bool operator==(const Guid& other) const;
    bool operator!=(const Guid& other) const { return !(*this == other); }
    ULong GenerateHashValue() const;

private:
    UInt8 bytes_[16] = {};
};

} // namespace GS

#endif
