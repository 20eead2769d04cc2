#ifndef HEADLESSHOST_RECORDTEXT_HPP
#define HEADLESSHOST_RECORDTEXT_HPP

#include <cstddef>

#include "GSRoot/UniString.hpp"

namespace Headless {

// The fixed-size UTF-16 text fields of host records: written cut to fit with a terminating zero,
// read up to the first zero or the end of the field.
void CopyText(const GS::UniString& text, char16_t* target, std::size_t capacity);
GS::UniString ReadText(const char16_t* text, std::size_t capacity);

} // namespace Headless

#endif
