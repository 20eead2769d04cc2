#ifndef RESOURCECOMPILER_RESOURCEPARSER_HPP
#define RESOURCECOMPILER_RESOURCEPARSER_HPP

#include <string>
#include <vector>

#include "Resource.hpp"

namespace ResourceCompiler {

// All resources of one (preprocessed) source text, in source order. Throws CompileError.
std::vector<Resource> ParseResources(const std::string& text, const std::string& fileName,
                                     const CompileOptions& options);

} // namespace ResourceCompiler

#endif
