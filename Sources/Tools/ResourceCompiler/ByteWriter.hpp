#ifndef RESOURCECOMPILER_BYTEWRITER_HPP
#define RESOURCECOMPILER_BYTEWRITER_HPP

#include <cstdint>
#include <string>
#include <vector>

namespace ResourceCompiler {

// Little-endian encoder for resource data.
class ByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void U32(std::uint32_t value) {
        U16(static_cast<std::uint16_t>(value));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Bytes(const std::vector<unsigned char>& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    void Units(const std::u16string& text) {
        for (char16_t unit : text)
            U16(static_cast<std::uint16_t>(unit));
    }
    // A text: 32-bit count of UTF-16 code units, then the units.
    void Text(const std::u16string& text) {
        U32(static_cast<std::uint32_t>(text.size()));
        Units(text);
    }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void PatchU32(std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
    }

    std::size_t Size() const { return bytes_.size(); }
    std::vector<unsigned char>& Data() { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

} // namespace ResourceCompiler

#endif
