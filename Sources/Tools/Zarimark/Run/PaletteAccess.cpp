#include "Run/PaletteAccess.hpp"

#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "DG/PanelRegistry.hpp"

namespace Run {

DG::Palette* FindCheckPalette() {
    return DG::FindPalette(GS::Guid(CheckPaletteGuid));
}

std::vector<std::vector<std::string>> ReadListRows(const DG::Panel& panel, short item) {
    std::vector<std::vector<std::string>> rows;
    RS::ItemKind kind;
    if (!panel.GetItemKind(item, &kind) || kind != RS::ItemKind::SingleSelList)
        return rows;
    const DG::ListBox list(panel, item);
    for (short row = 1; row <= list.GetItemCount(); ++row) {
        std::vector<std::string> texts;
        for (short field = 1; field <= list.GetTabFieldCount(); ++field)
            texts.push_back(list.GetTabItemText(row, field).ToUtf8());
        rows.push_back(texts);
    }
    return rows;
}

short FindButtonItem(const DG::Panel& panel, const std::string& text) {
    for (short item = 1; item <= panel.GetItemCount(); ++item) {
        RS::ItemKind kind;
        if (panel.GetItemKind(item, &kind) && kind == RS::ItemKind::Button &&
            DG::ButtonItem(panel, item).GetText().ToUtf8() == text)
            return item;
    }
    return 0;
}

} // namespace Run
