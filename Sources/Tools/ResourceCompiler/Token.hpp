#ifndef RESOURCECOMPILER_TOKEN_HPP
#define RESOURCECOMPILER_TOKEN_HPP

#include <cstdint>
#include <string>

#include "CompileError.hpp"

namespace ResourceCompiler {

enum class TokenKind { TypeCode, Number, String, Identifier, LeftBrace, RightBrace, Bar, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;      // identifier, four-character code or the number as written
    std::u16string text16; // decoded string literal
    std::int64_t number = 0;
    SourceLocation where;
};

const char* DescribeTokenKind(TokenKind kind);
std::string DescribeToken(const Token& token);

} // namespace ResourceCompiler

#endif
