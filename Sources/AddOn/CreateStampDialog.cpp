#include "AddOn/CreateStampDialog.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "DG/Alert.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {
constexpr short ApartmentColumn = 1;
}

CreateStampDialog::CreateStampDialog()
    : DG::ModalDialog(FrameState::GetOwnResourceModule(), ZM_DIALOG_CREATE_STAMP,
                      FrameState::GetOwnResourceModule()),
      okButton_(GetReference(), ZM_CREATE_STAMP_OK_BUTTON),
      cancelButton_(GetReference(), ZM_CREATE_STAMP_CANCEL_BUTTON),
      apartmentList_(GetReference(), ZM_CREATE_STAMP_APARTMENT_LIST) {
    Attach(*this);
    AttachToAllItems(*this);
    apartmentList_.SetTabFieldCount(1);
    FillApartmentList();
}

CreateStampDialog::~CreateStampDialog() {
    DetachFromAllItems(*this);
    Detach(*this);
}

// A story whose zones cannot be read offers nothing: the user can only cancel.
void CreateStampDialog::FillApartmentList() {
    apartmentList_.DeleteItem(DG::ListBox::AllItems);
    ApartmentIdSet apartmentIds;
    const GSErrCode err = CollectApartmentIds(apartmentIds);
    if (err != NoError && err != ErrRoomsWithoutApartmentId)
        return;
    for (const GS::UniString& apartmentId : apartmentIds) {
        apartmentList_.AppendItem();
        apartmentList_.SetTabItemText(apartmentList_.GetItemCount(), ApartmentColumn, apartmentId);
    }
}

void CreateStampDialog::SpanColumnOverList() {
    apartmentList_.SetTabFieldProperties(ApartmentColumn, 0, apartmentList_.GetItemWidth(),
                                         DG::ListBox::DefaultJust, DG::ListBox::NoTruncate, false, true);
}

void CreateStampDialog::PanelOpened(const DG::PanelOpenEvent& /*event*/) {
    SpanColumnOverList();
}

void CreateStampDialog::PanelCloseRequested(const DG::PanelCloseRequestEvent& event, bool* accepted) {
    if (!event.IsAccepted())
        return;
    const short row = apartmentList_.GetSelectedItem(1);
    if (row != 0) {
        selectedApartmentId_ = apartmentList_.GetTabItemText(row, ApartmentColumn);
        return;
    }
    DG::InformationAlert("Please choose a ZARI ID!", GS::UniString(), "OK");
    *accepted = false;
}

// The buttons keep their distance to the lower right corner; the list takes the new room.
void CreateStampDialog::PanelResized(const DG::PanelResizeEvent& event) {
    const short h = event.GetHorizontalChange();
    const short v = event.GetVerticalChange();
    if (h == 0 && v == 0)
        return;
    BeginMoveResizeItems();
    okButton_.Move(h, v);
    cancelButton_.Move(h, v);
    apartmentList_.Resize(h, v);
    EndMoveResizeItems();
    SpanColumnOverList();
}

void CreateStampDialog::ButtonClicked(const DG::ButtonClickEvent& event) {
    if (event.GetSource() == &okButton_)
        PostCloseRequest(DG::ModalDialog::Accept);
    else if (event.GetSource() == &cancelButton_)
        PostCloseRequest(DG::ModalDialog::Cancel);
}

} // namespace Zarimark
