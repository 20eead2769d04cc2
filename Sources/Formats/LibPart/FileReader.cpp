#include "Formats/LibPart/LibPartFile.hpp"

#include "Formats/Hex.hpp"
#include "Formats/LibPart/CheckedReader.hpp"
#include "Formats/LibPart/FormatFailure.hpp"
#include "Formats/LibPart/SectionContent.hpp"
#include "Formats/LibPart/SectionLayout.hpp"

#include <algorithm>

namespace LibPartFormat {

namespace {

constexpr std::uint32_t EncipheredFlag = 0x00010000;

struct DirectoryEntry {
    std::size_t entryOffset; // where the entry sits in the directory
    const SectionKind* kind;
    std::uint32_t offset;
    std::uint32_t length;
};

std::string Printable(std::string_view bytes) {
    std::string text;
    for (char c : bytes)
        text.push_back(c >= 0x20 && c < 0x7F ? c : '?');
    return "\"" + text + "\"";
}

void ExpectZeros(CheckedReader& in, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = in.Position();
        if (in.U8("a reserved header byte") != 0)
            in.Fail(at, "reserved header byte is not zero");
    }
}

void ExpectU32(CheckedReader& in, std::uint32_t expected, const char* what) {
    const std::size_t at = in.Position();
    const std::uint32_t value = in.U32(what);
    if (value != expected)
        in.Fail(at, std::string(what) + " is " + std::to_string(value) + ", expected " +
                        std::to_string(expected));
}

void ExpectBytes(CheckedReader& in, std::string_view expected, const char* what) {
    const std::size_t at = in.Position();
    const std::string_view found = in.Raw(expected.size(), what);
    if (found != expected)
        in.Fail(at, std::string(what) + " is " + Printable(found) + ", expected " + Printable(expected));
}

Guid ReadGuid(CheckedReader& in, const char* what) {
    const std::string_view bytes = in.Raw(16, what);
    Guid guid;
    std::copy(bytes.begin(), bytes.end(), guid.stored.begin());
    return guid;
}

void ReadHeader(const std::uint8_t* data, std::size_t size, LibPart& part) {
    CheckedReader in(data, 0, size);
    if (size >= 2 && (data[0] != 'W' || data[1] != 'W'))
        in.Fail(0, "wrong magic " + Printable(std::string_view(reinterpret_cast<const char*>(data), 2)) +
                       ", expected \"WW\": not a library part file");
    if (size < HeaderSize)
        in.Fail(size, "truncated header: the file ends after " + std::to_string(size) +
                          " bytes, the header needs " + std::to_string(HeaderSize));
    in.Raw(2, "the magic");
    const std::size_t versionAt = in.Position();
    if (const std::uint16_t version = in.U16("the file version"); version != FileVersion)
        in.Fail(versionAt,
                "file version is " + std::to_string(version) + ", expected " + std::to_string(FileVersion));
    ExpectZeros(in, 32);
    ExpectU32(in, SectionCount, "the section count");
    for (const char* code : HeaderCodes)
        ExpectBytes(in, StoredCode(code), "a header code");
    ExpectU32(in, HeaderSize, "the directory offset");
    ExpectU32(in, SectionCount * DirectoryEntrySize, "the directory length (10 entries of 16 bytes)");
    ExpectZeros(in, 12);
    part.mainGuid = ReadGuid(in, "the main GUID");
    part.revisionGuid = ReadGuid(in, "the revision GUID");
    ExpectU32(in, 1, "the header word after the GUIDs");
    ExpectZeros(in, HeaderSize - in.Position());
}

DirectoryEntry ReadEntry(CheckedReader& in, std::size_t fileSize, const std::vector<DirectoryEntry>& seen) {
    DirectoryEntry entry{in.Position(), nullptr, 0, 0};
    const std::string code = CodeFromStored(std::string(in.Raw(4, "a section code")));
    entry.kind = FindSectionKind(code);
    if (entry.kind == nullptr)
        in.Fail(entry.entryOffset, "unknown section code " + Printable(code));
    for (const DirectoryEntry& other : seen)
        if (other.kind == entry.kind)
            in.Fail(entry.entryOffset, "section " + code + " is listed twice in the directory");
    entry.offset = in.U32("a section offset");
    entry.length = in.U32("a section length");
    ExpectU32(in, 0, "the directory entry's reserved word");
    if (entry.length < SectionHeaderSize)
        in.Fail(entry.entryOffset + 8, "section " + code + " has length " + std::to_string(entry.length) +
                                           ", shorter than its 16-byte header");
    if (entry.offset < FirstSectionOffset)
        in.Fail(entry.entryOffset + 4,
                "section " + code + " starts at offset " + std::to_string(entry.offset) +
                    ", inside the header and directory that end at " + std::to_string(FirstSectionOffset));
    if (std::uint64_t(entry.offset) + entry.length > fileSize)
        in.Fail(entry.entryOffset + 4, "section " + code + " at offset " + std::to_string(entry.offset) +
                                           " with length " + std::to_string(entry.length) +
                                           " runs past the end of the file at " + std::to_string(fileSize));
    return entry;
}

// Sections must tile the rest of the file: no overlap, no gap, nothing after the last one.
void CheckTiling(CheckedReader& in, std::vector<DirectoryEntry> entries, std::size_t fileSize) {
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.offset < b.offset; });
    std::size_t expected = FirstSectionOffset;
    const DirectoryEntry* previous = nullptr;
    for (const DirectoryEntry& entry : entries) {
        if (entry.offset < expected)
            in.Fail(entry.entryOffset + 4, std::string("section ") + entry.kind->code + " at offset " +
                                               std::to_string(entry.offset) + " overlaps section " +
                                               previous->kind->code + ", which runs to offset " +
                                               std::to_string(expected));
        if (entry.offset > expected)
            in.Fail(expected, "bytes " + std::to_string(expected) + " to " + std::to_string(entry.offset) +
                                  " belong to no section");
        expected = std::size_t(entry.offset) + entry.length;
        previous = &entry;
    }
    if (expected != fileSize)
        in.Fail(expected, "bytes " + std::to_string(expected) + " to " + std::to_string(fileSize) +
                              " after the last section belong to no section");
}

