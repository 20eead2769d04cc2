#ifndef RESOURCECOMPILER_RESOURCESET_HPP
#define RESOURCECOMPILER_RESOURCESET_HPP

#include <vector>

#include "Resource.hpp"

namespace ResourceCompiler {

// The resources of one module, in the order read. Each (type, ID) pair exists once.
class ResourceSet {
public:
    // Throws CompileError naming both places when (type, ID) is taken.
    void Add(Resource resource);
    // Throws CompileError when a resource names one that is missing (or a dialog item beyond
    // the dialog's last).
    void CheckReferences() const;

    const std::vector<Resource>& All() const { return resources_; }

private:
    const Resource* Find(std::uint32_t type, std::int32_t id) const;

    std::vector<Resource> resources_;
};

} // namespace ResourceCompiler

#endif
