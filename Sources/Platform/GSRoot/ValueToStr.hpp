#ifndef GSROOT_VALUETOSTR_HPP
#define GSROOT_VALUETOSTR_HPP

#include "GSRoot/UniString.hpp"

namespace GS {
// Signed decimal text of a 32-bit value: 0x810E0001 gives "-2129788927".
UniString valuetostr(Int32 value);
} // namespace GS

#endif
