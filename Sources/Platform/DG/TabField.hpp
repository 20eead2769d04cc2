#ifndef DG_TABFIELD_HPP
#define DG_TABFIELD_HPP

namespace DG {

// The layout of one list box column: its pixel span and how its texts are drawn.
struct TabField {
    short begin = 0;
    short end = 0;
    short justification = 0;
    short truncation = 0;
    bool hasSeparator = false;
    bool status = true;
};

} // namespace DG

#endif
