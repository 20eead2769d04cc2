#ifndef DG_STATICITEMS_HPP
#define DG_STATICITEMS_HPP

#include "DG/Item.hpp"

// Items the user cannot act on.
namespace DG {

class StaticText : public Item {
public:
    void SetText(const GS::UniString& text) { SetItemText(text); }
    GS::UniString GetText() const { return GetItemText(); }

protected:
    StaticText(const Panel& panel, short itemId, RS::ItemKind kind, const char* className)
        : Item(panel, itemId, kind, className) {}
};

class LeftText : public StaticText {
public:
    LeftText(const Panel& panel, short itemId)
        : StaticText(panel, itemId, RS::ItemKind::LeftText, "left-aligned text") {}
};

class Separator : public Item {
public:
    Separator(const Panel& panel, short itemId) : Item(panel, itemId, RS::ItemKind::Separator, "separator") {}
};

class IconItem : public Item {
public:
    IconItem(const Panel& panel, short itemId) : Item(panel, itemId, RS::ItemKind::Icon, "icon") {}
};

} // namespace DG

#endif
