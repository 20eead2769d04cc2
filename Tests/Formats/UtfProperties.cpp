#include "Formats/Utf.hpp"
#include "Generators.hpp"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <string>
#include <vector>

namespace {

using Generators::ReferenceUtf16;
using Generators::ReferenceUtf8;

std::u16string Lenient16(std::string_view utf8) {
    return Formats::Utf8ToUtf16Lenient(utf8);
}

RC_GTEST_PROP(UtfProperty, SoundTextConvertsExactlyBothWays, ()) {
    const std::vector<char32_t> text = *Generators::ScalarValues();
    const std::string utf8 = ReferenceUtf8(text);
    const std::u16string utf16 = ReferenceUtf16(text);

    std::u16string toUtf16 = u"stale";
    RC_ASSERT(Formats::Utf8ToUtf16(utf8, &toUtf16));
    RC_ASSERT(toUtf16 == utf16);
    std::string toUtf8 = "stale";
    RC_ASSERT(Formats::Utf16ToUtf8(utf16, &toUtf8));
    RC_ASSERT(toUtf8 == utf8);
    RC_ASSERT(Formats::FindInvalidUtf8(utf8) == std::string_view::npos);
    // Sound text converts the same leniently.
    RC_ASSERT(Lenient16(utf8) == utf16);
    RC_ASSERT(Formats::Utf16ToUtf8Lenient(utf16) == utf8);
}

// A malformed UTF-8 piece and the number of U+FFFD the lenient decoder gives for it: one per
// maximal part that could start a sound sequence.
struct BadPiece {
    std::string bytes;
    std::size_t replacements;
};

rc::Gen<BadPiece> MalformedUtf8() {
    using rc::gen::inRange;
    auto byte = [](int low, int high) { return inRange<int>(low, high + 1); };
    return rc::gen::oneOf(
        // a continuation byte with no lead
        rc::gen::map(byte(0x80, 0xBF),
                     [](int b) {
                         return BadPiece{std::string(1, char(b)), 1};
                     }),
        // bytes that never start a sequence
        rc::gen::map(rc::gen::element(0xC0, 0xC1, 0xF5, 0xF8, 0xFE, 0xFF),
                     [](int b) {
                         return BadPiece{std::string(1, char(b)), 1};
                     }),
        // an overlong two-byte form
        rc::gen::map(rc::gen::pair(byte(0xC0, 0xC1), byte(0x80, 0xBF)),
                     [](std::pair<int, int> b) {
                         return BadPiece{std::string{char(b.first), char(b.second)}, 2};
                     }),
        // an overlong three-byte form, an encoded surrogate, an overlong four-byte form, a value
        // past U+10FFFF: the lead is refused with its second byte, the rest are strays
        rc::gen::map(rc::gen::tuple(rc::gen::element(0xE0, 0xED), byte(0x80, 0xBF), byte(0x80, 0xBF)),
                     [](std::tuple<int, int, int> b) {
                         const int lead = std::get<0>(b);
                         const int second = lead == 0xE0 ? 0x80 + std::get<1>(b) % 0x20  // 80..9F
                                                         : 0xA0 + std::get<1>(b) % 0x20; // A0..BF
                         return BadPiece{std::string{char(lead), char(second), char(std::get<2>(b))}, 3};
                     }),
        rc::gen::map(rc::gen::tuple(rc::gen::element(0xF0, 0xF4), byte(0x80, 0xBF), byte(0x80, 0xBF)),
                     [](std::tuple<int, int, int> b) {
                         const int lead = std::get<0>(b);
                         const int second = lead == 0xF0 ? 0x80 + std::get<1>(b) % 0x10  // 80..8F
                                                         : 0x90 + std::get<1>(b) % 0x30; // 90..BF
                         return BadPiece{std::string{char(lead), char(second), char(std::get<2>(b)),
                                                     char(std::get<2>(b))},
                                         4};
                     }),
        // a sound sequence cut short: one replacement for the part that was there
        rc::gen::map(rc::gen::pair(rc::gen::inRange<char32_t>(0x80, 0x110000), inRange<int>(1, 4)),
                     [](std::pair<char32_t, int> cut) {
                         char32_t c = cut.first;
                         if (c >= 0xD800 && c < 0xE000)
                             c += 0x800;
                         const std::string whole = ReferenceUtf8({c});
                         const std::size_t keep = std::min<std::size_t>(cut.second, whole.size() - 1);
                         return BadPiece{whole.substr(0, keep), 1};
                     }));
}

RC_GTEST_PROP(UtfProperty, MalformedUtf8IsRefusedAtItsOffsetOrReplaced, ()) {
    const std::vector<char32_t> before = *Generators::ScalarValues();
    const std::vector<char32_t> after = *Generators::ScalarValues();
    const BadPiece bad = *MalformedUtf8();
    const std::string prefix = ReferenceUtf8(before);
    const std::string text = prefix + bad.bytes + ReferenceUtf8(after);

    std::u16string utf16;
    RC_ASSERT_FALSE(Formats::Utf8ToUtf16(text, &utf16));
    RC_ASSERT(Formats::FindInvalidUtf8(text) == prefix.size());
    const std::u16string expected = ReferenceUtf16(before) +
                                    std::u16string(bad.replacements, Formats::ReplacementCharacter) +
                                    ReferenceUtf16(after);
    RC_ASSERT(Lenient16(text) == expected);
}

RC_GTEST_PROP(UtfProperty, LoneSurrogatesAreRefusedOrReplaced, ()) {
    const std::vector<char32_t> before = *Generators::ScalarValues();
    const std::vector<char32_t> after = *Generators::ScalarValues();
    const auto lone = static_cast<char16_t>(*rc::gen::inRange<int>(0xD800, 0xE000));
    // Sound text on both sides, so the inserted half can pair with neither neighbour.
    const std::u16string text = ReferenceUtf16(before) + lone + ReferenceUtf16(after);

    std::string utf8;
    RC_ASSERT_FALSE(Formats::Utf16ToUtf8(text, &utf8));
    RC_ASSERT(Formats::Utf16ToUtf8Lenient(text) ==
              ReferenceUtf8(before) + ReferenceUtf8({char32_t(0xFFFD)}) + ReferenceUtf8(after));
}

RC_GTEST_PROP(UtfProperty, BoundedLengthStopsAtTheFirstZeroOrTheFieldEnd, ()) {
    const std::u16string units = *Generators::NonZeroUnits(40);
    // The field is exactly its capacity, so a read past its end is a sanitizer finding.
    std::vector<char16_t> field(units.begin(), units.end());
    const std::size_t zeroAt = *rc::gen::inRange<std::size_t>(0, field.size() + 1);
    if (zeroAt < field.size())
        field[zeroAt] = u'\0';
    RC_ASSERT(Formats::BoundedUtf16Length(field.data(), field.size()) == zeroAt);
}

} // namespace
