#include <limits>

#include "Formats/Bytes.hpp"
#include "Formats/ResourceModule.hpp"
#include "ResourceSyntax.hpp"

namespace ResourceCompiler {

namespace MF = Formats::ResourceModule;
using Formats::ByteWriter;

// 'STR#' id "name" { "item 1" "item 2" ... }
void ReadStringList(TokenCursor& tokens, const CompileOptions&, Resource* resource) {
    resource->name = tokens.ExpectString("resource name");
    tokens.ExpectOpeningBrace(resource->where);
    std::vector<std::u16string> items;
    while (!tokens.AtClosingBrace())
        items.push_back(tokens.ExpectString("string item or '}'"));
    ByteWriter out;
    out.U32(static_cast<std::uint32_t>(items.size()));
    for (const std::u16string& item : items)
        out.CountedUtf16(item);
    resource->data = out.Take();
}

namespace {

std::uint16_t ReadAlertKind(TokenCursor& tokens) {
    const Token kind = tokens.Expect(TokenKind::Identifier, "alert kind (Error, Warning or Information)");
    if (kind.text == "Error")
        return MF::AlertError;
    if (kind.text == "Warning")
        return MF::AlertWarning;
    if (kind.text == "Information")
        return MF::AlertInformation;
    tokens.Fail(kind, "unknown alert kind '" + kind.text + "' (Error, Warning or Information)");
}

} // namespace

// 'GALR' id "name" { Kind defaultButton "title" "large text" "small text" "button 1" "button 2" "button 3" }
// An empty button text means the alert has no such button.
void ReadAlert(TokenCursor& tokens, const CompileOptions&, Resource* resource) {
    resource->name = tokens.ExpectString("resource name");
    tokens.ExpectOpeningBrace(resource->where);
    const std::uint16_t kind = ReadAlertKind(tokens);
    const Token defaultToken = tokens.Peek();
    const auto defaultButton = static_cast<std::uint16_t>(tokens.ExpectNumber("default button", 1, 3));
    static const char* const fields[] = {"alert title",       "large text",         "small text",
                                         "first button text", "second button text", "third button text"};
    std::u16string texts[6];
    for (int i = 0; i < 6; ++i)
        texts[i] = tokens.ExpectString(fields[i]);
    if (!tokens.AtClosingBrace())
        tokens.Fail(tokens.Peek(),
                    "expected '}' after the third button text, found " + DescribeToken(tokens.Peek()));
    if (texts[3].empty())
        tokens.Fail(defaultToken, "an alert needs a first button");
    if (texts[2 + defaultButton].empty())
        tokens.Fail(defaultToken, "default button " + defaultToken.text + " has no text");
    ByteWriter out;
    out.U16(kind);
    out.U16(defaultButton);
    for (const std::u16string& text : texts)
        out.CountedUtf16(text);
    resource->data = out.Take();
}

} // namespace ResourceCompiler
