#include "DG/Dialog.hpp"

namespace DG {

void Dialog::BeginMoveResizeItems() {
    ++moveResizeDepth_;
}

void Dialog::EndMoveResizeItems() {
    if (moveResizeDepth_ == 0) {
        ReportMisuse("EndMoveResizeItems without BeginMoveResizeItems");
        return;
    }
    --moveResizeDepth_;
}

} // namespace DG
