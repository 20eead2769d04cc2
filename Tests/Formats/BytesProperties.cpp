#include "Formats/Bytes.hpp"
#include "Formats/Hex.hpp"
#include "Generators.hpp"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

namespace {

// One item of a little-endian stream, of any kind the writer and the reader share.
using Item = std::variant<std::uint8_t, std::uint16_t, std::int16_t, std::uint32_t, std::int32_t,
                          std::uint64_t, double, std::u16string, std::vector<std::uint8_t>>;

rc::Gen<Item> AnyItem() {
    auto item = [](auto gen) { return rc::gen::map(gen, [](auto value) { return Item(value); }); };
    return rc::gen::oneOf(item(rc::gen::arbitrary<std::uint8_t>()), item(rc::gen::arbitrary<std::uint16_t>()),
                          item(rc::gen::arbitrary<std::int16_t>()), item(rc::gen::arbitrary<std::uint32_t>()),
                          item(rc::gen::arbitrary<std::int32_t>()), item(rc::gen::arbitrary<std::uint64_t>()),
                          item(rc::gen::arbitrary<double>()), item(Generators::NonZeroUnits(20)),
                          item(Generators::Bytes(20)));
}

void Write(const Item& item, Formats::ByteWriter& out) {
    std::visit(
        [&out](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::uint8_t>)
                out.U8(value);
            else if constexpr (std::is_same_v<T, std::uint16_t>)
                out.U16(value);
            else if constexpr (std::is_same_v<T, std::int16_t>)
                out.I16(value);
            else if constexpr (std::is_same_v<T, std::uint32_t>)
                out.U32(value);
            else if constexpr (std::is_same_v<T, std::int32_t>)
                out.I32(value);
            else if constexpr (std::is_same_v<T, std::uint64_t>)
                out.U64(value);
            else if constexpr (std::is_same_v<T, double>)
                out.F64(value);
            else if constexpr (std::is_same_v<T, std::u16string>)
                out.CountedUtf16(value);
            else
                out.Raw(value);
        },
        item);
}

// Reads an item of the same kind as `like`; false when it does not fit.
bool Read(const Item& like, Formats::ByteReader& in, Item* read) {
    return std::visit(
        [&in, read](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            T got{};
            bool ok = false;
            if constexpr (std::is_same_v<T, std::uint8_t>)
                ok = in.U8(&got);
            else if constexpr (std::is_same_v<T, std::uint16_t>)
                ok = in.U16(&got);
            else if constexpr (std::is_same_v<T, std::int16_t>)
                ok = in.I16(&got);
            else if constexpr (std::is_same_v<T, std::uint32_t>)
                ok = in.U32(&got);
            else if constexpr (std::is_same_v<T, std::int32_t>)
                ok = in.I32(&got);
            else if constexpr (std::is_same_v<T, std::uint64_t>)
                ok = in.U64(&got);
            else if constexpr (std::is_same_v<T, double>)
                ok = in.F64(&got);
            else if constexpr (std::is_same_v<T, std::u16string>)
                ok = in.CountedUtf16(&got);
            else
                ok = in.Bytes(value.size(), &got);
            if (ok)
                *read = got;
            return ok;
        },
        like);
}

bool SameItem(const Item& a, const Item& b) {
    // Doubles compare by their bits, so that a NaN reads back as itself.
    if (std::holds_alternative<double>(a) && std::holds_alternative<double>(b))
        return std::memcmp(&std::get<double>(a), &std::get<double>(b), sizeof(double)) == 0;
    return a == b;
}

// The little-endian bytes of an unsigned number, independently of the writer.
std::vector<std::uint8_t> LittleEndian(std::uint64_t value, int count) {
    std::vector<std::uint8_t> bytes;
    for (int k = 0; k < count; ++k, value /= 256)
        bytes.push_back(static_cast<std::uint8_t>(value % 256));
    return bytes;
}

RC_GTEST_PROP(BytesProperty, WrittenItemsReadBackInOrder, ()) {
    const auto items = *rc::gen::container<std::vector<Item>>(AnyItem());
    Formats::ByteWriter out;
    for (const Item& item : items)
        Write(item, out);
    const std::vector<std::uint8_t> bytes = out.Take();

    Formats::ByteReader in(bytes);
    for (const Item& item : items) {
        Item read;
        RC_ASSERT(Read(item, in, &read));
        RC_ASSERT(SameItem(read, item));
    }
    RC_ASSERT(in.AtEnd());
}

RC_GTEST_PROP(BytesProperty, NumbersAreStoredLittleEndian, (std::uint32_t word, std::uint16_t half)) {
    Formats::ByteWriter out;
    out.U32(word);
    out.U16(half);
    std::vector<std::uint8_t> expected = LittleEndian(word, 4);
    const std::vector<std::uint8_t> low = LittleEndian(half, 2);
    expected.insert(expected.end(), low.begin(), low.end());
    RC_ASSERT(out.Bytes() == expected);
}

// A read that does not fit the window fails and consumes nothing, so the next read still sees
// the same bytes; a reader never looks outside its window.
RC_GTEST_PROP(BytesProperty, ShortReadsFailAndConsumeNothing, ()) {
    const auto items = *rc::gen::nonEmpty(rc::gen::container<std::vector<Item>>(AnyItem()));
    Formats::ByteWriter out;
    for (const Item& item : items)
        Write(item, out);
    const std::vector<std::uint8_t> bytes = out.Take();
    RC_PRE(!bytes.empty());
    const std::size_t end = *rc::gen::inRange<std::size_t>(0, bytes.size());
    // The window is a copy of exactly its bytes: a read past it is a sanitizer finding.
    const std::vector<std::uint8_t> window(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
    Formats::ByteReader in(window);
    for (const Item& item : items) {
        const std::size_t before = in.Position();
        Item read;
        if (!Read(item, in, &read)) {
            RC_ASSERT(in.Position() == before);
            RC_ASSERT(in.Remaining() == end - before);
            return;
        }
        RC_ASSERT(SameItem(read, item));
    }
    RC_FAIL("every item was read from a window shorter than the stream");
}

RC_GTEST_PROP(HexProperty, NumbersFormatAsPrintfDoes, (std::uint64_t value)) {
    const int digits = *rc::gen::inRange(0, 20);
    char expected[40];
    std::snprintf(expected, sizeof expected, "0x%0*" PRIX64, digits, value);
    RC_ASSERT(Formats::HexNumber(value, digits) == expected);
}

RC_GTEST_PROP(HexProperty, BytesParseBackInEitherCase, ()) {
    const std::vector<std::uint8_t> bytes = *Generators::Bytes(40);
    std::string text = Formats::HexBytes(bytes);
    RC_ASSERT(text.size() == 2 * bytes.size());
    if (*rc::gen::arbitrary<bool>())
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::vector<std::uint8_t> back = {7};
    RC_ASSERT(Formats::ParseHexBytes(text, &back));
    RC_ASSERT(back == bytes);
    // An odd length or a character that is no digit is refused.
    RC_ASSERT_FALSE(Formats::ParseHexBytes(text + "A", &back));
    RC_ASSERT_FALSE(Formats::ParseHexBytes(text + "0G", &back));
    RC_ASSERT(back == bytes);
}

} // namespace
