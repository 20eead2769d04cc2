#include "Run/PaletteAccess.hpp"

#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "DG/PanelRegistry.hpp"
#include "DG/StaticItems.hpp"

namespace Run {

DG::Palette* FindCheckPalette() {
    return DG::FindPalette(GS::Guid(CheckPaletteGuid));
}

namespace {

const char* KindName(RS::ItemKind kind) {
    switch (kind) {
    case RS::ItemKind::Button:
        return "button";
    case RS::ItemKind::LeftText:
        return "text";
    case RS::ItemKind::Separator:
        return "separator";
    case RS::ItemKind::SingleSelList:
        return "list";
    default:
        return "icon";
    }
}

} // namespace

std::vector<ItemGeometry> ReadItemGeometry(const DG::Panel& panel, short first, short last) {
    std::vector<ItemGeometry> items;
    for (short id = first; id <= last; ++id) {
        RS::ItemKind kind;
        if (!panel.GetItemKind(id, &kind))
            continue;
        const DG::Item item(panel, id);
        items.push_back({id, KindName(kind), item.GetPosition().GetX(), item.GetPosition().GetY(),
                         item.GetWidth(), item.GetHeight()});
    }
    return items;
}

std::string ReadStaticText(const DG::Panel& panel) {
    for (short id = 1; id <= panel.GetItemCount(); ++id) {
        RS::ItemKind kind;
        if (panel.GetItemKind(id, &kind) && kind == RS::ItemKind::LeftText) {
            const std::string text = DG::LeftText(panel, id).GetText().ToUtf8();
            if (!text.empty())
                return text;
        }
    }
    return {};
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
