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

// Links or unlinks `self` with every item whose observer kind it implements.
template <typename Link>
void LinkWithAllItems(const Panel& panel, CompoundItemObserver* self, Link link) {
    auto* buttonObserver = dynamic_cast<ButtonItemObserver*>(self);
    auto* listObserver = dynamic_cast<ListBoxObserver*>(self);
    ForEachActiveItem(
        panel,
        [&](ButtonItem& button) {
            if (buttonObserver != nullptr)
                link(button, *buttonObserver);
        },
        [&](ListBox& list) {
            if (listObserver != nullptr)
                link(list, *listObserver);
        });
}

} // namespace

void CompoundItemObserver::AttachToAllItems(const Panel& panel) {
    LinkWithAllItems(panel, this, [](auto& item, auto& observer) { item.Attach(observer); });
}

void CompoundItemObserver::DetachFromAllItems(const Panel& panel) {
    LinkWithAllItems(panel, this, [](auto& item, auto& observer) { item.Detach(observer); });
}

} // namespace DG
