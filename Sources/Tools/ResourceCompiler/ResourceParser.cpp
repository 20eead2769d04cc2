#include "ResourceParser.hpp"

#include <limits>

#include "ResourceSyntax.hpp"
#include "Tokenizer.hpp"

namespace ResourceCompiler {

namespace {

struct KnownType {
    const char* code;
    ResourceSyntax read;
};

const KnownType knownTypes[] = {
    {"STR#", ReadStringList}, {"GALR", ReadAlert}, {"GDLG", ReadDialog}, {"DLGH", ReadDialogHelp},
    {"MDID", ReadIdentifier}, {"GICN", ReadIcon},  {"FILE", ReadFile},   {"FLDR", ReadFolder},
};

ResourceSyntax FindSyntax(const std::string& code) {
    for (const KnownType& type : knownTypes) {
        if (code == type.code)
            return type.read;
    }
    return nullptr;
}

} // namespace

std::vector<Resource> ParseResources(const std::string& text, const std::string& fileName,
                                     const CompileOptions& options) {
    TokenCursor tokens(Tokenize(text, fileName));
    std::vector<Resource> resources;
    while (!tokens.At(TokenKind::End)) {
        const Token type = tokens.Expect(TokenKind::TypeCode, "resource type");
        const ResourceSyntax read = FindSyntax(type.text);
        if (read == nullptr)
            tokens.Fail(type, "unknown resource type '" + type.text + "'");
        Resource resource;
        resource.type = TypeFromCode(type.text);
        resource.where = type.where;
        resource.id = static_cast<std::int32_t>(
            tokens.ExpectNumber("resource ID", 0, std::numeric_limits<std::int32_t>::max()));
        read(tokens, options, &resource);
        resources.push_back(std::move(resource));
    }
    return resources;
}

} // namespace ResourceCompiler
