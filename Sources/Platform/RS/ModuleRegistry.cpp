#include <map>
#include <mutex>

#include "RS/ModuleImage.hpp"
#include "RS/RS.hpp"

namespace RS {

namespace {

// The process's registered modules. Handles are never reused, so a stale handle finds nothing.
struct Registry {
    std::mutex mutex;
    std::map<GSResModule, ModuleImage> modules;
    GSResModule nextHandle = 1;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

GSResModule RegisterModule(const unsigned char* data, UInt64 size, const std::string& name,
                           std::string* error) {
    ModuleImage image;
    std::string reason;
    if (!ParseModuleImage(data, size, &image, &reason)) {
        if (error != nullptr)
            *error = "resource module '" + name + "': " + reason;
        return InvalidResModule;
    }
    image.name = name;
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const GSResModule handle = registry.nextHandle++;
    registry.modules.emplace(handle, std::move(image));
    return handle;
}

void UnregisterModule(GSResModule module) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.modules.erase(module);
}

bool IsModuleRegistered(GSResModule module) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    return registry.modules.count(module) != 0;
}

bool GetResourceData(GSResModule module, ResType type, GSResID id, std::vector<unsigned char>* data) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const auto found = registry.modules.find(module);
    if (found == registry.modules.end())
        return false;
    const ModuleEntry* entry = found->second.Find(type, id);
    if (entry == nullptr)
        return false;
    if (data != nullptr) {
        const unsigned char* begin = found->second.bytes.data() + entry->offset;
        data->assign(begin, begin + entry->length);
    }
    return true;
}

std::vector<GSResID> ListResources(GSResModule module, ResType type) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    std::vector<GSResID> ids;
    const auto found = registry.modules.find(module);
    if (found == registry.modules.end())
        return ids;
    for (const ModuleEntry& entry : found->second.entries) {
        if (entry.type == type)
            ids.push_back(entry.id);
    }
    return ids;
}

} // namespace RS
