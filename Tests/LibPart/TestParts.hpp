#ifndef TESTS_LIBPART_TESTPARTS_HPP
#define TESTS_LIBPART_TESTPARTS_HPP

#include "Formats/LibPart/LibPart.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace LibPartTests {

using Bytes = std::vector<std::uint8_t>;

// A part that exercises every parameter kind, empty and multi-column arrays and non-ASCII texts.
LibPartFormat::LibPart SamplePart();
Bytes SampleFile();
Bytes PackedFile(); // the build's Zarimark.gsm

std::uint32_t U32At(const Bytes& bytes, std::size_t offset);
void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value);

struct DirectoryEntry {
    std::string code; // as written, not reversed
    std::uint32_t offset;
    std::uint32_t length;
};
std::vector<DirectoryEntry> Directory(const Bytes& file);
DirectoryEntry SectionOf(const Bytes& file, const std::string& code);

} // namespace LibPartTests

#endif
