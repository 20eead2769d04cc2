#include "AddOn/CheckPalette.hpp"

#include <memory>
#include <mutex>

#include "AddOn/EntryGuard.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/PaletteIdentity.hpp"
#include "AddOn/ZoneObservation.hpp"
#include "DG/Alert.hpp"
#include "RS/RS.hpp"
#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

std::unique_ptr<CheckPalette>& Instance() {
    static std::unique_ptr<CheckPalette> instance;
    return instance;
}

std::mutex& ConstructionMutex() {
    static std::mutex mutex;
    return mutex;
}

GS::UniString ColumnTitle(Int32 item) {
    GS::UniString title;
    RSGetIndString_ParamAdapter(&title, ZM_STRS_PALETTE_COLUMNS, item, FrameState::GetOwnResourceModule());
    return title;
}

void SetColumn(DG::ListBox& list, short field, short begin, short end) {
    list.SetTabFieldProperties(field, begin, end, DG::ListBox::DefaultJust, DG::ListBox::NoTruncate, false,
                               true);
}

} // namespace

CheckPalette& CheckPalette::GetInstance() {
    const std::lock_guard<std::mutex> lock(ConstructionMutex());
    std::unique_ptr<CheckPalette>& instance = Instance();
    if (!instance)
        instance.reset(new CheckPalette());
    return *instance;
}

bool CheckPalette::HasInstance() {
    return Instance() != nullptr;
}

void CheckPalette::DestroyInstance() {
    Instance().reset();
}

CheckPalette::CheckPalette()
    : DG::Palette(FrameState::GetOwnResourceModule(), ZM_DIALOG_CHECK_PALETTE,
                  FrameState::GetOwnResourceModule(), PaletteIdentity::GetPaletteGuid()),
      upperSeparator_(GetReference(), ZM_PALETTE_UPPER_SEPARATOR),
      roomsCaption_(GetReference(), ZM_PALETTE_ROOMS_CAPTION),
      roomList_(GetReference(), ZM_PALETTE_ROOM_LIST),
      checkRoomsButton_(GetReference(), ZM_PALETTE_CHECK_ROOMS_BUTTON),
      lowerSeparator_(GetReference(), ZM_PALETTE_LOWER_SEPARATOR),
      stampsCaption_(GetReference(), ZM_PALETTE_STAMPS_CAPTION),
      stampList_(GetReference(), ZM_PALETTE_STAMP_LIST),
      updateWrongButton_(GetReference(), ZM_PALETTE_UPDATE_WRONG_BUTTON),
      updateAllButton_(GetReference(), ZM_PALETTE_UPDATE_ALL_BUTTON) {
    Attach(*this);
    AttachToAllItems(*this);
    BeginEventProcessing();
    SetUpColumns();
    LayOutColumns();
}

CheckPalette::~CheckPalette() {
    DetachFromAllItems(*this);
    Detach(*this);
    EndEventProcessing();
}

void CheckPalette::SetUpColumns() {
    roomList_.SetTabFieldCount(4);
    for (short field = 1; field <= 4; ++field)
        roomList_.SetHeaderItemText(field, ColumnTitle(field));
    stampList_.SetTabFieldCount(2);
    stampList_.SetHeaderItemText(1, ColumnTitle(ZM_COLUMN_STORY_ITEM));
    stampList_.SetHeaderItemText(2, ColumnTitle(ZM_COLUMN_APARTMENT_ID_ITEM));
}

