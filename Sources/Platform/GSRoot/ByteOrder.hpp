#ifndef GSROOT_BYTEORDER_HPP
#define GSROOT_BYTEORDER_HPP

#include "GSRoot/Definitions.hpp"

// Convert a value written on the platform with the given sign to this machine's byte order.
void IVLong(GSPlatformSign fromPlatform, Int32* value);
void IVShort(GSPlatformSign fromPlatform, Int16* value);
void IVBool(GSPlatformSign fromPlatform, bool* value);

#endif
