#include "RS/ModuleImage.hpp"

#include <set>
#include <utility>

#include "RS/ByteReader.hpp"
#include "RS/ModuleFormat.hpp"
#include "RS/ResourcePayloads.hpp"

namespace RS {

namespace MF = ModuleFormat;

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

std::string Describe(ResType type, GSResID id) {
    std::string code;
    for (int shift = 24; shift >= 0; shift -= 8)
        code += static_cast<char>((type >> shift) & 0xFF);
    return "resource '" + code + "' " + std::to_string(id);
}

// A range must lie after the directory and end within the image.
bool RangeInside(std::uint64_t offset, std::uint64_t length, std::uint64_t dataStart, std::uint64_t size) {
    return offset >= dataStart && offset <= size && length <= size - offset;
}

bool ReadHeader(ByteReader* in, UInt64 size, std::uint32_t* count, std::string* error) {
    std::uint16_t version = 0;
    std::uint16_t reserved = 0;
    std::uint32_t length = 0;
    in->U16(&version);
    in->U16(&reserved);
    in->U32(count);
    in->U32(&length);
    if (version != MF::Version)
        return Fail(error, "unsupported module format version " + std::to_string(version));
    if (length != size)
        return Fail(error, "the header gives a length of " + std::to_string(length) +
                               " bytes, the image has " + std::to_string(size) + " (truncated or padded)");
    if (MF::HeaderSize + static_cast<std::uint64_t>(*count) * MF::EntrySize > size)
        return Fail(error, "the directory of " + std::to_string(*count) + " entries runs past the end");
    return true;
}

// One directory entry; its name and data must lie within the image, after the directory.
bool ReadEntry(ByteReader* in, const unsigned char* data, std::uint64_t dataStart, UInt64 size,
               ModuleEntry* entry, std::string* error) {
    std::uint32_t nameOffset = 0;
    std::uint32_t nameLength = 0;
    in->U32(&entry->type);
    in->I32(&entry->id);
    in->U32(&nameOffset);
    in->U32(&nameLength);
    in->U32(&entry->offset);
    in->U32(&entry->length);
    const std::string what = Describe(entry->type, entry->id);
    if (!RangeInside(nameOffset, nameLength, dataStart, size) || nameLength % 2 != 0)
        return Fail(error, what + ": its name (offset " + std::to_string(nameOffset) + ", " +
                               std::to_string(nameLength) + " bytes) lies outside the image");
    if (!RangeInside(entry->offset, entry->length, dataStart, size))
        return Fail(error, what + ": its data (offset " + std::to_string(entry->offset) + ", " +
                               std::to_string(entry->length) + " bytes) lies outside the image");
    ByteReader name(data + nameOffset, nameLength);
    name.Units(nameLength / 2, &entry->name);
    return true;
}

} // namespace

const ModuleEntry* ModuleImage::Find(ResType type, GSResID id) const {
    for (const ModuleEntry& entry : entries) {
        if (entry.type == type && entry.id == id)
            return &entry;
    }
    return nullptr;
}

bool ParseModuleImage(const unsigned char* data, UInt64 size, ModuleImage* image, std::string* error) {
    if (data == nullptr || size < MF::HeaderSize)
        return Fail(error,
                    "the image of " + std::to_string(size) + " bytes is shorter than the module header");
    if (!std::equal(MF::Magic, MF::Magic + 4, data))
        return Fail(error, "not a resource module (bad magic)");
    ByteReader in(data + 4, static_cast<std::size_t>(size - 4));
    std::uint32_t count = 0;
    if (!ReadHeader(&in, size, &count, error))
        return false;
    const std::uint64_t dataStart = MF::HeaderSize + static_cast<std::uint64_t>(count) * MF::EntrySize;
    ModuleImage result;
    std::set<std::pair<ResType, GSResID>> seen;
    for (std::uint32_t i = 0; i < count; ++i) {
        ModuleEntry entry;
        if (!ReadEntry(&in, data, dataStart, size, &entry, error))
            return false;
        if (!seen.insert({entry.type, entry.id}).second)
            return Fail(error, Describe(entry.type, entry.id) + " appears twice");
        const std::vector<unsigned char> payload(data + entry.offset, data + entry.offset + entry.length);
        std::string reason;
        if (!Payloads::Validate(entry.type, payload, &reason))
            return Fail(error, Describe(entry.type, entry.id) + ": " + reason);
        result.entries.push_back(std::move(entry));
    }
    result.bytes.assign(data, data + size);
    *image = std::move(result);
    return true;
}

} // namespace RS
