#include "ResourceSet.hpp"

namespace ResourceCompiler {

namespace {

std::string Describe(std::uint32_t type, std::int32_t id) {
    return "'" + CodeFromType(type) + "' " + std::to_string(id);
}

} // namespace

const Resource* ResourceSet::Find(std::uint32_t type, std::int32_t id) const {
    for (const Resource& resource : resources_) {
        if (resource.type == type && resource.id == id)
            return &resource;
    }
    return nullptr;
}

void ResourceSet::Add(Resource resource) {
    if (const Resource* first = Find(resource.type, resource.id))
        throw CompileError(resource.where, "duplicate resource " + Describe(resource.type, resource.id) +
                                               " (first defined at " + first->where.ToString() + ")");
    resources_.push_back(std::move(resource));
}

void ResourceSet::CheckReferences() const {
    for (const Resource& resource : resources_) {
        for (const ResourceReference& reference : resource.references) {
            const Resource* target = Find(reference.type, reference.id);
            if (target == nullptr)
                throw CompileError(reference.where, Describe(resource.type, resource.id) + " refers to " +
                                                        Describe(reference.type, reference.id) +
                                                        ", which is not defined");
            if (reference.item > target->itemCount)
                throw CompileError(reference.where, Describe(resource.type, resource.id) +
                                                        " refers to item " + std::to_string(reference.item) +
                                                        " of " + Describe(reference.type, reference.id) +
                                                        ", which has " + std::to_string(target->itemCount) +
                                                        " items");
        }
    }
}

} // namespace ResourceCompiler
