#include <limits>
#include <set>

#include "Formats/Bytes.hpp"
#include "Formats/ResourceModule.hpp"
#include "ResourceSyntax.hpp"

namespace ResourceCompiler {

namespace MF = Formats::ResourceModule;
using Formats::ByteWriter;

namespace {

constexpr std::int64_t Int16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t Int16Max = std::numeric_limits<std::int16_t>::max();

struct Rect {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
};

Rect ReadRect(TokenCursor& tokens, const std::string& of) {
    Rect rect;
    rect.x = static_cast<std::int16_t>(tokens.ExpectNumber(of + " x", Int16Min, Int16Max));
    rect.y = static_cast<std::int16_t>(tokens.ExpectNumber(of + " y", Int16Min, Int16Max));
    rect.width = static_cast<std::int16_t>(tokens.ExpectNumber(of + " width", 0, Int16Max));
    rect.height = static_cast<std::int16_t>(tokens.ExpectNumber(of + " height", 0, Int16Max));
    return rect;
}

std::uint16_t ReadDialogKind(TokenCursor& tokens) {
    const Token kind = tokens.Expect(TokenKind::Identifier, "dialog kind (Modal, Palette or Modeless)");
    if (kind.text == "Modal")
        return MF::DialogModal;
    if (kind.text == "Palette")
        return MF::DialogPalette;
    if (kind.text == "Modeless")
        return MF::DialogModeless;
    tokens.Fail(kind, "unknown dialog kind '" + kind.text + "' (Modal, Palette or Modeless)");
}

std::uint16_t ReadDialogFlags(TokenCursor& tokens) {
    std::uint16_t flags = 0;
    while (tokens.At(TokenKind::Bar)) {
        tokens.Next();
        const Token flag = tokens.Expect(TokenKind::Identifier, "dialog flag (grow or noGrow)");
        if (flag.text == "grow")
            flags |= MF::DialogFlagGrow;
        else if (flag.text == "noGrow")
            flags &= static_cast<std::uint16_t>(~MF::DialogFlagGrow);
        else
            tokens.Fail(flag, "unknown dialog flag '" + flag.text + "' (grow or noGrow)");
    }
    return flags;
}

std::uint16_t ReadFont(TokenCursor& tokens) {
    static const char* const fonts[MF::FontCount] = {"LargePlain", "SmallPlain", "LargeBold", "SmallBold",
                                                     "ExtraSmall"};
    const Token font = tokens.Expect(TokenKind::Identifier, "font (LargePlain, SmallPlain, ...)");
    for (std::uint16_t i = 0; i < MF::FontCount; ++i) {
        if (font.text == fonts[i])
            return i;
    }
    tokens.Fail(font, "unknown font '" + font.text + "'");
}

struct Item {
    std::uint16_t kind = 0;
    std::uint16_t font = MF::FontLargePlain;
    Rect rect;
    std::uint16_t flags = 0;
    std::int16_t rowHeight = 0;
    std::int16_t headerHeight = 0;
    std::int32_t iconId = 0;
    std::u16string text;
};

void ReadListTail(TokenCursor& tokens, Item* item) {
    item->font = ReadFont(tokens);
    item->rowHeight = static_cast<std::int16_t>(tokens.ExpectNumber("row height", 0, Int16Max));
    const Token header = tokens.Expect(TokenKind::Identifier, "HasHeader or NoHeader");
    if (header.text == "HasHeader") {
        item->flags |= MF::ItemFlagHeader;
        item->headerHeight = static_cast<std::int16_t>(tokens.ExpectNumber("header height", 0, Int16Max));
    } else if (header.text != "NoHeader") {
        tokens.Fail(header, "expected HasHeader or NoHeader, found '" + header.text + "'");
    }
}

Item ReadItem(TokenCursor& tokens, std::size_t number) {
    static const char* const kinds[MF::ItemKindCount] = {"Button", "LeftText", "Separator", "SingleSelList",
                                                         "Icon"};
    const Token kind = tokens.Expect(TokenKind::Identifier, "dialog item kind or '}'");
    Item item;
    item.kind = MF::ItemKindCount;
    for (std::uint16_t i = 0; i < MF::ItemKindCount; ++i) {
        if (kind.text == kinds[i])
            item.kind = i;
    }
    if (item.kind == MF::ItemKindCount)
        tokens.Fail(kind, "unknown dialog item kind '" + kind.text + "'");
    item.rect = ReadRect(tokens, "item " + std::to_string(number));
    switch (item.kind) {
    case MF::ItemButton:
    case MF::ItemLeftText:
        item.font = ReadFont(tokens);
        item.text = tokens.ExpectString("item text");
        break;
    case MF::ItemSingleSelList:
        ReadListTail(tokens, &item);
        break;
    case MF::ItemIcon:
        item.iconId = static_cast<std::int32_t>(
            tokens.ExpectNumber("icon resource ID", 0, std::numeric_limits<std::int32_t>::max()));
        break;
    default:
        break;
    }
    return item;
}

void CheckItemFits(const TokenCursor& tokens, const Token& at, const Item& item, const Rect& dialog,
                   std::size_t number) {
    const Rect& r = item.rect;
    if (r.x < 0 || r.y < 0 || r.x + r.width > dialog.width || r.y + r.height > dialog.height)
        tokens.Fail(at, "item " + std::to_string(number) + " (" + std::to_string(r.x) + ", " +
                            std::to_string(r.y) + ", " + std::to_string(r.width) + " x " +
                            std::to_string(r.height) + ") does not fit the " + std::to_string(dialog.width) +
                            " x " + std::to_string(dialog.height) + " dialog");
}

void WriteItem(ByteWriter* out, const Item& item) {
    out->U16(item.kind);
    out->U16(item.font);
    out->I16(item.rect.x);
    out->I16(item.rect.y);
    out->I16(item.rect.width);
    out->I16(item.rect.height);
    out->U16(item.flags);
    out->I16(item.rowHeight);
    out->I16(item.headerHeight);
    out->U16(0);
    out->I32(item.iconId);
    out->CountedUtf16(item.text);
}

} // namespace

// 'GDLG' id Modal|Palette|Modeless [| grow] x y width height "title" { items }
// Items are numbered from 1 in the order written.
void ReadDialog(TokenCursor& tokens, const CompileOptions&, Resource* resource) {
    const std::uint16_t kind = ReadDialogKind(tokens);
    const std::uint16_t flags = ReadDialogFlags(tokens);
    const Rect rect = ReadRect(tokens, "dialog");
    const std::u16string title = tokens.ExpectString("dialog title");
    tokens.ExpectOpeningBrace(resource->where);
    std::vector<Item> items;
    while (!tokens.AtClosingBrace()) {
        const Token start = tokens.Peek();
        items.push_back(ReadItem(tokens, items.size() + 1));
        CheckItemFits(tokens, start, items.back(), rect, items.size());
    }
    ByteWriter out;
    out.U16(kind);
    out.U16(flags);
    out.I16(rect.x);
    out.I16(rect.y);
    out.I16(rect.width);
    out.I16(rect.height);
    out.CountedUtf16(title);
    out.U32(static_cast<std::uint32_t>(items.size()));
    for (const Item& item : items)
        WriteItem(&out, item);
    resource->name = title;
    resource->data = out.Take();
    resource->itemCount = static_cast<std::int64_t>(items.size());
}

// 'DLGH' id name { item "tooltip" anchor ... }: help for the items of dialog `id`.
void ReadDialogHelp(TokenCursor& tokens, const CompileOptions&, Resource* resource) {
    const Token name = tokens.Next();
    if (name.kind == TokenKind::Identifier)
        resource->name.assign(name.text.begin(), name.text.end());
    else if (name.kind == TokenKind::String)
        resource->name = name.text16;
    else
        tokens.Fail(name, "expected resource name, found " + DescribeToken(name));
    const std::uint32_t dialogType = TypeFromCode("GDLG");
    resource->references.push_back(ResourceReference{dialogType, resource->id, 0, resource->where});
    tokens.ExpectOpeningBrace(resource->where);
    ByteWriter out;
    out.U32(0);
    std::uint32_t count = 0;
    std::set<std::int64_t> seen;
    while (!tokens.AtClosingBrace()) {
        const Token itemToken = tokens.Peek();
        const std::int64_t item = tokens.ExpectNumber("dialog item number or '}'", 1, Int16Max);
        if (!seen.insert(item).second)
            tokens.Fail(itemToken, "dialog item " + itemToken.text + " has help twice");
        const std::u16string tooltip = tokens.ExpectString("tooltip text");
        const std::string anchor = tokens.ExpectIdentifier("help anchor");
        out.U16(static_cast<std::uint16_t>(item));
        out.CountedUtf16(tooltip);
        out.CountedUtf16(std::u16string(anchor.begin(), anchor.end()));
        resource->references.push_back(ResourceReference{dialogType, resource->id, item, itemToken.where});
        ++count;
    }
    out.PatchU32(0, count);
    resource->data = out.Take();
}

} // namespace ResourceCompiler
