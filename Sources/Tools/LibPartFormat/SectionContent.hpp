#ifndef LIBPARTFORMAT_SECTIONCONTENT_HPP
#define LIBPARTFORMAT_SECTIONCONTENT_HPP

#include "ByteReader.hpp"
#include "ByteWriter.hpp"
#include "LibPartFormat/LibPart.hpp"
#include "SectionLayout.hpp"

#include <string>

namespace LibPartFormat {

// Empty when every text of the part can be stored as its section requires.
std::string CheckSectionTexts(const LibPart& part);

// The body of one section, after its 16-byte header.
void EncodeSection(SectionId id, const LibPart& part, ByteWriter& out);
void DecodeSection(SectionId id, ByteReader& in, LibPart& part);

} // namespace LibPartFormat

#endif
