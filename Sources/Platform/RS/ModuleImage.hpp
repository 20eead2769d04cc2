#ifndef RS_MODULEIMAGE_HPP
#define RS_MODULEIMAGE_HPP

#include <string>
#include <vector>

#include "RS/RS.hpp"

namespace RS {

// Where one resource lies in the image.
struct ModuleEntry {
    ResType type = 0;
    GSResID id = 0;
    std::u16string name;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// A validated copy of a module image and its directory.
struct ModuleImage {
    std::string name;
    std::vector<unsigned char> bytes;
    std::vector<ModuleEntry> entries;

    const ModuleEntry* Find(ResType type, GSResID id) const;
};

// Checks header, directory bounds, unique (type, ID) pairs and the payload of every resource of
// a known type; on success `image` holds the copy. False with a reason otherwise.
bool ParseModuleImage(const unsigned char* data, UInt64 size, ModuleImage* image, std::string* error);

} // namespace RS

#endif
