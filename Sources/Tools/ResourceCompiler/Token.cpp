#include "Token.hpp"

namespace ResourceCompiler {

const char* DescribeTokenKind(TokenKind kind) {
    switch (kind) {
    case TokenKind::TypeCode:
        return "resource type";
    case TokenKind::Number:
        return "number";
    case TokenKind::String:
        return "string";
    case TokenKind::Identifier:
        return "name";
    case TokenKind::LeftBrace:
        return "'{'";
    case TokenKind::RightBrace:
        return "'}'";
    case TokenKind::Bar:
        return "'|'";
    case TokenKind::End:
        return "end of file";
    }
    return "token";
}

std::string DescribeToken(const Token& token) {
    switch (token.kind) {
    case TokenKind::TypeCode:
        return "resource type '" + token.text + "'";
    case TokenKind::Number:
        return "number " + token.text;
    case TokenKind::String:
        return "string \"" + token.text + "\"";
    case TokenKind::Identifier:
        return "'" + token.text + "'";
    default:
        return DescribeTokenKind(token.kind);
    }
}

} // namespace ResourceCompiler
