#ifndef LIBPARTFORMAT_BYTEREADER_HPP
#define LIBPARTFORMAT_BYTEREADER_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace LibPartFormat {

// Little-endian input over one window of a file; every shortage throws a FormatFailure that
// names the file offset and the item that did not fit.
class ByteReader {
public:
    ByteReader(const std::uint8_t* file, std::size_t begin, std::size_t end);

    std::uint8_t U8(const char* what);
    std::uint16_t U16(const char* what);
    std::uint32_t U32(const char* what);
    std::int32_t I32(const char* what) { return static_cast<std::int32_t>(U32(what)); }
    double F64(const char* what);
    std::string_view Raw(std::size_t count, const char* what);
    std::u16string CountedUtf16(const char* what); // 32-bit unit count, then the units

    std::size_t Position() const { return position; }
    std::size_t Remaining() const { return end - position; }
    // Throws unless the window has been read to its last byte.
    void ExpectEnd(const char* what) const;
    [[noreturn]] void Fail(std::size_t at, std::string reason) const;

private:
    void Need(std::size_t count, const char* what) const;

    const std::uint8_t* file;
    std::size_t position;
    std::size_t end;
};

} // namespace LibPartFormat

#endif
