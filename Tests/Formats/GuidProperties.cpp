#include "Formats/GuidText.hpp"
#include "Formats/LibPart/Guid.hpp"
#include "GSRoot/Guid.hpp"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

rc::Gen<Formats::GuidBytes> AnyGuidBytes() {
    return rc::gen::container<Formats::GuidBytes>(rc::gen::arbitrary<std::uint8_t>());
}

// The text form written from the stored bytes read as the words they are: a 32-bit and two 16-bit
// little-endian numbers, then eight bytes in order.
std::string ReferenceText(const Formats::GuidBytes& b) {
    const unsigned long first = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<unsigned long>(b[3]) << 24);
    char text[40];
    std::snprintf(text, sizeof text, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", first,
                  b[4] | (b[5] << 8), b[6] | (b[7] << 8), b[8], b[9], b[10], b[11], b[12], b[13], b[14],
                  b[15]);
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

RC_GTEST_PROP(GuidTextProperty, FormatThenParseGivesTheSameBytes, ()) {
    const Formats::GuidBytes bytes = *AnyGuidBytes();
    const std::string text = Formats::FormatGuidText(bytes);
    RC_ASSERT(text == ReferenceText(bytes));

    Formats::GuidBytes back{};
    RC_ASSERT(Formats::ParseGuidText(text, &back));
    RC_ASSERT(back == bytes);
    RC_ASSERT(Formats::ParseGuidText(Lower(text), &back));
    RC_ASSERT(back == bytes);
}

// The platform's GUID and the library part's GUID are the same text codec; the platform alone
// also takes the braced form.
RC_GTEST_PROP(GuidTextProperty, PlatformAndLibraryPartGuidsAgree, ()) {
    const Formats::GuidBytes bytes = *AnyGuidBytes();
    const std::string text = *rc::gen::element(ReferenceText(bytes), Lower(ReferenceText(bytes)));

    GS::Guid platform;
    RC_ASSERT(GS::Guid::FromString(text.c_str(), &platform));
    RC_ASSERT(platform == GS::Guid::FromBytes(bytes.data()));
    RC_ASSERT(platform.ToString() == ReferenceText(bytes));
    RC_ASSERT(GS::Guid(("{" + text + "}").c_str()) == platform);

    const std::optional<LibPartFormat::Guid> part = LibPartFormat::Guid::Parse(text);
    RC_ASSERT(part.has_value());
    RC_ASSERT(part->stored == bytes);
    RC_ASSERT(part->ToString() == ReferenceText(bytes));
    RC_ASSERT_FALSE(LibPartFormat::Guid::Parse("{" + text + "}").has_value());
}

bool IsDashPosition(std::size_t at) {
    return at == 8 || at == 13 || at == 18 || at == 23;
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// A sound text spoilt in one place: a digit or dash replaced by something that does not belong
// there, a character dropped or added, or a dash moved.
rc::Gen<std::string> MalformedGuidText() {
    return rc::gen::mapcat(AnyGuidBytes(), [](const Formats::GuidBytes& bytes) {
        const std::string text = Formats::FormatGuidText(bytes);
        const auto position = rc::gen::inRange<std::size_t>(0, text.size());
        const auto character = rc::gen::map(rc::gen::inRange<int>(0, 256), [](int c) { return char(c); });
        return rc::gen::oneOf(
            rc::gen::map(rc::gen::pair(position, character),
                         [text](std::pair<std::size_t, char> change) {
                             std::string spoilt = text;
                             const bool fits = IsDashPosition(change.first) ? change.second == '-'
                                                                            : IsHexDigit(change.second);
                             spoilt[change.first] = fits ? 'g' : change.second;
                             return spoilt;
                         }),
            rc::gen::map(position,
                         [text](std::size_t at) { return text.substr(0, at) + text.substr(at + 1); }),
            rc::gen::map(rc::gen::pair(rc::gen::inRange<std::size_t>(0, text.size() + 1), character),
                         [text](std::pair<std::size_t, char> add) {
                             return text.substr(0, add.first) + add.second + text.substr(add.first);
                         }),
            rc::gen::map(rc::gen::element(8, 13, 18, 23), [text](int dash) {
                std::string moved = text;
                std::swap(moved[static_cast<std::size_t>(dash)], moved[static_cast<std::size_t>(dash) + 1]);
                return moved;
            }));
    });
}

RC_GTEST_PROP(GuidTextProperty, MalformedTextIsRefusedAndLeavesTheBytesUntouched, ()) {
    const std::string text = *MalformedGuidText();
    Formats::GuidBytes bytes;
    bytes.fill(0x5A);
    RC_ASSERT_FALSE(Formats::ParseGuidText(text, &bytes));
    Formats::GuidBytes untouched;
    untouched.fill(0x5A);
    RC_ASSERT(bytes == untouched);
    RC_ASSERT_FALSE(LibPartFormat::Guid::Parse(text).has_value());
    // A C string ends at a zero: only texts without one reach the platform's parser whole.
    if (text.find('\0') == std::string::npos) {
        GS::Guid platform("00112233-4455-6677-8899-AABBCCDDEEFF");
        RC_ASSERT_FALSE(GS::Guid::FromString(text.c_str(), &platform));
        RC_ASSERT(platform.IsNull());
    }
}

} // namespace
