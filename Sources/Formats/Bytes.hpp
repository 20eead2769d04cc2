#ifndef FORMATS_BYTES_HPP
#define FORMATS_BYTES_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Formats {

// Little-endian input over the window [begin, end) of a buffer. Positions are offsets in the
// whole buffer, so that a caller's message can name the place in the file. A read that does not
// fit fails (false) and consumes nothing; the output is then left as it was.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : ByteReader(data, 0, size) {}
    ByteReader(const std::uint8_t* data, std::size_t begin, std::size_t end)
        : data_(data), position_(begin), end_(end < begin ? begin : end) {}
    explicit ByteReader(const std::vector<std::uint8_t>& bytes) : ByteReader(bytes.data(), bytes.size()) {}

    bool U8(std::uint8_t* value);
    bool U16(std::uint16_t* value);
    bool I16(std::int16_t* value);
    bool U32(std::uint32_t* value);
    bool I32(std::int32_t* value);
    bool U64(std::uint64_t* value);
    bool F64(double* value);
    // `count` UTF-16LE code units.
    bool Units(std::size_t count, std::u16string* text);
    // A 32-bit unit count, then the units.
    bool CountedUtf16(std::u16string* text);
    // A view of the next `count` bytes, valid as long as the buffer.
    bool Raw(std::size_t count, std::string_view* bytes);
    bool Bytes(std::size_t count, std::vector<std::uint8_t>* bytes);
    bool Skip(std::size_t count);

    std::size_t Position() const { return position_; }
    std::size_t End() const { return end_; }
    std::size_t Remaining() const { return end_ - position_; }
    bool AtEnd() const { return position_ == end_; }

private:
    std::uint64_t Little(std::size_t count) const; // the next `count` bytes, not consumed

    const std::uint8_t* data_;
    std::size_t position_;
    std::size_t end_;
};

// Little-endian output into a growing buffer.
class ByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) { Little(value, 2); }
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void U32(std::uint32_t value) { Little(value, 4); }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void U64(std::uint64_t value) { Little(value, 8); }
    void F64(double value);
    void Units(std::u16string_view text); // UTF-16LE code units, no count
    void CountedUtf16(std::u16string_view text);
    void Raw(std::string_view data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    void Raw(const std::uint8_t* data, std::size_t size) { bytes_.insert(bytes_.end(), data, data + size); }
    void Raw(const std::vector<std::uint8_t>& data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    // Overwrites bytes written earlier, e.g. a count known only at the end.
    void PatchU16(std::size_t at, std::uint16_t value);
    void PatchU32(std::size_t at, std::uint32_t value);

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    void Little(std::uint64_t value, int count);

    std::vector<std::uint8_t> bytes_;
};

} // namespace Formats

#endif
