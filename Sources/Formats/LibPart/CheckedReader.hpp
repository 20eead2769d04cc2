#ifndef FORMATS_LIBPART_CHECKEDREADER_HPP
#define FORMATS_LIBPART_CHECKEDREADER_HPP

#include "Formats/Bytes.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace LibPartFormat {

// The byte reader over one window of a file, where every shortage throws a FormatFailure that
// names the file offset and the item that did not fit: the file reader then needs no checks of
// its own after each read.
class CheckedReader {
public:
    CheckedReader(const std::uint8_t* file, std::size_t begin, std::size_t end) : in(file, begin, end) {}

    std::uint8_t U8(const char* what);
    std::uint16_t U16(const char* what);
    std::uint32_t U32(const char* what);
    std::int32_t I32(const char* what) { return static_cast<std::int32_t>(U32(what)); }
    double F64(const char* what);
    std::string_view Raw(std::size_t count, const char* what);
    std::u16string CountedUtf16(const char* what); // 32-bit unit count, then the units

    std::size_t Position() const { return in.Position(); }
    std::size_t Remaining() const { return in.Remaining(); }
    // Throws unless the window has been read to its last byte.
    void ExpectEnd(const char* what) const;
    [[noreturn]] void Fail(std::size_t at, std::string reason) const;

private:
    void Need(std::size_t count, const char* what) const;

    Formats::ByteReader in;
};

} // namespace LibPartFormat

#endif
