#include "ByteWriter.hpp"

#include <cstring>

namespace LibPartFormat {

void ByteWriter::U16(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value & 0xFF));
    U8(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        U8(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void ByteWriter::F64(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 0; shift < 64; shift += 8)
        U8(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
}

void ByteWriter::Raw(std::string_view data) {
    bytes.insert(bytes.end(), data.begin(), data.end());
}

void ByteWriter::Raw(const std::uint8_t* data, std::size_t size) {
    bytes.insert(bytes.end(), data, data + size);
}

void ByteWriter::CountedUtf16(std::u16string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    for (char16_t unit : text)
        U16(static_cast<std::uint16_t>(unit));
}

void ByteWriter::PatchU32(std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k)
        bytes[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>((value >> (8 * k)) & 0xFF);
}

} // namespace LibPartFormat
