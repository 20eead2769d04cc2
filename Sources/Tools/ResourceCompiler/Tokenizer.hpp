#ifndef RESOURCECOMPILER_TOKENIZER_HPP
#define RESOURCECOMPILER_TOKENIZER_HPP

#include <string>
#include <vector>

#include "Token.hpp"

namespace ResourceCompiler {

// Splits a resource source into tokens. Comments are skipped; line markers left by the C
// preprocessor ("# 12 "RINT/Strings.grc" 1") move the reported place back to the original file,
// so every error points at the line the author wrote. Throws CompileError on malformed input.
class Tokenizer {
public:
    Tokenizer(std::string text, std::string fileName);

    std::vector<Token> Tokenize();

private:
    Token ReadToken();
    Token ReadString();
    Token ReadTypeCode();
    Token ReadNumber();
    Token ReadIdentifier();
    void SkipBlanks();
    void SkipComment();
    void ReadLineMarker();
    std::string ReadMarkerFileName();
    void ReadEscape(std::string* utf8, const SourceLocation& stringStart);

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const;
    char Get();
    SourceLocation Here() const { return SourceLocation{file_, line_}; }

    std::string text_;
    std::size_t pos_ = 0;
    std::string file_;
    int line_ = 1;
    bool atLineStart_ = true;
};

std::vector<Token> Tokenize(const std::string& text, const std::string& fileName);

} // namespace ResourceCompiler

#endif
