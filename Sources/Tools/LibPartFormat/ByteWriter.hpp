#ifndef LIBPARTFORMAT_BYTEWRITER_HPP
#define LIBPARTFORMAT_BYTEWRITER_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace LibPartFormat {

// Little-endian output.
class ByteWriter {
public:
    void U8(std::uint8_t value) { bytes.push_back(value); }
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void F64(double value);
    void Raw(std::string_view data);
    void Raw(const std::uint8_t* data, std::size_t size);
    void Zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }
    void CountedUtf16(std::u16string_view text); // 32-bit unit count, then the units

    void PatchU32(std::size_t at, std::uint32_t value);
    std::size_t Size() const { return bytes.size(); }
    std::vector<std::uint8_t>& Bytes() { return bytes; }

private:
    std::vector<std::uint8_t> bytes;
};

} // namespace LibPartFormat

#endif
