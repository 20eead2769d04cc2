#ifndef LIBPARTPACKER_LIBPARTSOURCE_HPP
#define LIBPARTPACKER_LIBPARTSOURCE_HPP

#include "Formats/LibPart/LibPart.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace LibPartPacker {

struct SourceResult {
    std::optional<LibPartFormat::LibPart> part;
    std::string error; // "file:line: what is wrong" when part is empty
};

// Reads a library part's source folder: libpartdata.xml, paramlist.xml and scripts/1d.gdl,
// 2d.gdl, ui.gdl and vl.gdl (UTF-8). `name` becomes the part's name.
SourceResult LoadLibPartSource(const std::filesystem::path& folder, const std::string& name);

} // namespace LibPartPacker

#endif
