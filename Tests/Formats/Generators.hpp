#ifndef TESTS_FORMATS_GENERATORS_HPP
#define TESTS_FORMATS_GENERATORS_HPP

#include <rapidcheck.h>

#include <cstdint>
#include <string>
#include <vector>

// Generators and a reference encoder shared by the round-trip properties. The encoder is written
// per code point from the Unicode tables, so that it does not share a fault with the code under
// test.
namespace Generators {

// A Unicode scalar value of each encoded length, boundaries included.
inline rc::Gen<char32_t> ScalarValue() {
    using rc::gen::inRange;
    return rc::gen::weightedOneOf<char32_t>({
        {4, inRange<char32_t>(0x01, 0x80)},
        {3, inRange<char32_t>(0x80, 0x800)},
        {3, rc::gen::oneOf(inRange<char32_t>(0x800, 0xD800), inRange<char32_t>(0xE000, 0x10000))},
        {2, inRange<char32_t>(0x10000, 0x110000)},
        {1, rc::gen::element<char32_t>(0x00, 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFD, 0xFFFF,
                                       0x10000, 0x10FFFF)},
    });
}

inline rc::Gen<std::vector<char32_t>> ScalarValues() {
    return rc::gen::container<std::vector<char32_t>>(ScalarValue());
}

inline std::string ReferenceUtf8(const std::vector<char32_t>& text) {
    std::string utf8;
    for (char32_t c : text) {
        const int length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        static const unsigned char leads[] = {0, 0x00, 0xC0, 0xE0, 0xF0};
        utf8.push_back(static_cast<char>(leads[length] | (c >> (6 * (length - 1)))));
        for (int k = length - 2; k >= 0; --k)
            utf8.push_back(static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F)));
    }
    return utf8;
}

inline std::u16string ReferenceUtf16(const std::vector<char32_t>& text) {
    std::u16string utf16;
    for (char32_t c : text) {
        if (c < 0x10000) {
            utf16.push_back(static_cast<char16_t>(c));
        } else {
            utf16.push_back(static_cast<char16_t>(0xD800 | ((c - 0x10000) >> 10)));
            utf16.push_back(static_cast<char16_t>(0xDC00 | ((c - 0x10000) & 0x3FF)));
        }
    }
    return utf16;
}

// Sound UTF-8 text.
inline rc::Gen<std::string> Utf8Text() {
    return rc::gen::map(ScalarValues(), ReferenceUtf8);
}

// Any UTF-16 code units but zero, lone surrogates included: what a record field may hold.
inline rc::Gen<char16_t> NonZeroUnit() {
    using rc::gen::inRange;
    return rc::gen::weightedOneOf<char16_t>({
        {6, inRange<char16_t>(0x20, 0x7F)},
        {3, inRange<char16_t>(0x01, 0xFFFF)},
        {1, inRange<char16_t>(0xD800, 0xE000)},
    });
}

inline rc::Gen<std::u16string> NonZeroUnits(std::size_t maxLength) {
    return rc::gen::mapcat(rc::gen::inRange<std::size_t>(0, maxLength + 1), [](std::size_t length) {
        return rc::gen::container<std::u16string>(length, NonZeroUnit());
    });
}

inline rc::Gen<std::vector<std::uint8_t>> Bytes(std::size_t maxLength) {
    return rc::gen::mapcat(rc::gen::inRange<std::size_t>(0, maxLength + 1), [](std::size_t length) {
        return rc::gen::container<std::vector<std::uint8_t>>(length, rc::gen::arbitrary<std::uint8_t>());
    });
}

} // namespace Generators

#endif
