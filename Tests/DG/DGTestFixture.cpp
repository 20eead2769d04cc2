#include "DGTestFixture.hpp"

namespace DGTests {

namespace {

RS::AlertResource MakeAlert(RS::AlertKind kind, const char* title, const char* large, const char* small,
                            const char* button1, const char* button2, const char* button3) {
    RS::AlertResource alert;
    alert.kind = kind;
    alert.title = title;
    alert.largeText = large;
    alert.smallText = small;
    alert.buttons[0] = button1;
    alert.buttons[1] = button2;
    alert.buttons[2] = button3;
    return alert;
}

RS::DialogResource FixedDialogResource() {
    RS::DialogResource dialog;
    dialog.width = 200;
    dialog.height = 100;
    dialog.title = "Fixed";
    dialog.items = {MakeItem(RS::ItemKind::Button, 10, 70, 60, 20, "OK"),
                    MakeItem(RS::ItemKind::SingleSelList, 10, 10, 180, 50)};
    return dialog;
}

} // namespace

void DGTest::SetUp() {
    resources.AddDialog(PaletteId, PaletteResource());
    resources.AddDialog(StampDialogId, StampDialogResource());
    resources.AddDialog(FixedDialogId, FixedDialogResource());
    resources.AddAlert(ErrorAlertId,
                       MakeAlert(RS::AlertKind::Error, "Zarimark Error",
                                 "Unexpected error while operating on Zarimarks.",
                                 "Error Code: %s\n\nPlease send it to <support@example.com>.", "OK", "", ""));
    resources.AddAlert(WarningAlertId, MakeAlert(RS::AlertKind::Warning, "Zarimark Warning", "Some rooms",
                                                 "Those rooms", "OK", "", "Don't Show This Again"));
    resources.AddAlert(FillAlertId, MakeAlert(RS::AlertKind::Information, "T %s", "L %s and %s",
                                              "S %s|%s|%s%", "A", "B", "C"));
    module = resources.Register();
    DG::ClearUILog();
    DG::SetUIDriver(nullptr);
}

void DGTest::TearDown() {
    DG::SetUIDriver(nullptr);
    DG::ClearUILog();
}

std::vector<DG::UILogEntry> DGTest::Entries(DG::UILogKind kind) const {
    std::vector<DG::UILogEntry> result;
    for (const DG::UILogEntry& entry : DG::GetUILog()) {
        if (entry.kind == kind)
            result.push_back(entry);
    }
    return result;
}

std::vector<std::string> DGTest::UsageErrors() const {
    std::vector<std::string> result;
    for (const DG::UILogEntry& entry : Entries(DG::UILogKind::UsageError))
        result.push_back(entry.message);
    return result;
}

} // namespace DGTests
