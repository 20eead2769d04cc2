#include "RS/ModuleImage.hpp"

#include <utility>

#include "Formats/ResourceModule.hpp"
#include "RS/ResourcePayloads.hpp"

namespace RS {

namespace MF = Formats::ResourceModule;

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
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
    std::vector<MF::Entry> directory;
    if (!MF::ReadDirectory(data, size, &directory, error))
        return false;
    ModuleImage result;
    for (MF::Entry& read : directory) {
        const std::vector<unsigned char> payload(data + read.offset, data + read.offset + read.length);
        std::string reason;
        if (!Payloads::Validate(read.type, payload, &reason))
            return Fail(error, MF::DescribeResource(read.type, read.id) + ": " + reason);
        result.entries.push_back(
            ModuleEntry{read.type, read.id, std::move(read.name), read.offset, read.length});
    }
    result.bytes.assign(data, data + size);
    *image = std::move(result);
    return true;
}

} // namespace RS
