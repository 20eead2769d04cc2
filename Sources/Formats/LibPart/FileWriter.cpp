#include "Formats/LibPart/LibPartFile.hpp"

#include "Formats/Bytes.hpp"
#include "Formats/LibPart/ParameterTable.hpp"
#include "Formats/LibPart/SectionContent.hpp"
#include "Formats/LibPart/SectionLayout.hpp"

#include <limits>

namespace LibPartFormat {

namespace {

constexpr std::uint32_t HeaderMarker = 1; // the word after the two GUIDs

void WriteCode(Formats::ByteWriter& out, const std::string& code) {
    out.Raw(StoredCode(code));
}

void WriteHeader(const LibPart& part, Formats::ByteWriter& out) {
    out.Raw("WW");
    out.U16(FileVersion);
    out.Zeros(32);
    out.U32(SectionCount);
    for (const char* code : HeaderCodes)
        WriteCode(out, code);
    out.U32(HeaderSize);
    out.U32(SectionCount * DirectoryEntrySize);
    out.Zeros(12);
    out.Raw(part.mainGuid.stored.data(), part.mainGuid.stored.size());
    out.Raw(part.revisionGuid.stored.data(), part.revisionGuid.stored.size());
    out.U32(HeaderMarker);
    out.Zeros(HeaderSize - out.Size());
}

std::vector<std::vector<std::uint8_t>> SectionBodies(const LibPart& part) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const SectionKind& kind : SectionKinds) {
        Formats::ByteWriter body;
        EncodeSection(kind.id, part, body);
        bodies.push_back(body.Take());
    }
    return bodies;
}

std::string CheckPart(const LibPart& part) {
    std::string problem = CheckParameterTable(part.parameters);
    if (problem.empty())
        problem = CheckSectionTexts(part);
    return problem;
}

std::uint32_t SectionLength(const std::vector<std::uint8_t>& body) {
    return static_cast<std::uint32_t>(SectionHeaderSize + body.size());
}

void WriteDirectory(const std::vector<std::vector<std::uint8_t>>& bodies, Formats::ByteWriter& out) {
    std::uint32_t offset = FirstSectionOffset;
    for (std::size_t k = 0; k < SectionKindCount; ++k) {
        WriteCode(out, SectionKinds[k].code);
        out.U32(offset);
        out.U32(SectionLength(bodies[k]));
        out.U32(0);
        offset += SectionLength(bodies[k]);
    }
}

void WriteSections(const std::vector<std::vector<std::uint8_t>>& bodies, Formats::ByteWriter& out) {
    for (std::size_t k = 0; k < SectionKindCount; ++k) {
        WriteCode(out, SectionKinds[k].code);
        out.Raw("WW");
        out.U16(SectionKinds[k].version);
        out.U32(SectionLength(bodies[k]));
        out.U32(0); // flags: stored plain
        out.Raw(bodies[k].data(), bodies[k].size());
    }
}

} // namespace

WriteResult Write(const LibPart& part) {
    WriteResult result;
    result.error = CheckPart(part);
    if (!result.error.empty())
        return result;
    const std::vector<std::vector<std::uint8_t>> bodies = SectionBodies(part);
    std::uint64_t total = FirstSectionOffset;
    for (const auto& body : bodies)
        total += SectionHeaderSize + body.size();
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        result.error =
            "the part needs " + std::to_string(total) + " bytes, more than 32-bit offsets can address";
        return result;
    }
    Formats::ByteWriter out;
    WriteHeader(part, out);
    WriteDirectory(bodies, out);
    WriteSections(bodies, out);
    result.bytes = out.Take();
    return result;
}

} // namespace LibPartFormat
