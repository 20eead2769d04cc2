#ifndef DG_ITEMSTATE_HPP
#define DG_ITEMSTATE_HPP

#include <vector>

#include "DG/TabField.hpp"
#include "GSRoot/UniString.hpp"
#include "RS/RS.hpp"

// The state of one dialog item, owned by its panel. Item objects are views onto it, so the
// add-on's members and a driver's views of the same item see and change the same state.
namespace DG {

class Item;
class ButtonItemObserver;
class ListBoxObserver;

namespace Detail {

struct TabFieldState {
    TabField layout;
    GS::UniString headerText;
    short headerSize = 0;
};

struct ListRow {
    std::vector<GS::UniString> tabTexts; // one per tab field
    bool selected = false;
};

struct ItemState {
    short id = 0;
    RS::ItemKind kind = RS::ItemKind::Button;
    short x = 0;
    short y = 0;
    short width = 0;
    short height = 0;
    GS::UniString text;
    RS::ItemFont font = RS::ItemFont::LargePlain;
    bool enabled = true;
    bool visible = true;

    bool hasHeader = false;
    short rowHeight = 0;
    short headerHeight = 0;
    std::vector<TabFieldState> tabFields;
    std::vector<ListRow> rows;

    std::vector<Item*> views; // in construction order; the first is the event source
    std::vector<ButtonItemObserver*> buttonObservers;
    std::vector<ListBoxObserver*> listBoxObservers;
};

} // namespace Detail
} // namespace DG

#endif
