#ifndef GSROOT_CH_HPP
#define GSROOT_CH_HPP

#include "GSRoot/Definitions.hpp"

constexpr Int32 CC_Default = 0;
constexpr Int32 CS_CaseInsensitive = 0;
constexpr Int32 CS_CaseSensitive = 1;

// Compares two 8-bit texts of the given lengths; 0 when equal, negative or positive otherwise.
// Case mode 0 compares ASCII letters case-insensitively, mode 1 exactly.
Int32 CHCompareTexts(const char* text1, Int32 length1, const char* text2, Int32 length2, Int32 caseMode,
                     Int32 charCode);

#endif
