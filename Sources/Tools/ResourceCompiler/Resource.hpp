#ifndef RESOURCECOMPILER_RESOURCE_HPP
#define RESOURCECOMPILER_RESOURCE_HPP

#include <cstdint>
#include <string>
#include <vector>

#include "CompileError.hpp"
#include "Formats/ResourceModule.hpp"

namespace ResourceCompiler {

using Formats::ResourceModule::CodeFromType;
using Formats::ResourceModule::TypeFromCode;

// A resource that must exist once all sources are read: a dialog a help resource describes (and
// its item), a FILE a folder names.
struct ResourceReference {
    std::uint32_t type = 0;
    std::int32_t id = 0;
    std::int64_t item = 0; // dialog item number, 0: the resource itself
    SourceLocation where;
};

struct Resource {
    std::uint32_t type = 0;
    std::int32_t id = 0;
    std::u16string name;
    std::vector<unsigned char> data;
    SourceLocation where;

    std::int64_t itemCount = 0; // dialogs
    std::vector<ResourceReference> references;
};

struct CompileOptions {
    std::string fileDir; // where FILE inputs are looked up
};

} // namespace ResourceCompiler

#endif
