#ifndef GSROOT_FORMATARGS_HPP
#define GSROOT_FORMATARGS_HPP

#include <cstdarg>
#include <string>

// Internal to the platform library: not part of the host's GSRoot interface.
namespace GS {
namespace Detail {

// printf-style formatting of a variable argument list, of any length; empty on a format error.
std::string FormatArgs(const char* format, std::va_list args);

} // namespace Detail
} // namespace GS

#endif
