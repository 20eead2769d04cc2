#include "Formats/ResourceModule.hpp"

#include "Formats/Bytes.hpp"
#include "Formats/Utf.hpp"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

namespace Formats::ResourceModule {

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

// A range must lie after the directory and end within the image.
bool RangeInside(std::uint64_t offset, std::uint64_t length, std::uint64_t dataStart, std::uint64_t size) {
    return offset >= dataStart && offset <= size && length <= size - offset;
}

bool ReadHeader(ByteReader& in, std::uint64_t size, std::uint32_t* count, std::string* error) {
    std::uint16_t version = 0;
    std::uint16_t reserved = 0;
    std::uint32_t length = 0;
    in.Skip(sizeof Magic);
    in.U16(&version);
    in.U16(&reserved);
    in.U32(count);
    in.U32(&length);
    if (version != Version)
        return Fail(error, "unsupported module format version " + std::to_string(version));
    if (length != size)
        return Fail(error, "the header gives a length of " + std::to_string(length) +
                               " bytes, the image has " + std::to_string(size) + " (truncated or padded)");
    if (HeaderSize + static_cast<std::uint64_t>(*count) * EntrySize > size)
        return Fail(error, "the directory of " + std::to_string(*count) + " entries runs past the end");
    return true;
}

bool ReadEntry(ByteReader& in, const std::uint8_t* image, std::uint64_t dataStart, std::uint64_t size,
               Entry* entry, std::string* error) {
    std::uint32_t nameOffset = 0;
    std::uint32_t nameLength = 0;
    in.U32(&entry->type);
    in.I32(&entry->id);
    in.U32(&nameOffset);
    in.U32(&nameLength);
    in.U32(&entry->offset);
    in.U32(&entry->length);
    const std::string what = DescribeResource(entry->type, entry->id);
    if (!RangeInside(nameOffset, nameLength, dataStart, size) || nameLength % 2 != 0)
        return Fail(error, what + ": its name (offset " + std::to_string(nameOffset) + ", " +
                               std::to_string(nameLength) + " bytes) lies outside the image");
    if (!RangeInside(entry->offset, entry->length, dataStart, size))
        return Fail(error, what + ": its data (offset " + std::to_string(entry->offset) + ", " +
                               std::to_string(entry->length) + " bytes) lies outside the image");
    ByteReader name(image, nameOffset, std::size_t(nameOffset) + nameLength);
    name.Units(nameLength / 2, &entry->name);
    return true;
}

// The length prefix must cover exactly what follows it.
bool CheckLengthPrefix(const std::uint8_t* data, std::size_t size, std::string* error) {
    if (size < LengthPrefixSize)
        return Fail(error, std::to_string(size) + " bytes, too short for its 4-byte length field");
    std::uint32_t length = 0;
    ByteReader(data, size).U32(&length);
    if (length != size - LengthPrefixSize)
        return Fail(error, "the length field says " + std::to_string(length) + " bytes follow it, " +
                               std::to_string(size - LengthPrefixSize) + " do");
    return true;
}

} // namespace

std::uint32_t TypeFromCode(const std::string& code) {
    std::uint32_t type = 0;
    for (std::size_t k = 0; k < 4; ++k)
        type = (type << 8) | (k < code.size() ? static_cast<std::uint8_t>(code[k]) : 0u);
    return type;
}

std::string CodeFromType(std::uint32_t type) {
    std::string code;
    for (int shift = 24; shift >= 0; shift -= 8)
        code += static_cast<char>((type >> shift) & 0xFF);
    return code;
}

std::string DescribeResource(std::uint32_t type, std::int32_t id) {
    return "resource '" + CodeFromType(type) + "' " + std::to_string(id);
}

bool WriteImage(const std::vector<Resource>& resources, std::vector<std::uint8_t>* image,
                std::string* error) {
    std::uint64_t total = HeaderSize + static_cast<std::uint64_t>(resources.size()) * EntrySize;
    for (const Resource& resource : resources)
        total += resource.name.size() * 2 + resource.data.size();
    if (total > std::numeric_limits<std::uint32_t>::max())
        return Fail(error, "the resource module would exceed 4 GiB");

    ByteWriter out;
    for (std::uint8_t byte : Magic) // byte by byte: GCC 12 misjudges a range insert into an empty vector
        out.U8(byte);
    out.U16(Version);
    out.U16(0);
    out.U32(static_cast<std::uint32_t>(resources.size()));
    out.U32(static_cast<std::uint32_t>(total));
    std::uint32_t offset = HeaderSize + static_cast<std::uint32_t>(resources.size()) * EntrySize;
    for (const Resource& resource : resources) {
        const auto nameBytes = static_cast<std::uint32_t>(resource.name.size() * 2);
        const auto dataBytes = static_cast<std::uint32_t>(resource.data.size());
        out.U32(resource.type);
        out.I32(resource.id);
        out.U32(offset);
        out.U32(nameBytes);
        out.U32(offset + nameBytes);
        out.U32(dataBytes);
        offset += nameBytes + dataBytes;
    }
    for (const Resource& resource : resources) {
        out.Units(resource.name);
        out.Raw(resource.data);
    }
    *image = out.Take();
    return true;
}

