#ifndef DG_PANELREGISTRY_HPP
#define DG_PANELREGISTRY_HPP

#include <vector>

#include "GSRoot/Guid.hpp"

// Every live panel of the process, so that the UI driver can reach a palette or a modal dialog
// without the add-on's help.
namespace DG {

class Panel;
class Palette;
class ModalDialog;

// In construction order.
std::vector<Panel*> GetLivePanels();
// The live palette constructed with `guid`; the latest if several; null when none.
Palette* FindPalette(const GS::Guid& guid);
// The latest open modal dialog of that resource ID, else the latest live one; null when none.
ModalDialog* FindModalDialog(short resId);
// The most recently opened modal dialog that is still open; null when none.
ModalDialog* GetTopModalDialog();

namespace Detail {
void RegisterPanel(Panel* panel);
void UnregisterPanel(Panel* panel);
void NoteModalOpened(ModalDialog* dialog);
void NoteModalClosed(ModalDialog* dialog);
} // namespace Detail

} // namespace DG

#endif