std::vector<DirectoryEntry> ReadDirectory(const std::uint8_t* data, std::size_t size) {
    if (size < FirstSectionOffset)
        throw FormatFailure{size, "truncated directory: the file ends after " + std::to_string(size) +
                                      " bytes, the directory runs to " + std::to_string(FirstSectionOffset)};
    CheckedReader in(data, HeaderSize, FirstSectionOffset);
    std::vector<DirectoryEntry> entries;
    for (std::uint32_t k = 0; k < SectionCount; ++k)
        entries.push_back(ReadEntry(in, size, entries));
    CheckTiling(in, entries, size);
    return entries;
}

void ReadSection(const std::uint8_t* data, const DirectoryEntry& entry, LibPart& part) {
    const std::string code = entry.kind->code;
    CheckedReader in(data, entry.offset, std::size_t(entry.offset) + entry.length);
    ExpectBytes(in, StoredCode(code), "the section header's code");
    ExpectBytes(in, "WW", "the section header's marker");
    const std::size_t versionAt = in.Position();
    if (const std::uint16_t version = in.U16("the section version"); version != entry.kind->version)
        in.Fail(versionAt, "section " + code + " has version " + std::to_string(version) + ", expected " +
                               std::to_string(entry.kind->version));
    ExpectU32(in, entry.length, "the section header's length (the directory's)");
    const std::size_t flagsAt = in.Position();
    const std::uint32_t flags = in.U32("the section flags");
    if (flags == EncipheredFlag)
        in.Fail(flagsAt, "section " + code + " is enciphered; only plain sections can be read");
    if (flags != 0)
        in.Fail(flagsAt, "section " + code + " has flags " + Formats::HexNumber(flags, 8) + ", expected 0");
    DecodeSection(entry.kind->id, in, part);
}

LibPart ReadFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    LibPart part;
    part.name = name;
    ReadHeader(data, size, part);
    for (const DirectoryEntry& entry : ReadDirectory(data, size)) {
        ReadSection(data, entry, part);
        part.sections.push_back({entry.kind->code, entry.offset, entry.length, entry.kind->version});
    }
    return part;
}

} // namespace

std::string ReadProblem::Describe() const {
    return "offset " + std::to_string(offset) + ": " + reason;
}

ReadResult Read(const std::string& name, const std::uint8_t* data, std::size_t size) {
    ReadResult result;
    try {
        result.part = ReadFile(name, data, size);
    } catch (const FormatFailure& failure) {
        result.problem = {failure.offset, failure.reason};
    }
    return result;
}

ReadResult Read(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return Read(name, bytes.data(), bytes.size());
}

} // namespace LibPartFormat