bool ReadDirectory(const std::uint8_t* image, std::uint64_t size, std::vector<Entry>* entries,
                   std::string* error) {
    if (image == nullptr || size < HeaderSize)
        return Fail(error,
                    "the image of " + std::to_string(size) + " bytes is shorter than the module header");
    if (!std::equal(Magic, Magic + sizeof Magic, image))
        return Fail(error, "not a resource module (bad magic)");
    if (size > std::numeric_limits<std::size_t>::max())
        return Fail(error, "the image of " + std::to_string(size) + " bytes cannot be addressed");
    ByteReader in(image, static_cast<std::size_t>(size));
    std::uint32_t count = 0;
    if (!ReadHeader(in, size, &count, error))
        return false;
    const std::uint64_t dataStart = HeaderSize + static_cast<std::uint64_t>(count) * EntrySize;
    std::vector<Entry> result;
    std::set<std::pair<std::uint32_t, std::int32_t>> seen;
    for (std::uint32_t k = 0; k < count; ++k) {
        Entry entry;
        if (!ReadEntry(in, image, dataStart, size, &entry, error))
            return false;
        if (!seen.insert({entry.type, entry.id}).second)
            return Fail(error, DescribeResource(entry.type, entry.id) + " appears twice");
        result.push_back(std::move(entry));
    }
    *entries = std::move(result);
    return true;
}

bool ReadImage(const std::uint8_t* image, std::uint64_t size, std::vector<Resource>* resources,
               std::string* error) {
    std::vector<Entry> entries;
    if (!ReadDirectory(image, size, &entries, error))
        return false;
    std::vector<Resource> result;
    for (Entry& entry : entries) {
        Resource resource{entry.type, entry.id, std::move(entry.name), {}};
        resource.data.assign(image + entry.offset, image + entry.offset + entry.length);
        result.push_back(std::move(resource));
    }
    *resources = std::move(result);
    return true;
}

bool DecodeFolder(const std::uint8_t* data, std::size_t size, std::vector<FolderEntry>* entries,
                  std::string* error) {
    if (!CheckLengthPrefix(data, size, error))
        return false;
    ByteReader in(data, LengthPrefixSize, size);
    std::uint16_t count = 0;
    if (!in.U16(&count))
        return Fail(error, "no entry count after the length field");
    const std::size_t expected = LengthPrefixSize + 2 + std::size_t(count) * FolderEntrySize;
    if (size != expected)
        return Fail(error, std::to_string(count) + " entries of " + std::to_string(FolderEntrySize) +
                               " bytes need " + std::to_string(expected) +
                               " bytes in all, the resource has " + std::to_string(size));
    std::vector<FolderEntry> result;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t fieldAt = in.Position();
        std::u16string field;
        FolderEntry entry;
        in.Units(FolderNameUnits, &field);
        in.U16(&entry.fileId);
        const std::size_t length = BoundedUtf16Length(field.data(), field.size());
        const std::size_t stray = field.find_first_not_of(u'\0', length);
        if (stray != std::u16string::npos)
            return Fail(error, "entry " + std::to_string(k + 1) +
                                   " has bytes after the end of its file name at offset " +
                                   std::to_string(fieldAt + 2 * stray));
        field.resize(length);
        entry.name = std::move(field);
        result.push_back(std::move(entry));
    }
    *entries = std::move(result);
    return true;
}

bool EncodeFolder(const std::vector<FolderEntry>& entries, std::vector<std::uint8_t>* data,
                  std::string* error) {
    if (entries.size() > std::numeric_limits<std::uint16_t>::max())
        return Fail(error, "too many FLDR entries: " + std::to_string(entries.size()));
    ByteWriter out;
    out.U32(static_cast<std::uint32_t>(2 + entries.size() * FolderEntrySize));
    out.U16(static_cast<std::uint16_t>(entries.size()));
    for (const FolderEntry& entry : entries) {
        if (entry.name.size() > FolderNameUnits)
            return Fail(error, "a file name of " + std::to_string(entry.name.size()) +
                                   " UTF-16 units does not fit the " + std::to_string(FolderNameBytes) +
                                   "-byte field");
        out.Units(entry.name);
        out.Zeros(FolderNameBytes - entry.name.size() * 2);
        out.U16(entry.fileId);
    }
    *data = out.Take();
    return true;
}

bool DecodeFile(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>* bytes,
                std::string* error) {
    if (!CheckLengthPrefix(data, size, error))
        return false;
    bytes->assign(data + LengthPrefixSize, data + size);
    return true;
}

std::vector<std::uint8_t> EncodeFile(const std::vector<std::uint8_t>& bytes) {
    ByteWriter out;
    out.U32(static_cast<std::uint32_t>(bytes.size()));
    out.Raw(bytes);
    return out.Take();
}

} // namespace Formats::ResourceModule
