#ifndef ZARIMARK_RESOURCEIMAGE_HPP
#define ZARIMARK_RESOURCEIMAGE_HPP

#include "GSRoot/Definitions.hpp"

// The add-on's compiled resource module, embedded in the add-on library at build time. Register
// it with RS::RegisterModule to read its resources.
namespace ZarimarkResourceImage {

const unsigned char* Data();
UInt64 Size();

} // namespace ZarimarkResourceImage

#endif
