#ifndef FORMATS_LIBPART_SECTIONCONTENT_HPP
#define FORMATS_LIBPART_SECTIONCONTENT_HPP

#include "Formats/Bytes.hpp"
#include "Formats/LibPart/CheckedReader.hpp"
#include "Formats/LibPart/LibPart.hpp"
#include "Formats/LibPart/SectionLayout.hpp"

#include <string>

namespace LibPartFormat {

// Empty when every text of the part can be stored as its section requires.
std::string CheckSectionTexts(const LibPart& part);

// The body of one section, after its 16-byte header.
void EncodeSection(SectionId id, const LibPart& part, Formats::ByteWriter& out);
void DecodeSection(SectionId id, CheckedReader& in, LibPart& part);

} // namespace LibPartFormat

#endif
