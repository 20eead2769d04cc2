#ifndef DG_BUTTON_HPP
#define DG_BUTTON_HPP

#include "DG/Item.hpp"
#include "DG/Observers.hpp"

namespace DG {

class ButtonItem : public Item {
public:
    ButtonItem(const Panel& panel, short itemId);

    // Observers belong to the item, not to this view: every view of the item sees them.
    void Attach(ButtonItemObserver& observer);
    void Detach(ButtonItemObserver& observer);

    void SetText(const GS::UniString& text) { SetItemText(text); }
    GS::UniString GetText() const { return GetItemText(); }
};

class Button : public ButtonItem {
public:
    Button(const Panel& panel, short itemId) : ButtonItem(panel, itemId) {}
};

} // namespace DG

#endif