// Rooms: number, name and story a fifth of the width each, the apartment ID two fifths.
// Stamps: story a third, apartment ID two thirds.
void CheckPalette::LayOutColumns() {
    const short u = static_cast<short>(roomList_.GetItemWidth() / 5);
    for (short field = 1; field <= 3; ++field) {
        roomList_.SetHeaderItemSize(field, u);
        SetColumn(roomList_, field, static_cast<short>((field - 1) * u), static_cast<short>(field * u));
    }
    roomList_.SetHeaderItemSize(4, static_cast<short>(2 * u));
    SetColumn(roomList_, 4, static_cast<short>(3 * u), static_cast<short>(5 * u));
    const short s = static_cast<short>(stampList_.GetItemWidth() / 3);
    stampList_.SetHeaderItemSize(1, s);
    stampList_.SetHeaderItemSize(2, static_cast<short>(2 * s));
    SetColumn(stampList_, 1, 0, s);
    SetColumn(stampList_, 2, s, static_cast<short>(3 * s));
}

void CheckPalette::PanelOpened(const DG::PanelOpenEvent& /*event*/) {
    LayOutColumns();
}

// Hidden, not closed: the host's messages may bring it back.
void CheckPalette::HideRemembering() {
    reopen_ = IsVisible();
    if (reopen_)
        Hide();
}

void CheckPalette::PanelCloseRequested(const DG::PanelCloseRequestEvent& /*event*/, bool* accepted) {
    HideRemembering();
    *accepted = true;
}

// All vertical growth goes to the room list; everything below it moves down.
void CheckPalette::PanelResized(const DG::PanelResizeEvent& event) {
    const short h = event.GetHorizontalChange();
    const short v = event.GetVerticalChange();
    if (h == 0 && v == 0)
        return;
    const short half = static_cast<short>(GetWidth() / 2);
    updateWrongButton_.SetWidth(static_cast<short>(half - 20));
    updateAllButton_.SetWidth(static_cast<short>(half - 20));
    updateAllButton_.SetPosition(static_cast<short>(half + 5), updateAllButton_.GetPosition().GetY());
    BeginMoveResizeItems();
    upperSeparator_.Resize(h, 0);
    roomsCaption_.Resize(h, 0);
    roomList_.Resize(h, v);
    for (DG::Item* item :
         {static_cast<DG::Item*>(&checkRoomsButton_), static_cast<DG::Item*>(&lowerSeparator_),
          static_cast<DG::Item*>(&stampsCaption_), static_cast<DG::Item*>(&stampList_)})
        item->MoveAndResize(0, v, h, 0);
    updateWrongButton_.Move(0, v);
    updateAllButton_.Move(0, v);
    EndMoveResizeItems();
    LayOutColumns();
}

// The palette's buttons are called from the host's event loop: nothing may escape into it.
void CheckPalette::ButtonClicked(const DG::ButtonClickEvent& event) {
    GuardEntry("CheckPalette", [&] {
        ZoneObservation::Resume();
        if (event.GetSource() == &checkRoomsButton_)
            CheckRooms();
        else if (event.GetSource() == &updateWrongButton_)
            UpdateStamps(false);
        else if (event.GetSource() == &updateAllButton_)
            UpdateStamps(true);
        return NoError;
    });
}

void CheckPalette::HandleControlMessage(Int32 message, bool* param) {
    switch (message) {
    case APIPalMsg_ClosePalette:
    case APIPalMsg_HidePalette_Begin:
        HideRemembering();
        break;
    case APIPalMsg_OpenPalette:
        reopen_ = true;
        [[fallthrough]];
    case APIPalMsg_HidePalette_End:
        if (reopen_ && !IsVisible())
            ShowCheckPalette();
        break;
    case APIPalMsg_DisableItems_Begin:
        DisableItems();
        break;
    case APIPalMsg_DisableItems_End:
        EnableItems();
        break;
    case APIPalMsg_IsPaletteVisible:
        if (param != nullptr)
            *param = IsVisible();
        break;
    default:
        break;
    }
}

void ShowCheckPalette() {
    CheckPalette& palette = CheckPalette::GetInstance();
    try {
        palette.Show(DG::ModelessBase::DefaultPosition);
    } catch (...) {
        DG::ErrorAlert("An unexpected error happened in the \"Zarimark\" Add-On.", GS::UniString(), "OK");
        palette.Hide();
    }
}

} // namespace Zarimark
