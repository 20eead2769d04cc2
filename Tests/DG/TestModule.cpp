#include "TestModule.hpp"

#include <gtest/gtest.h>

#include "Formats/ResourceModule.hpp"

namespace DGTests {

namespace {

namespace MF = Formats::ResourceModule;

void PutU16(std::vector<unsigned char>* out, std::uint16_t value) {
    out->push_back(static_cast<unsigned char>(value & 0xFF));
    out->push_back(static_cast<unsigned char>(value >> 8));
}

void PutU32(std::vector<unsigned char>* out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

void PutText(std::vector<unsigned char>* out, const GS::UniString& text) {
    PutU32(out, text.GetLength());
    for (char16_t unit : text.GetUnits())
        PutU16(out, unit);
}

void PutItem(std::vector<unsigned char>* out, const RS::DialogItemResource& item) {
    PutU16(out, static_cast<std::uint16_t>(item.kind));
    PutU16(out, static_cast<std::uint16_t>(item.font));
    for (short value : {item.x, item.y, item.width, item.height})
        PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, item.hasHeader ? MF::ItemFlagHeader : 0);
    PutU16(out, static_cast<std::uint16_t>(item.rowHeight));
    PutU16(out, static_cast<std::uint16_t>(item.headerHeight));
    PutU16(out, 0);
    PutU32(out, static_cast<std::uint32_t>(item.iconId));
    PutText(out, item.text);
}

} // namespace

TestModule::~TestModule() {
    if (module_ != InvalidResModule)
        RS::UnregisterModule(module_);
}

void TestModule::AddDialog(GSResID id, const RS::DialogResource& dialog) {
    std::vector<unsigned char> data;
    PutU16(&data, static_cast<std::uint16_t>(dialog.kind));
    PutU16(&data, dialog.resizable ? MF::DialogFlagGrow : 0);
    for (short value : {dialog.x, dialog.y, dialog.width, dialog.height})
        PutU16(&data, static_cast<std::uint16_t>(value));
    PutText(&data, dialog.title);
    PutU32(&data, static_cast<std::uint32_t>(dialog.items.size()));
    for (const RS::DialogItemResource& item : dialog.items)
        PutItem(&data, item);
    entries_.push_back({RS::DialogType, id, std::move(data)});
}

void TestModule::AddAlert(GSResID id, const RS::AlertResource& alert) {
    std::vector<unsigned char> data;
    PutU16(&data, static_cast<std::uint16_t>(alert.kind));
    PutU16(&data, static_cast<std::uint16_t>(alert.defaultButton));
    for (const GS::UniString* text : {&alert.title, &alert.largeText, &alert.smallText, &alert.buttons[0],
                                      &alert.buttons[1], &alert.buttons[2]})
        PutText(&data, *text);
    entries_.push_back({RS::AlertType, id, std::move(data)});
}

GSResModule TestModule::Register() {
    const std::uint32_t dataStart =
        MF::HeaderSize + static_cast<std::uint32_t>(entries_.size()) * MF::EntrySize;
    std::vector<unsigned char> directory;
    std::vector<unsigned char> payloads;
    for (const Entry& entry : entries_) {
        PutU32(&directory, entry.type);
        PutU32(&directory, static_cast<std::uint32_t>(entry.id));
        PutU32(&directory, dataStart); // no name
        PutU32(&directory, 0);
        PutU32(&directory, dataStart + static_cast<std::uint32_t>(payloads.size()));
        PutU32(&directory, static_cast<std::uint32_t>(entry.data.size()));
        payloads.insert(payloads.end(), entry.data.begin(), entry.data.end());
    }
    std::vector<unsigned char> image(MF::Magic, MF::Magic + 4);
    PutU16(&image, MF::Version);
    PutU16(&image, 0);
    PutU32(&image, static_cast<std::uint32_t>(entries_.size()));
    PutU32(&image, dataStart + static_cast<std::uint32_t>(payloads.size()));
    image.insert(image.end(), directory.begin(), directory.end());
    image.insert(image.end(), payloads.begin(), payloads.end());
    std::string error;
    module_ = RS::RegisterModule(image.data(), image.size(), "dg-test", &error);
    EXPECT_NE(module_, InvalidResModule) << error;
    return module_;
}

RS::DialogItemResource MakeItem(RS::ItemKind kind, short x, short y, short width, short height,
                                const char* text, bool hasHeader) {
    RS::DialogItemResource item;
    item.kind = kind;
    item.x = x;
    item.y = y;
    item.width = width;
    item.height = height;
    item.text = text;
    item.hasHeader = hasHeader;
    item.rowHeight = kind == RS::ItemKind::SingleSelList ? 20 : 0;
    item.headerHeight = hasHeader ? 20 : 0;
    return item;
}

RS::DialogResource PaletteResource() {
    using K = RS::ItemKind;
    RS::DialogResource dialog;
    dialog.kind = RS::DialogKind::Palette;
    dialog.resizable = true;
    dialog.x = 100;
    dialog.y = 100;
    dialog.width = 290;
    dialog.height = 440;
    dialog.title = "Zarimark";
    dialog.items = {MakeItem(K::LeftText, 0, 0, 0, 0),
                    MakeItem(K::Separator, 10, 40, 270, 2),
                    MakeItem(K::LeftText, 10, 50, 270, 30, "These rooms"),
                    MakeItem(K::SingleSelList, 10, 90, 270, 110, "", true),
                    MakeItem(K::Button, 10, 210, 270, 20, "Check Rooms"),
                    MakeItem(K::Separator, 10, 240, 270, 2),
                    MakeItem(K::LeftText, 10, 250, 270, 30, "These Zarimarks"),
                    MakeItem(K::SingleSelList, 10, 290, 270, 110, "", true),
                    MakeItem(K::Button, 10, 410, 130, 20, "Update Wrong Stamps"),
                    MakeItem(K::Button, 150, 410, 130, 20, "Update All Stamps")};
    return dialog;
}

RS::DialogResource StampDialogResource() {
    using K = RS::ItemKind;
    RS::DialogResource dialog;
    dialog.kind = RS::DialogKind::Modal;
    dialog.resizable = true;
    dialog.width = 270;
    dialog.height = 150;
    dialog.title = "Create Zarimark";
    dialog.items = {MakeItem(K::Button, 155, 120, 65, 20, "OK"),
                    MakeItem(K::Button, 80, 120, 65, 20, "Cancel"),
                    MakeItem(K::LeftText, 10, 10, 250, 20, "Select one Apartment ID from this floor:"),
                    MakeItem(K::SingleSelList, 10, 30, 250, 80)};
    return dialog;
}

} // namespace DGTests
