#ifndef RESOURCECOMPILER_RESOURCESYNTAX_HPP
#define RESOURCECOMPILER_RESOURCESYNTAX_HPP

#include "Resource.hpp"
#include "TokenCursor.hpp"

namespace ResourceCompiler {

// One resource type's syntax: reads what follows the type and ID (name and body) into the
// resource's name, data and references.
using ResourceSyntax = void (*)(TokenCursor& tokens, const CompileOptions& options, Resource* resource);

void ReadStringList(TokenCursor& tokens, const CompileOptions& options, Resource* resource);
void ReadAlert(TokenCursor& tokens, const CompileOptions& options, Resource* resource);
void ReadDialog(TokenCursor& tokens, const CompileOptions& options, Resource* resource);
void ReadDialogHelp(TokenCursor& tokens, const CompileOptions& options, Resource* resource);
void ReadIdentifier(TokenCursor& tokens, const CompileOptions& options, Resource* resource);
void ReadIcon(TokenCursor& tokens, const CompileOptions& options, Resource* resource);
void ReadFile(TokenCursor& tokens, const CompileOptions& options, Resource* resource);
void ReadFolder(TokenCursor& tokens, const CompileOptions& options, Resource* resource);

// Reads an input file that a resource names; a CompileError at `where` when it cannot be read.
std::vector<unsigned char> ReadInputFile(const std::string& path, const SourceLocation& where,
                                         const char* what);

} // namespace ResourceCompiler

#endif
