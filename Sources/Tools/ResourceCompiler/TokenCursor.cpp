#include "TokenCursor.hpp"

namespace ResourceCompiler {

TokenCursor::TokenCursor(std::vector<Token> tokens) : tokens_(std::move(tokens)) {
    if (tokens_.empty() || tokens_.back().kind != TokenKind::End)
        tokens_.push_back(Token{});
}

Token TokenCursor::Next() {
    Token token = tokens_[pos_];
    if (token.kind != TokenKind::End)
        ++pos_;
    return token;
}

void TokenCursor::Fail(const Token& at, const std::string& reason) const {
    throw CompileError(at.where, reason);
}

Token TokenCursor::Expect(TokenKind kind, const std::string& what) {
    if (!At(kind))
        Fail(Peek(), "expected " + what + ", found " + DescribeToken(Peek()));
    return Next();
}

std::int64_t TokenCursor::ExpectNumber(const std::string& what, std::int64_t min, std::int64_t max) {
    const Token token = Expect(TokenKind::Number, what);
    if (token.number < min || token.number > max)
        Fail(token,
             what + " " + token.text + " out of range " + std::to_string(min) + ".." + std::to_string(max));
    return token.number;
}

std::u16string TokenCursor::ExpectString(const std::string& what) {
    return Expect(TokenKind::String, what).text16;
}

std::string TokenCursor::ExpectIdentifier(const std::string& what) {
    return Expect(TokenKind::Identifier, what).text;
}

void TokenCursor::ExpectOpeningBrace(const SourceLocation& resourceStart) {
    if (!At(TokenKind::LeftBrace))
        Fail(Peek(), "missing '{' of the resource begun at line " + std::to_string(resourceStart.line) +
                         ", found " + DescribeToken(Peek()));
    openBrace_ = Next().where;
}

bool TokenCursor::AtClosingBrace() {
    if (At(TokenKind::RightBrace)) {
        Next();
        return true;
    }
    if (At(TokenKind::End) || At(TokenKind::TypeCode))
        Fail(Peek(),
             "missing '}' of the '{' at " + openBrace_.ToString() + ", found " + DescribeToken(Peek()));
    return false;
}

} // namespace ResourceCompiler
