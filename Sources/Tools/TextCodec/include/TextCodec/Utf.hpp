#ifndef TEXTCODEC_UTF_HPP
#define TEXTCODEC_UTF_HPP

#include <cstddef>
#include <string>
#include <string_view>

namespace TextCodec {

// Strict conversions: malformed input (overlong forms, lone surrogates, truncated sequences)
// gives false and leaves nothing useful in the output.
bool Utf8ToUtf16(std::string_view utf8, std::u16string* utf16);
bool Utf16ToUtf8(std::u16string_view utf16, std::string* utf8);
// Offset of the first malformed sequence, or npos when the whole text is sound.
std::size_t FindInvalidUtf8(std::string_view utf8);

} // namespace TextCodec

#endif
