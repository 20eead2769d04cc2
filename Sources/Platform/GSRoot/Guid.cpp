#include "GSRoot/Guid.hpp"

#include <cstring>
#include <string_view>

#include "Formats/GuidText.hpp"

namespace GS {

namespace {

// The bare form, with or without surrounding braces; empty when neither.
std::string_view StripBraces(std::string_view text) {
    if (text.size() == Formats::GuidTextLength)
        return text;
    if (text.size() == Formats::GuidTextLength + 2 && text.front() == '{' && text.back() == '}')
        return text.substr(1, Formats::GuidTextLength);
    return {};
}

} // namespace

Guid::Guid(const char* text) {
    FromString(text, this);
}

bool Guid::FromString(const char* text, Guid* guid) {
    if (text == nullptr || guid == nullptr)
        return false;
    Formats::GuidBytes bytes{};
    if (!Formats::ParseGuidText(StripBraces(text), &bytes)) {
        *guid = Guid();
        return false;
    }
    std::memcpy(guid->bytes_, bytes.data(), bytes.size());
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
    Formats::GuidBytes bytes{};
    std::memcpy(bytes.data(), bytes_, sizeof bytes_);
    return Formats::FormatGuidText(bytes);
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
