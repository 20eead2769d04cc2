#include "Formats/LibPart/CheckedReader.hpp"

#include "Formats/LibPart/FormatFailure.hpp"

#include <utility>

namespace LibPartFormat {

void CheckedReader::Need(std::size_t count, const char* what) const {
    if (count > Remaining())
        Fail(Position(), std::string(what) + " needs " + std::to_string(count) + " bytes but only " +
                             std::to_string(Remaining()) + " remain before offset " +
                             std::to_string(in.End()));
}

void CheckedReader::Fail(std::size_t at, std::string reason) const {
    throw FormatFailure{at, std::move(reason)};
}

std::uint8_t CheckedReader::U8(const char* what) {
    Need(1, what);
    std::uint8_t value = 0;
    in.U8(&value);
    return value;
}

std::uint16_t CheckedReader::U16(const char* what) {
    Need(2, what);
    std::uint16_t value = 0;
    in.U16(&value);
    return value;
}

std::uint32_t CheckedReader::U32(const char* what) {
    Need(4, what);
    std::uint32_t value = 0;
    in.U32(&value);
    return value;
}

double CheckedReader::F64(const char* what) {
    Need(8, what);
    double value = 0;
    in.F64(&value);
    return value;
}

std::string_view CheckedReader::Raw(std::size_t count, const char* what) {
    Need(count, what);
    std::string_view view;
    in.Raw(count, &view);
    return view;
}

std::u16string CheckedReader::CountedUtf16(const char* what) {
    const std::size_t countAt = Position();
    const std::uint32_t units = U32(what);
    if (units > Remaining() / 2)
        Fail(countAt, std::string(what) + " claims " + std::to_string(units) + " UTF-16 units but only " +
                          std::to_string(Remaining()) + " bytes remain before offset " +
                          std::to_string(in.End()));
    std::u16string text;
    in.Units(units, &text);
    return text;
}

void CheckedReader::ExpectEnd(const char* what) const {
    if (!in.AtEnd())
        Fail(Position(), std::string("the ") + what + " ends here but its section runs to offset " +
                             std::to_string(in.End()) + " (" + std::to_string(Remaining()) +
                             " bytes left over)");
}

} // namespace LibPartFormat
