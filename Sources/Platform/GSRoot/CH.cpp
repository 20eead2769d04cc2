#include "GSRoot/CH.hpp"

namespace {

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

} // namespace

// Byte-wise comparison of exactly the given lengths (a zero byte inside them is compared like any
// other); bytes compare as unsigned values. Mode CS_CaseSensitive compares exactly; any other mode
// folds only ASCII A-Z (to lower case), so "Zm_ApartmentId" matches "zm_apartmentId" but non-ASCII bytes must
// be equal. When one text is a prefix of the other, the shorter is smaller. A null text or a negative length
// counts as empty. The character code is not needed for these rules.
Int32 CHCompareTexts(const char* text1, Int32 length1, const char* text2, Int32 length2, Int32 caseMode,
                     Int32 /*charCode*/) {
    if (text1 == nullptr || length1 < 0)
        length1 = 0;
    if (text2 == nullptr || length2 < 0)
        length2 = 0;
    const bool exact = caseMode == CS_CaseSensitive;
    const Int32 common = length1 < length2 ? length1 : length2;
    for (Int32 i = 0; i < common; ++i) {
        unsigned char a = static_cast<unsigned char>(text1[i]);
        unsigned char b = static_cast<unsigned char>(text2[i]);
        if (!exact) {
            a = FoldAscii(a);
            b = FoldAscii(b);
        }
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (length1 == length2)
        return 0;
    return length1 < length2 ? -1 : 1;
}
