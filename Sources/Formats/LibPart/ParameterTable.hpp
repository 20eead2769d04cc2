#ifndef FORMATS_LIBPART_PARAMETERTABLE_HPP
#define FORMATS_LIBPART_PARAMETERTABLE_HPP

#include "Formats/Bytes.hpp"
#include "Formats/LibPart/CheckedReader.hpp"
#include "Formats/LibPart/LibPart.hpp"

#include <string>
#include <vector>

namespace LibPartFormat {

// Empty when every parameter is sound and the names are unique.
std::string CheckParameterTable(const std::vector<Parameter>& parameters);

void EncodeParameterTable(const std::vector<Parameter>& parameters, Formats::ByteWriter& out);
std::vector<Parameter> DecodeParameterTable(CheckedReader& in);

} // namespace LibPartFormat

#endif
