#ifndef FORMATS_UTF_HPP
#define FORMATS_UTF_HPP

#include <cstddef>
#include <string>
#include <string_view>

namespace Formats {

constexpr char16_t ReplacementCharacter = 0xFFFD;

// Strict conversions, for files that must be sound: malformed input (overlong forms, encoded or
// lone surrogates, code points past U+10FFFF, truncated sequences) gives false and leaves
// nothing useful in the output.
bool Utf8ToUtf16(std::string_view utf8, std::u16string* utf16);
bool Utf16ToUtf8(std::u16string_view utf16, std::string* utf8);
// Offset of the first malformed sequence, or npos when the whole text is sound.
std::size_t FindInvalidUtf8(std::string_view utf8);

// Lenient conversions, for text that must always convert: each malformed UTF-8 sequence becomes
// one U+FFFD and decoding resumes after its longest valid prefix (at least one byte); each lone
// surrogate becomes U+FFFD. Sound input converts exactly as the strict functions do.
std::u16string Utf8ToUtf16Lenient(std::string_view utf8);
std::string Utf16ToUtf8Lenient(std::u16string_view utf16);

// Units before the first zero of a fixed field of `capacity` units; the whole field when it has
// no zero (the host may fill it up to its last unit).
std::size_t BoundedUtf16Length(const char16_t* field, std::size_t capacity);

} // namespace Formats

#endif
