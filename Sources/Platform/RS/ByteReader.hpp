#ifndef RS_BYTEREADER_HPP
#define RS_BYTEREADER_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace RS {

// Bounds-checked little-endian reader over resource bytes. Every read fails (false, nothing
// consumed) rather than run past the end.
class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReader(const std::vector<unsigned char>& bytes) : ByteReader(bytes.data(), bytes.size()) {}

    bool U16(std::uint16_t* value) {
        if (Remaining() < 2)
            return false;
        *value = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool I16(std::int16_t* value) {
        std::uint16_t raw = 0;
        if (!U16(&raw))
            return false;
        *value = static_cast<std::int16_t>(raw);
        return true;
    }
    bool U32(std::uint32_t* value) {
        std::uint16_t low = 0;
        std::uint16_t high = 0;
        if (Remaining() < 4 || !U16(&low) || !U16(&high))
            return false;
        *value = static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }
    bool I32(std::int32_t* value) {
        std::uint32_t raw = 0;
        if (!U32(&raw))
            return false;
        *value = static_cast<std::int32_t>(raw);
        return true;
    }
    // `count` UTF-16LE code units.
    bool Units(std::size_t count, std::u16string* text) {
        if (count > Remaining() / 2)
            return false;
        text->resize(count);
        for (std::size_t i = 0; i < count; ++i)
            (*text)[i] = static_cast<char16_t>(data_[pos_ + 2 * i] | (data_[pos_ + 2 * i + 1] << 8));
        pos_ += 2 * count;
        return true;
    }
    // A 32-bit unit count followed by the units.
    bool Text(std::u16string* text) {
        std::uint32_t count = 0;
        const std::size_t start = pos_;
        if (!U32(&count) || !Units(count, text)) {
            pos_ = start;
            return false;
        }
        return true;
    }
    bool Bytes(std::size_t count, std::vector<unsigned char>* bytes) {
        if (count > Remaining())
            return false;
        bytes->assign(data_ + pos_, data_ + pos_ + count);
        pos_ += count;
        return true;
    }

    std::size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace RS

#endif
