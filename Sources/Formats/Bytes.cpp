#include "Formats/Bytes.hpp"

#include <cstring>
#include <stdexcept>

namespace Formats {

std::uint64_t ByteReader::Little(std::size_t count) const {
    std::uint64_t value = 0;
    for (std::size_t k = count; k > 0; --k)
        value = (value << 8) | data_[position_ + k - 1];
    return value;
}

bool ByteReader::U8(std::uint8_t* value) {
    if (Remaining() < 1)
        return false;
    *value = data_[position_++];
    return true;
}

bool ByteReader::U16(std::uint16_t* value) {
    if (Remaining() < 2)
        return false;
    *value = static_cast<std::uint16_t>(Little(2));
    position_ += 2;
    return true;
}

bool ByteReader::I16(std::int16_t* value) {
    std::uint16_t raw = 0;
    if (!U16(&raw))
        return false;
    *value = static_cast<std::int16_t>(raw);
    return true;
}

bool ByteReader::U32(std::uint32_t* value) {
    if (Remaining() < 4)
        return false;
    *value = static_cast<std::uint32_t>(Little(4));
    position_ += 4;
    return true;
}

bool ByteReader::I32(std::int32_t* value) {
    std::uint32_t raw = 0;
    if (!U32(&raw))
        return false;
    *value = static_cast<std::int32_t>(raw);
    return true;
}

bool ByteReader::U64(std::uint64_t* value) {
    if (Remaining() < 8)
        return false;
    *value = Little(8);
    position_ += 8;
    return true;
}

bool ByteReader::F64(double* value) {
    std::uint64_t bits = 0;
    if (!U64(&bits))
        return false;
    std::memcpy(value, &bits, sizeof bits);
    return true;
}

bool ByteReader::Units(std::size_t count, std::u16string* text) {
    if (count > Remaining() / 2)
        return false;
    std::u16string units(count, u'\0');
    for (std::size_t k = 0; k < count; ++k)
        units[k] = static_cast<char16_t>(data_[position_ + 2 * k] | (data_[position_ + 2 * k + 1] << 8));
    position_ += 2 * count;
    *text = std::move(units);
    return true;
}

bool ByteReader::CountedUtf16(std::u16string* text) {
    const std::size_t start = position_;
    std::uint32_t count = 0;
    if (!U32(&count) || !Units(count, text)) {
        position_ = start;
        return false;
    }
    return true;
}

bool ByteReader::Raw(std::size_t count, std::string_view* bytes) {
    if (count > Remaining())
        return false;
    *bytes = std::string_view(reinterpret_cast<const char*>(data_ + position_), count);
    position_ += count;
    return true;
}

bool ByteReader::Bytes(std::size_t count, std::vector<std::uint8_t>* bytes) {
    if (count > Remaining())
        return false;
    bytes->assign(data_ + position_, data_ + position_ + count);
    position_ += count;
    return true;
}

bool ByteReader::Skip(std::size_t count) {
    if (count > Remaining())
        return false;
    position_ += count;
    return true;
}

void ByteWriter::Little(std::uint64_t value, int count) {
    for (int k = 0; k < count; ++k)
        bytes_.push_back(static_cast<std::uint8_t>((value >> (8 * k)) & 0xFF));
}

void ByteWriter::F64(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    U64(bits);
}

void ByteWriter::Units(std::u16string_view text) {
    for (char16_t unit : text)
        U16(static_cast<std::uint16_t>(unit));
}

void ByteWriter::CountedUtf16(std::u16string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    Units(text);
}

void ByteWriter::PatchU16(std::size_t at, std::uint16_t value) {
    if (at > bytes_.size() || bytes_.size() - at < 2)
        throw std::out_of_range("PatchU16 beyond the bytes written");
    bytes_[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes_[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void ByteWriter::PatchU32(std::size_t at, std::uint32_t value) {
    if (at > bytes_.size() || bytes_.size() - at < 4)
        throw std::out_of_range("PatchU32 beyond the bytes written");
    for (std::size_t k = 0; k < 4; ++k)
        bytes_[at + k] = static_cast<std::uint8_t>((value >> (8 * k)) & 0xFF);
}

} // namespace Formats
