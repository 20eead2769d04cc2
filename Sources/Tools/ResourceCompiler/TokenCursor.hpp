#ifndef RESOURCECOMPILER_TOKENCURSOR_HPP
#define RESOURCECOMPILER_TOKENCURSOR_HPP

#include <cstdint>
#include <string>
#include <vector>

#include "Token.hpp"

namespace ResourceCompiler {

// Walks a token list; every Expect reports "expected WHAT, found X" at the offending token.
class TokenCursor {
public:
    explicit TokenCursor(std::vector<Token> tokens);

    const Token& Peek() const { return tokens_[pos_]; }
    bool At(TokenKind kind) const { return Peek().kind == kind; }
    Token Next();

    Token Expect(TokenKind kind, const std::string& what);
    std::int64_t ExpectNumber(const std::string& what, std::int64_t min, std::int64_t max);
    std::u16string ExpectString(const std::string& what);
    std::string ExpectIdentifier(const std::string& what);
    // Opens a resource body; the closing brace must come before the next resource.
    void ExpectOpeningBrace(const SourceLocation& resourceStart);
    // True (and consumed) at the body's closing brace. A new resource or the end of the file
    // means the brace is missing.
    bool AtClosingBrace();

    [[noreturn]] void Fail(const Token& at, const std::string& reason) const;

private:
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    SourceLocation openBrace_;
};

} // namespace ResourceCompiler

#endif
