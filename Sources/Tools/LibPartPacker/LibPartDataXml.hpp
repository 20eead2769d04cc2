#ifndef LIBPARTPACKER_LIBPARTDATAXML_HPP
#define LIBPARTPACKER_LIBPARTDATAXML_HPP

#include "Formats/LibPart/LibPart.hpp"

#include <string>

namespace LibPartPacker {

// Fills the part's identity, ancestry, macros, copyright, keywords and description from
// libpartdata.xml. Throws SourceFailure naming file and line.
void ParseLibPartData(std::string text, const std::string& fileName, LibPartFormat::LibPart& part);

} // namespace LibPartPacker

#endif
