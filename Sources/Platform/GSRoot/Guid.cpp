#include "GSRoot/Guid.hpp"

#include <cstring>

namespace GS {

namespace {

// Text positions of the 16 bytes in "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX": the first three
// groups are little-endian numbers, so their bytes appear reversed in the text.
constexpr int TextOffsetOfByte[16] = {6, 4, 2, 0, 11, 9, 16, 14, 19, 21, 24, 26, 28, 30, 32, 34};
constexpr std::size_t TextLength = 36;

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsDashPosition(std::size_t pos) {
    return pos == 8 || pos == 13 || pos == 18 || pos == 23;
}

bool HasValidShape(const char* text) {
    for (std::size_t pos = 0; pos < TextLength; ++pos) {
        const bool ok = IsDashPosition(pos) ? text[pos] == '-' : HexValue(text[pos]) >= 0;
        if (!ok)
            return false;
    }
    return true;
}

// The bare 36-character form, with or without surrounding braces; null when neither.
const char* StripBraces(const char* text) {
    const std::size_t length = std::strlen(text);
    if (length == TextLength)
        return text;
    if (length == TextLength + 2 && text[0] == '{' && text[TextLength + 1] == '}')
        return text + 1;
    return nullptr;
}

} // namespace

Guid::Guid(const char* text) {
    FromString(text, this);
}

bool Guid::FromString(const char* text, Guid* guid) {
    if (text == nullptr || guid == nullptr)
        return false;
    const char* bare = StripBraces(text);
    if (bare == nullptr || !HasValidShape(bare)) {
        *guid = Guid();
        return false;
    }
    for (int i = 0; i < 16; ++i) {
        const int at = TextOffsetOfByte[i];
        guid->bytes_[i] = static_cast<UInt8>(HexValue(bare[at]) * 16 + HexValue(bare[at + 1]));
    }
    return true;
}

Guid Guid::FromBytes(const UInt8 bytes[16]) {
    Guid guid;
    std::memcpy(guid.bytes_, bytes, sizeof guid.bytes_);
    return guid;
}

void Guid::ToBytes(UInt8 bytes[16]) const {
    std::memcpy(bytes, bytes_, sizeof bytes_);
}

std::string Guid::ToString() const {
    static const char digits[] = "0123456789ABCDEF";
    std::string text(TextLength, '-');
    for (int i = 0; i < 16; ++i) {
        const int at = TextOffsetOfByte[i];
        text[at] = digits[bytes_[i] >> 4];
        text[at + 1] = digits[bytes_[i] & 0x0F];
    }
    return text;
}

UniString Guid::ToUniString() const {
    return UniString(ToString());
}

bool Guid::IsNull() const {
    for (UInt8 byte : bytes_) {
        if (byte != 0)
            return false;
    }
    return true;
}

UInt32 Guid::GetWord(int index) const {
    if (index < 0 || index > 3)
        return 0;
    const UInt8* b = bytes_ + 4 * index;
    return UInt32(b[0]) | (UInt32(b[1]) << 8) | (UInt32(b[2]) << 16) | (UInt32(b[3]) << 24);
}

bool Guid::operator==(const Guid& other) const {
    return std::memcmp(bytes_, other.bytes_, sizeof bytes_) == 0;
}

ULong Guid::GenerateHashValue() const {
    return GetWord(0) ^ (GetWord(1) * 31u) ^ (GetWord(2) * 961u) ^ (GetWord(3) * 29791u);
}

} // namespace GS

API_Guid GSGuid2APIGuid(const GS::Guid& guid) {
    UInt8 b[16];
    guid.ToBytes(b);
    API_Guid result;
    result.time_low = UInt32(b[0]) | (UInt32(b[1]) << 8) | (UInt32(b[2]) << 16) | (UInt32(b[3]) << 24);
    result.time_mid = static_cast<UInt16>(b[4] | (b[5] << 8));
    result.time_hi_and_version = static_cast<UInt16>(b[6] | (b[7] << 8));
    result.clock_seq_hi_and_reserved = b[8];
    result.clock_seq_low = b[9];
    std::memcpy(result.node, b + 10, 6);
    return result;
}

GS::Guid APIGuid2GSGuid(const API_Guid& guid) {
    const UInt8 b[16] = {static_cast<UInt8>(guid.time_low),
                         static_cast<UInt8>(guid.time_low >> 8),
                         static_cast<UInt8>(guid.time_low >> 16),
                         static_cast<UInt8>(guid.time_low >> 24),
                         static_cast<UInt8>(guid.time_mid),
                         static_cast<UInt8>(guid.time_mid >> 8),
                         static_cast<UInt8>(guid.time_hi_and_version),
                         static_cast<UInt8>(guid.time_hi_and_version >> 8),
                         guid.clock_seq_hi_and_reserved,
                         guid.clock_seq_low,
                         guid.node[0],
                         guid.node[1],
                         guid.node[2],
                         guid.node[3],
                         guid.node[4],
                         guid.node[5]};
    return GS::Guid::FromBytes(b);
}

std::string APIGuidToString(const API_Guid& guid) {
    return APIGuid2GSGuid(guid).ToString();
}

API_Guid APIGuidFromString(const char* text) {
    return GSGuid2APIGuid(GS::Guid(text));
}
