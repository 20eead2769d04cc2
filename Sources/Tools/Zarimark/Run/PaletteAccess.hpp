#ifndef ZARIMARK_RUN_PALETTEACCESS_HPP
#define ZARIMARK_RUN_PALETTEACCESS_HPP

#include <string>
#include <vector>

#include "DG/ModelessBase.hpp"

namespace Run {

// The add-on's check palette as the user sees it, found by its GUID among the live panels.
constexpr const char* CheckPaletteGuid = "45D7CAFB-970B-4D95-BF7A-697E894006AF";
constexpr short PaletteRoomList = 4;
constexpr short PaletteStampList = 8;

DG::Palette* FindCheckPalette();

// Where an item of a panel is and how big, as the user sees it.
struct ItemGeometry {
    short item = 0;
    std::string kind; // "button", "text", "separator", "list", "icon"
    short x = 0, y = 0, width = 0, height = 0;
};
std::vector<ItemGeometry> ReadItemGeometry(const DG::Panel& panel, short first, short last);
// The text of the first static text item that has one; empty when none.
std::string ReadStaticText(const DG::Panel& panel);

// Rows of a list item, each row its column texts.
std::vector<std::vector<std::string>> ReadListRows(const DG::Panel& panel, short item);
// The button item with that text; 0 when none.
short FindButtonItem(const DG::Panel& panel, const std::string& text);

} // namespace Run

#endif
