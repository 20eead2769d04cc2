#include "Tokenizer.hpp"

#include <cctype>
#include <limits>

#include "Formats/Hex.hpp"
#include "Formats/Utf.hpp"

namespace ResourceCompiler {

namespace {

bool IsIdentifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string Printable(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F)
        return std::string("'") + c + "'";
    return Formats::HexNumber(byte, 2);
}

// Decimal or 0x-hexadecimal, with an optional minus sign; false on any stray character or
// a value beyond 64 bits.
bool ParseNumber(const std::string& text, std::int64_t* value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++i;
    int base = 10;
    if (text.size() > i + 1 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = Formats::HexDigitValue(text[i]);
        if (digit < 0 || digit >= base)
            return false;
        if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(base))
            return false;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    if (!negative && magnitude == limit)
        return false;
    *value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

} // namespace

Tokenizer::Tokenizer(std::string text, std::string fileName)
    : text_(std::move(text)), file_(std::move(fileName)) {}

char Tokenizer::Peek(std::size_t ahead) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
}

char Tokenizer::Get() {
    const char c = text_[pos_++];
    if (c == '\n') {
        // A line marker may name the largest line number; the count stays there after it.
        if (line_ < std::numeric_limits<int>::max())
            ++line_;
        atLineStart_ = true;
    } else if (c != ' ' && c != '\t' && c != '\r') {
        atLineStart_ = false;
    }
    return c;
}

std::vector<Token> Tokenizer::Tokenize() {
    std::vector<Token> tokens;
    for (;;) {
        tokens.push_back(ReadToken());
        if (tokens.back().kind == TokenKind::End)
            return tokens;
    }
}

void Tokenizer::SkipBlanks() {
    while (!AtEnd()) {
        const char c = Peek();
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v')
            Get();
        else if (c == '/' && (Peek(1) == '*' || Peek(1) == '/'))
            SkipComment();
        else if (c == '#' && atLineStart_)
            ReadLineMarker();
        else
            return;
    }
}

void Tokenizer::SkipComment() {
    const SourceLocation start = Here();
    Get();
    if (Get() == '/') {
        while (!AtEnd() && Peek() != '\n')
            Get();
        return;
    }
    while (!AtEnd()) {
        if (Get() == '*' && Peek() == '/') {
            Get();
            return;
        }
    }
    throw CompileError(start, "unterminated comment");
}

void Tokenizer::ReadLineMarker() {
    const SourceLocation start = Here();
    Get();
    while (Peek() == ' ' || Peek() == '\t')
        Get();
    std::string word;
    while (IsWordChar(Peek()))
        word += Get();
    if (word == "line") {
        while (Peek() == ' ' || Peek() == '\t')
            Get();
        word.clear();
        while (IsWordChar(Peek()))
            word += Get();
    }
    std::int64_t line = 0;
    if (word.empty() || !IsDigit(word[0]) || !ParseNumber(word, &line) || line < 0 ||
        line > std::numeric_limits<int>::max())
        throw CompileError(start, "preprocessor directive '#" + word +
                                      "' was not expanded (run the source through the C preprocessor)");
    while (Peek() == ' ' || Peek() == '\t')
        Get();
    std::string fileName = file_;
    if (Peek() == '"')
        fileName = ReadMarkerFileName();
    while (!AtEnd() && Peek() != '\n')
        Get(); // the marker's flags
    if (!AtEnd())
        Get();
    file_ = fileName;
    line_ = static_cast<int>(line);
}

std::string Tokenizer::ReadMarkerFileName() {
    const SourceLocation start = Here();
    Get();
    std::string name;
    while (!AtEnd() && Peek() != '\n' && Peek() != '"') {
        const char c = Get();
        if (c == '\\' && !AtEnd() && Peek() != '\n')
            name += Get();
        else
            name += c;
    }
    if (Peek() != '"')
        throw CompileError(start, "unterminated file name in line marker");
    Get();
    return name;
}

Token Tokenizer::ReadToken() {
    SkipBlanks();
    Token token;
    token.where = Here();
    if (AtEnd())
        return token;
    const char c = Peek();
    if (c == '"')
        return ReadString();
    if (c == '\'')
        return ReadTypeCode();
    if (IsDigit(c) || (c == '-' && IsDigit(Peek(1))))
        return ReadNumber();
    if (IsIdentifierStart(c))
        return ReadIdentifier();
    Get();
    token.text = std::string(1, c);
    switch (c) {
    case '{':
        token.kind = TokenKind::LeftBrace;
        return token;
    case '}':
        token.kind = TokenKind::RightBrace;
        return token;
    case '|':
        token.kind = TokenKind::Bar;
        return token;
    default:
        throw CompileError(token.where, "unexpected character " + Printable(c));
    }
}

Token Tokenizer::ReadString() {
    Token token;
    token.kind = TokenKind::String;
    token.where = Here();
    Get();
    std::string utf8;
    for (;;) {
        if (AtEnd() || Peek() == '\n')
            throw CompileError(token.where, "unterminated string");
        const char c = Get();
        if (c == '"')
            break;
        // A NUL is never meant in a source, and a folder's file names would end at it.
        if (c == '\0')
            throw CompileError(Here(), "NUL character in string");
        if (c == '\\')
            ReadEscape(&utf8, token.where);
        else
            utf8 += c;
    }
    if (!Formats::Utf8ToUtf16(utf8, &token.text16))
        throw CompileError(token.where, "invalid UTF-8 in string");
    token.text = utf8;
    return token;
}

void Tokenizer::ReadEscape(std::string* utf8, const SourceLocation& stringStart) {
    if (AtEnd() || Peek() == '\n')
        throw CompileError(stringStart, "unterminated string");
    const char c = Get();
    switch (c) {
    case 'n':
        *utf8 += '\n';
        return;
    case 't':
        *utf8 += '\t';
        return;
    case 'r':
        *utf8 += '\r';
        return;
    case '\\':
    case '"':
    case '\'':
        *utf8 += c;
        return;
    default:
        throw CompileError(Here(), "unknown escape sequence '\\" + std::string(1, c) + "' in string");
    }
}

Token Tokenizer::ReadTypeCode() {
    Token token;
    token.kind = TokenKind::TypeCode;
    token.where = Here();
    Get();
    while (!AtEnd() && Peek() != '\'' && Peek() != '\n' && token.text.size() <= 4)
        token.text += Get();
    if (Peek() != '\'' || token.text.size() != 4)
        throw CompileError(token.where, "bad resource type: a type is four characters between single quotes");
    Get();
    for (char c : token.text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            throw CompileError(token.where, "bad resource type: only printable ASCII characters are allowed");
    }
    return token;
}

Token Tokenizer::ReadNumber() {
    Token token;
    token.kind = TokenKind::Number;
    token.where = Here();
    token.text += Get();
    while (IsWordChar(Peek()))
        token.text += Get();
    if (!ParseNumber(token.text, &token.number))
        throw CompileError(token.where, "bad number '" + token.text + "'");
    return token;
}

Token Tokenizer::ReadIdentifier() {
    Token token;
    token.kind = TokenKind::Identifier;
    token.where = Here();
    while (IsWordChar(Peek()))
        token.text += Get();
    return token;
}

std::vector<Token> Tokenize(const std::string& text, const std::string& fileName) {
    return Tokenizer(text, fileName).Tokenize();
}

} // namespace ResourceCompiler
