#ifndef RESOURCECOMPILER_MODULEIMAGE_HPP
#define RESOURCECOMPILER_MODULEIMAGE_HPP

#include <string>
#include <vector>

#include "Resource.hpp"

namespace ResourceCompiler {

// The module file: header, directory, then each resource's name and data.
std::vector<unsigned char> BuildModuleImage(const std::vector<Resource>& resources);

// A C++ source that embeds `image` as a byte array behind `nameSpace`::Data() and ::Size(),
// declared in `headerName`.
std::string BuildEmbeddingSource(const std::vector<unsigned char>& image, const std::string& headerName,
                                 const std::string& nameSpace);

} // namespace ResourceCompiler

#endif
