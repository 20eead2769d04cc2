#ifndef FORMATS_LIBPART_LIBPARTFILE_HPP
#define FORMATS_LIBPART_LIBPARTFILE_HPP

#include "Formats/LibPart/LibPart.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace LibPartFormat {

constexpr std::uint16_t FileVersion = 45;
constexpr std::uint32_t HeaderSize = 128;
constexpr std::uint32_t SectionCount = 10;
constexpr std::uint32_t DirectoryEntrySize = 16;
constexpr std::uint32_t SectionHeaderSize = 16;
constexpr std::uint32_t FirstSectionOffset = HeaderSize + SectionCount * DirectoryEntrySize;

struct ReadProblem {
    std::size_t offset = 0;
    std::string reason;
    std::string Describe() const; // "offset 52: ..."
};

struct ReadResult {
    std::optional<LibPart> part; // set only when the whole file is sound
    ReadProblem problem;
    bool Ok() const { return part.has_value(); }
};

struct WriteResult {
    std::vector<std::uint8_t> bytes; // empty when the part cannot be stored
    std::string error;
    bool Ok() const { return error.empty(); }
};

WriteResult Write(const LibPart& part);
ReadResult Read(const std::string& name, const std::uint8_t* data, std::size_t size);
ReadResult Read(const std::string& name, const std::vector<std::uint8_t>& bytes);

} // namespace LibPartFormat

#endif
