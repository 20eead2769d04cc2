#include "HeadlessHost/ProjectModel.hpp"

#include <cstring>

namespace Headless {

std::size_t GuidHasher::operator()(const API_Guid& guid) const {
    // FNV-1a over the 16 bytes: independent of how the platform hashes GUIDs.
    unsigned char bytes[sizeof(API_Guid)];
    std::memcpy(bytes, &guid, sizeof(bytes));
    std::size_t hash = 1469598103934665603ULL;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    }
    return hash;
}

ElementRecord* ProjectModel::Find(const API_Guid& guid) {
    return const_cast<ElementRecord*>(static_cast<const ProjectModel&>(*this).Find(guid));
}

const ElementRecord* ProjectModel::Find(const API_Guid& guid) const {
    auto serial = serialOf.find(guid);
    if (serial == serialOf.end())
        return nullptr;
    auto found = elements.find(serial->second);
    return found == elements.end() ? nullptr : &found->second;
}

ElementRecord& ProjectModel::Insert(ElementRecord record) {
    serialOf[record.GetGuid()] = record.serial;
    auto inserted = elements.emplace(record.serial, std::move(record));
    return inserted.first->second;
}

ElementRecord ProjectModel::Remove(const API_Guid& guid) {
    auto serial = serialOf.find(guid);
    auto found = elements.find(serial->second);
    ElementRecord record = std::move(found->second);
    elements.erase(found);
    serialOf.erase(serial);
    return record;
}

const Story* ProjectModel::FindStory(Int16 index) const {
    for (const Story& story : stories) {
        if (story.index == index)
            return &story;
    }
    return nullptr;
}

} // namespace Headless
