#include "DG/PanelRegistry.hpp"

#include <algorithm>

#include "DG/ModalDialog.hpp"
#include "DG/Palette.hpp"

namespace DG {

namespace {

// Touched only on the UI thread, as every DG call. Never destroyed: panels held in statics
// unregister while statics are torn down at exit.
std::vector<Panel*>& Panels() {
    static auto* panels = new std::vector<Panel*>();
    return *panels;
}

std::vector<ModalDialog*>& OpenModals() {
    static auto* open = new std::vector<ModalDialog*>();
    return *open;
}

template <typename T>
void Remove(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

std::vector<Panel*> GetLivePanels() {
    return Panels();
}

Palette* FindPalette(const GS::Guid& guid) {
    const std::vector<Panel*>& panels = Panels();
    for (auto it = panels.rbegin(); it != panels.rend(); ++it) {
        auto* palette = dynamic_cast<Palette*>(*it);
        if (palette != nullptr && palette->GetGuid() == guid)
            return palette;
    }
    return nullptr;
}

ModalDialog* FindModalDialog(short resId) {
    const std::vector<ModalDialog*>& open = OpenModals();
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        if ((*it)->GetId() == resId)
            return *it;
    }
    const std::vector<Panel*>& panels = Panels();
    for (auto it = panels.rbegin(); it != panels.rend(); ++it) {
        auto* dialog = dynamic_cast<ModalDialog*>(*it);
        if (dialog != nullptr && dialog->GetId() == resId)
            return dialog;
    }
    return nullptr;
}

ModalDialog* GetTopModalDialog() {
    return OpenModals().empty() ? nullptr : OpenModals().back();
}

namespace Detail {

void RegisterPanel(Panel* panel) {
    Panels().push_back(panel);
}

void UnregisterPanel(Panel* panel) {
    Remove(Panels(), panel);
}

void NoteModalOpened(ModalDialog* dialog) {
    OpenModals().push_back(dialog);
}

void NoteModalClosed(ModalDialog* dialog) {
    Remove(OpenModals(), dialog);
}

} // namespace Detail

} // namespace DG
