#ifndef LIBPARTPACKER_PARAMLISTXML_HPP
#define LIBPARTPACKER_PARAMLISTXML_HPP

#include "Formats/LibPart/LibPart.hpp"

#include <string>
#include <vector>

namespace LibPartPacker {

// Parses the parameter list (paramlist.xml). Throws SourceFailure naming file and line.
std::vector<LibPartFormat::Parameter> ParseParamList(std::string text, const std::string& fileName);

} // namespace LibPartPacker

#endif
