#ifndef DG_DIALOG_HPP
#define DG_DIALOG_HPP

#include "DG/Panel.hpp"

namespace DG {

class Dialog : public Panel {
public:
    using Panel::Panel;

    // Brackets a group of item moves so that the window redraws once; pairs may nest. Headless,
    // only the pairing is checked.
    void BeginMoveResizeItems();
    void EndMoveResizeItems();
    bool IsMoveResizeInProgress() const { return moveResizeDepth_ > 0; }

private:
    int moveResizeDepth_ = 0;
};

} // namespace DG

#endif
