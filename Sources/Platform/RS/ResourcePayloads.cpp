#include "RS/ResourcePayloads.hpp"

#include "Formats/Bytes.hpp"
#include "Formats/ResourceModule.hpp"

namespace RS::Payloads {

namespace MF = Formats::ResourceModule;
using Formats::ByteReader;

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

bool Finish(const ByteReader& in, std::string* error) {
    return in.AtEnd() || Fail(error, std::to_string(in.Remaining()) + " stray bytes after the data");
}

bool ReadUniString(ByteReader* in, GS::UniString* text) {
    std::u16string units;
    if (!in->CountedUtf16(&units))
        return false;
    *text = GS::UniString(std::move(units));
    return true;
}

bool ReadItem(ByteReader* in, DialogItemResource* item, std::string* error) {
    std::uint16_t kind = 0;
    std::uint16_t font = 0;
    std::uint16_t flags = 0;
    std::uint16_t reserved = 0;
    if (!in->U16(&kind) || !in->U16(&font) || !in->I16(&item->x) || !in->I16(&item->y) ||
        !in->I16(&item->width) || !in->I16(&item->height) || !in->U16(&flags) || !in->I16(&item->rowHeight) ||
        !in->I16(&item->headerHeight) || !in->U16(&reserved) || !in->I32(&item->iconId) ||
        !ReadUniString(in, &item->text))
        return Fail(error, "dialog item runs past the end");
    if (kind >= MF::ItemKindCount)
        return Fail(error, "unknown dialog item kind " + std::to_string(kind));
    if (font >= MF::FontCount)
        return Fail(error, "unknown font " + std::to_string(font));
    item->kind = static_cast<ItemKind>(kind);
    item->font = static_cast<ItemFont>(font);
    item->hasHeader = (flags & MF::ItemFlagHeader) != 0;
    return true;
}

bool ValidateDialogHelp(const std::vector<unsigned char>& data, std::string* error) {
    ByteReader in(data);
    std::uint32_t count = 0;
    if (!in.U32(&count))
        return Fail(error, "help list too short");
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint16_t item = 0;
        std::u16string tooltip;
        std::u16string anchor;
        if (!in.U16(&item) || !in.CountedUtf16(&tooltip) || !in.CountedUtf16(&anchor))
            return Fail(error, "help entry " + std::to_string(i + 1) + " runs past the end");
    }
    return Finish(in, error);
}

bool ValidateIdentifier(const std::vector<unsigned char>& data, std::string* error) {
    ByteReader in(data);
    std::uint32_t length = 0;
    if (!in.U32(&length) || length != 8 || in.Remaining() != 8)
        return Fail(error, "identifier is not a length of 8 and two 32-bit numbers");
    return true;
}

bool ValidateIcon(const std::vector<unsigned char>& data, std::string* error) {
    ByteReader in(data);
    std::uint16_t count = 0;
    if (!in.U16(&count))
        return Fail(error, "icon too short");
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint16_t dpi = 0;
        std::u16string group;
        std::uint32_t length = 0;
        std::vector<unsigned char> image;
        if (!in.U16(&dpi) || !in.CountedUtf16(&group) || !in.U32(&length) || !in.Bytes(length, &image))
            return Fail(error, "icon image " + std::to_string(i + 1) + " runs past the end");
    }
    return Finish(in, error);
}

} // namespace

bool DecodeStringList(const std::vector<unsigned char>& data, std::vector<GS::UniString>* items,
                      std::string* error) {
    ByteReader in(data);
    std::uint32_t count = 0;
    if (!in.U32(&count))
        return Fail(error, "string list too short");
    std::vector<GS::UniString> result;
    for (std::uint32_t i = 0; i < count; ++i) {
        GS::UniString text;
        if (!ReadUniString(&in, &text))
            return Fail(error, "string " + std::to_string(i + 1) + " runs past the end");
        result.push_back(std::move(text));
    }
    if (!Finish(in, error))
        return false;
    *items = std::move(result);
    return true;
}

