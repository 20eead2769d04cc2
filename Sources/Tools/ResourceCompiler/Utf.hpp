#ifndef RESOURCECOMPILER_UTF_HPP
#define RESOURCECOMPILER_UTF_HPP

#include <string>

namespace ResourceCompiler {

// Strict conversion: false on malformed UTF-8 (overlong forms, surrogates, truncated sequences).
bool Utf8ToUtf16(const std::string& utf8, std::u16string* utf16);

} // namespace ResourceCompiler

#endif
