#include "ByteReader.hpp"

#include "FormatFailure.hpp"

#include <cstring>
#include <utility>

namespace LibPartFormat {

ByteReader::ByteReader(const std::uint8_t* file, std::size_t begin, std::size_t end)
    : file(file), position(begin), end(end) {}

void ByteReader::Need(std::size_t count, const char* what) const {
    if (count > Remaining())
        Fail(position, std::string(what) + " needs " + std::to_string(count) + " bytes but only " +
                           std::to_string(Remaining()) + " remain before offset " + std::to_string(end));
}

void ByteReader::Fail(std::size_t at, std::string reason) const {
    throw FormatFailure{at, std::move(reason)};
}

std::uint8_t ByteReader::U8(const char* what) {
    Need(1, what);
    return file[position++];
}

std::uint16_t ByteReader::U16(const char* what) {
    Need(2, what);
    const std::uint16_t value = static_cast<std::uint16_t>(file[position] | (file[position + 1] << 8));
    position += 2;
    return value;
}

std::uint32_t ByteReader::U32(const char* what) {
    Need(4, what);
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = (value << 8) | file[position + static_cast<std::size_t>(k)];
    position += 4;
    return value;
}

double ByteReader::F64(const char* what) {
    Need(8, what);
    std::uint64_t bits = 0;
    for (int k = 7; k >= 0; --k)
        bits = (bits << 8) | file[position + static_cast<std::size_t>(k)];
    position += 8;
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string_view ByteReader::Raw(std::size_t count, const char* what) {
    Need(count, what);
    const std::string_view view(reinterpret_cast<const char*>(file + position), count);
    position += count;
    return view;
}

std::u16string ByteReader::CountedUtf16(const char* what) {
    const std::size_t countAt = position;
    const std::uint32_t units = U32(what);
    if (units > Remaining() / 2)
        Fail(countAt, std::string(what) + " claims " + std::to_string(units) + " UTF-16 units but only " +
                          std::to_string(Remaining()) + " bytes remain before offset " + std::to_string(end));
    std::u16string text;
    text.reserve(units);
    for (std::uint32_t k = 0; k < units; ++k)
        text.push_back(static_cast<char16_t>(U16(what)));
    return text;
}

void ByteReader::ExpectEnd(const char* what) const {
    if (position != end)
        Fail(position, std::string("the ") + what + " ends here but its section runs to offset " +
                           std::to_string(end) + " (" + std::to_string(end - position) + " bytes left over)");
}

} // namespace LibPartFormat