bool DecodeAlert(const std::vector<unsigned char>& data, AlertResource* alert, std::string* error) {
    ByteReader in(data);
    std::uint16_t kind = 0;
    std::uint16_t defaultButton = 0;
    AlertResource result;
    if (!in.U16(&kind) || !in.U16(&defaultButton) || !ReadUniString(&in, &result.title) ||
        !ReadUniString(&in, &result.largeText) || !ReadUniString(&in, &result.smallText) ||
        !ReadUniString(&in, &result.buttons[0]) || !ReadUniString(&in, &result.buttons[1]) ||
        !ReadUniString(&in, &result.buttons[2]))
        return Fail(error, "alert runs past the end");
    if (kind > MF::AlertError)
        return Fail(error, "unknown alert kind " + std::to_string(kind));
    if (defaultButton < 1 || defaultButton > 3)
        return Fail(error, "default button " + std::to_string(defaultButton) + " is not 1, 2 or 3");
    if (!Finish(in, error))
        return false;
    result.kind = static_cast<AlertKind>(kind);
    result.defaultButton = static_cast<Int16>(defaultButton);
    *alert = std::move(result);
    return true;
}

bool DecodeDialog(const std::vector<unsigned char>& data, DialogResource* dialog, std::string* error) {
    ByteReader in(data);
    std::uint16_t kind = 0;
    std::uint16_t flags = 0;
    std::uint32_t count = 0;
    DialogResource result;
    if (!in.U16(&kind) || !in.U16(&flags) || !in.I16(&result.x) || !in.I16(&result.y) ||
        !in.I16(&result.width) || !in.I16(&result.height) || !ReadUniString(&in, &result.title) ||
        !in.U32(&count))
        return Fail(error, "dialog header runs past the end");
    if (kind > MF::DialogModeless)
        return Fail(error, "unknown dialog kind " + std::to_string(kind));
    for (std::uint32_t i = 0; i < count; ++i) {
        DialogItemResource item;
        std::string itemError;
        if (!ReadItem(&in, &item, &itemError))
            return Fail(error, "item " + std::to_string(i + 1) + ": " + itemError);
        result.items.push_back(std::move(item));
    }
    if (!Finish(in, error))
        return false;
    result.kind = static_cast<DialogKind>(kind);
    result.resizable = (flags & MF::DialogFlagGrow) != 0;
    *dialog = std::move(result);
    return true;
}

bool DecodeFolder(const std::vector<unsigned char>& data, std::vector<FolderEntry>* entries,
                  std::string* error) {
    std::vector<MF::FolderEntry> decoded;
    if (!MF::DecodeFolder(data.data(), data.size(), &decoded, error))
        return false;
    std::vector<FolderEntry> result;
    for (MF::FolderEntry& entry : decoded)
        result.push_back(FolderEntry{GS::UniString(std::move(entry.name)), entry.fileId});
    *entries = std::move(result);
    return true;
}

bool DecodeFile(const std::vector<unsigned char>& data, std::vector<unsigned char>* bytes,
                std::string* error) {
    return MF::DecodeFile(data.data(), data.size(), bytes, error);
}

bool Validate(ResType type, const std::vector<unsigned char>& data, std::string* error) {
    if (type == StringListType) {
        std::vector<GS::UniString> items;
        return DecodeStringList(data, &items, error);
    }
    if (type == AlertType) {
        AlertResource alert;
        return DecodeAlert(data, &alert, error);
    }
    if (type == DialogType) {
        DialogResource dialog;
        return DecodeDialog(data, &dialog, error);
    }
    if (type == FolderType) {
        std::vector<FolderEntry> entries;
        return DecodeFolder(data, &entries, error);
    }
    if (type == FileType) {
        std::vector<unsigned char> bytes;
        return DecodeFile(data, &bytes, error);
    }
    if (type == DialogHelpType)
        return ValidateDialogHelp(data, error);
    if (type == IdentifierType)
        return ValidateIdentifier(data, error);
    if (type == IconType)
        return ValidateIcon(data, error);
    return true;
}

} // namespace RS::Payloads
