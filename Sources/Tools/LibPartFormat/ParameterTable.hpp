#ifndef LIBPARTFORMAT_PARAMETERTABLE_HPP
#define LIBPARTFORMAT_PARAMETERTABLE_HPP

#include "ByteReader.hpp"
#include "ByteWriter.hpp"
#include "LibPartFormat/LibPart.hpp"

#include <string>
#include <vector>

namespace LibPartFormat {

// Empty when every parameter is sound and the names are unique.
std::string CheckParameterTable(const std::vector<Parameter>& parameters);

void EncodeParameterTable(const std::vector<Parameter>& parameters, ByteWriter& out);
std::vector<Parameter> DecodeParameterTable(ByteReader& in);

} // namespace LibPartFormat

#endif
