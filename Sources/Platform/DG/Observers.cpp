#include "DG/Observers.hpp"

#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "DG/Panel.hpp"

namespace DG {

namespace {

// Calls the handler for its kind with a view of every button and every list box of the panel.
template <typename OnButton, typename OnList>
void ForEachActiveItem(const Panel& panel, OnButton onButton, OnList onList) {
    for (short id = 1; id <= panel.GetItemCount(); ++id) {
        RS::ItemKind kind = RS::ItemKind::Button;
        panel.GetItemKind(id, &kind);
        if (kind == RS::ItemKind::Button) {
            ButtonItem view(panel, id);
            onButton(view);
        } else if (kind == RS::ItemKind::SingleSelList) {
            ListBox view(panel, id);
            onList(view);
        }
    }
}

} // namespace

void CompoundItemObserver::AttachToAllItems(const Panel& panel) {
    auto* buttonObserver = dynamic_cast<ButtonItemObserver*>(this);
    auto* listObserver = dynamic_cast<ListBoxObserver*>(this);
    ForEachActiveItem(
        panel,
        [&](ButtonItem& button) {
            if (buttonObserver != nullptr)
                button.Attach(*buttonObserver);
        },
        [&](ListBox& list) {
            if (listObserver != nullptr)
                list.Attach(*listObserver);
        });
}

void CompoundItemObserver::DetachFromAllItems(const Panel& panel) {
    auto* buttonObserver = dynamic_cast<ButtonItemObserver*>(this);
    auto* listObserver = dynamic_cast<ListBoxObserver*>(this);
    ForEachActiveItem(
        panel,
        [&](ButtonItem& button) {
            if (buttonObserver != nullptr)
                button.Detach(*buttonObserver);
        },
        [&](ListBox& list) {
            if (listObserver != nullptr)
                list.Detach(*listObserver);
        });
}

} // namespace DG
