#include "TestPanels.hpp"

namespace DGTests {

const GS::Guid PaletteGuid("45D7CAFB-970B-4D95-BF7A-697E894006AF");

TestPalette::TestPalette(GSResModule module)
    : DG::Palette(module, PaletteId, module, PaletteGuid), upperSeparator(GetReference(), 2),
      roomsCaption(GetReference(), 3), roomList(GetReference(), 4), checkRoomsButton(GetReference(), 5),
      lowerSeparator(GetReference(), 6), stampsCaption(GetReference(), 7), stampList(GetReference(), 8),
      updateWrongButton(GetReference(), 9), updateAllButton(GetReference(), 10) {
    Attach(*this);
    AttachToAllItems(*this);
    BeginEventProcessing();
    roomList.SetTabFieldCount(4);
    stampList.SetTabFieldCount(2);
    const char* titles[] = {"No.", "Name", "Story", "Apartment ID"};
    for (short field = 1; field <= 4; ++field)
        roomList.SetHeaderItemText(field, titles[field - 1]);
    stampList.SetHeaderItemText(1, titles[2]);
    stampList.SetHeaderItemText(2, titles[3]);
    LayoutColumns();
}

TestPalette::~TestPalette() {
    DetachFromAllItems(*this);
    Detach(*this);
    EndEventProcessing();
}

void TestPalette::LayoutColumns() {
    const short u = static_cast<short>(roomList.GetItemWidth() / 5);
    const short roomSizes[] = {u, u, u, static_cast<short>(2 * u)};
    const short roomBounds[] = {0, u, static_cast<short>(2 * u), static_cast<short>(3 * u),
                                static_cast<short>(5 * u)};
    for (short field = 1; field <= 4; ++field) {
        roomList.SetHeaderItemSize(field, roomSizes[field - 1]);
        roomList.SetTabFieldProperties(field, roomBounds[field - 1], roomBounds[field],
                                       DG::ListBox::DefaultJust, DG::ListBox::NoTruncate, false, true);
    }
    const short s = static_cast<short>(stampList.GetItemWidth() / 3);
    stampList.SetHeaderItemSize(1, s);
    stampList.SetHeaderItemSize(2, static_cast<short>(2 * s));
    stampList.SetTabFieldProperties(1, 0, s, 0, 0, false, true);
    stampList.SetTabFieldProperties(2, s, static_cast<short>(3 * s), 0, 0, false, true);
}

void TestPalette::PanelOpened(const DG::PanelOpenEvent&) {
    ++openedCount;
    LayoutColumns();
}

void TestPalette::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted) {
    reopen = IsVisible();
    if (reopen && !keepOpen)
        Hide();
    *accepted = !keepOpen;
}

void TestPalette::PanelResized(const DG::PanelResizeEvent& ev) {
    const short h = ev.GetHorizontalChange();
    const short v = ev.GetVerticalChange();
    if (h == 0 && v == 0)
        return;
    const short half = static_cast<short>(GetWidth() / 2);
    updateWrongButton.SetWidth(static_cast<short>(half - 20));
    updateAllButton.SetWidth(static_cast<short>(half - 20));
    updateAllButton.SetPosition(static_cast<short>(half + 5), updateAllButton.GetPosition().GetY());
    BeginMoveResizeItems();
    upperSeparator.Resize(h, 0);
    roomsCaption.Resize(h, 0);
    roomList.Resize(h, v);
    for (DG::Item* item :
         std::initializer_list<DG::Item*>{&checkRoomsButton, &lowerSeparator, &stampsCaption, &stampList})
        item->MoveAndResize(0, v, h, 0);
    updateWrongButton.Move(0, v);
    updateAllButton.Move(0, v);
    EndMoveResizeItems();
    LayoutColumns();
}

void TestPalette::PanelClosed(const DG::PanelCloseEvent&) {
    ++closedCount;
}

void TestPalette::ButtonClicked(const DG::ButtonClickEvent& ev) {
    clickedItems.push_back(ev.GetSource()->GetId());
    clickSourceWasMember.push_back(ev.GetSource() == &checkRoomsButton ||
                                   ev.GetSource() == &updateWrongButton ||
                                   ev.GetSource() == &updateAllButton);
}

void TestPalette::ListBoxSelectionChanged(const DG::ListBoxSelectionEvent& ev) {
    selectionChangedLists.push_back(ev.GetSource()->GetId());
}

TestStampDialog::TestStampDialog(GSResModule module, const std::vector<GS::UniString>& apartmentIds,
                                 short resId)
    : DG::ModalDialog(module, resId, module), okButton(GetReference(), 1), cancelButton(GetReference(), 2),
      apartmentList(GetReference(), 4) {
    Attach(*this);
    AttachToAllItems(*this);
    apartmentList.SetTabFieldCount(1);
    apartmentList.DeleteItem(DG::ListBox::AllItems);
    for (const GS::UniString& id : apartmentIds) {
        apartmentList.AppendItem();
        apartmentList.SetTabItemText(apartmentList.GetItemCount(), 1, id);
    }
}

TestStampDialog::~TestStampDialog() {
    DetachFromAllItems(*this);
    Detach(*this);
}

void TestStampDialog::PanelOpened(const DG::PanelOpenEvent&) {
    ++openedCount;
    apartmentList.SetTabFieldProperties(1, 0, apartmentList.GetItemWidth(), DG::ListBox::DefaultJust,
                                        DG::ListBox::NoTruncate, false, true);
}

void TestStampDialog::PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) {
    closeRequests.push_back(ev.IsAccepted());
    if (!ev.IsAccepted()) {
        *accepted = !refuseCloseBox;
        return;
    }
    const short row = apartmentList.GetSelectedItem(1);
    if (row != 0) {
        selectedApartmentId = apartmentList.GetTabItemText(row, 1);
        return;
    }
    DG::InformationAlert("Please choose a ZARI ID!", "", "OK");
    *accepted = false;
}

void TestStampDialog::PanelResized(const DG::PanelResizeEvent& ev) {
    const short h = ev.GetHorizontalChange();
    const short v = ev.GetVerticalChange();
    if (h == 0 && v == 0)
        return;
    BeginMoveResizeItems();
    okButton.Move(h, v);
    cancelButton.Move(h, v);
    apartmentList.Resize(h, v);
    EndMoveResizeItems();
    apartmentList.SetTabFieldProperties(1, 0, apartmentList.GetItemWidth(), DG::ListBox::DefaultJust,
                                        DG::ListBox::NoTruncate, false, true);
}

void TestStampDialog::PanelClosed(const DG::PanelCloseEvent& ev) {
    closedAccepted.push_back(ev.IsAccepted());
}

void TestStampDialog::ButtonClicked(const DG::ButtonClickEvent& ev) {
    if (ev.GetSource() == &okButton)
        PostCloseRequest(DG::ModalDialog::Accept);
    else if (ev.GetSource()->GetId() == 2)
        PostCloseRequest(DG::ModalDialog::Cancel);
}

short ScriptedDriver::AnswerAlert(const DG::AlertRecord& alert) {
    alertsSeen.push_back(alert);
    if (alertAnswers.empty())
        return 0;
    const short answer = alertAnswers.front();
    alertAnswers.pop_front();
    return answer;
}

void ScriptedDriver::RunModalDialog(DG::ModalDialog& dialog) {
    ++dialogsRun;
    if (dialogScript)
        dialogScript(dialog);
}

} // namespace DGTests
