#ifndef ADDON_CHECKPALETTE_HPP
#define ADDON_CHECKPALETTE_HPP

#include "AddOn/Zarimark/GuidSet.hpp"
#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "DG/ModelessBase.hpp"
#include "DG/Observers.hpp"
#include "DG/StaticItems.hpp"

namespace Zarimark {

// The add-on's one modeless palette: rooms whose areas contradict each other and stamps whose
// values are wrong, each list in its set's order, with the actions that repair them. Adding and
// removing refresh the list but do not show the palette; callers show it where they want it seen.
class CheckPalette : public DG::Palette,
                     public DG::PanelObserver,
                     public DG::ButtonItemObserver,
                     public DG::ListBoxObserver,
                     public DG::CompoundItemObserver {
public:
    // Constructed on first use; lives until the add-on is released.
    static CheckPalette& GetInstance();
    static bool HasInstance();
    static void DestroyInstance();

    ~CheckPalette() override;

    void AddInconsistentRooms(const GuidSet& rooms);
    void RemoveInconsistentRooms(const GuidSet& rooms);
    // The first host failure that kept a listed stamp from its row (0: every row shows).
    GSErrCode AddWrongStamps(const GuidSet& stamps);
    void RemoveWrongStamps(const GuidSet& stamps);
    bool ListsWrongStamp(const API_Guid& stamp) const { return stampSet_.Contains(stamp); }

    // "Check Rooms": the room list becomes the rooms found inconsistent now.
    void CheckRooms();
    // "Update Wrong Stamps" (all = false) or "Update All Stamps", as one undoable step.
    void UpdateStamps(bool all);

    // The host's palette messages.
    void HandleControlMessage(Int32 message, bool* param);

private:
    CheckPalette();

    void PanelOpened(const DG::PanelOpenEvent& event) override;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& event, bool* accepted) override;
    void PanelResized(const DG::PanelResizeEvent& event) override;
    void ButtonClicked(const DG::ButtonClickEvent& event) override;

    void SetUpColumns();
    void LayOutColumns();
    void RefreshRoomList();
    // The first host failure that kept a stamp the host still knows from its full row; 0 if none.
    GSErrCode RefreshStampList();
    void HideRemembering();
    GSErrCode AddAllStamps();

    DG::Separator upperSeparator_;
    DG::LeftText roomsCaption_;
    DG::SingleSelListBox roomList_;
    DG::Button checkRoomsButton_;
    DG::Separator lowerSeparator_;
    DG::LeftText stampsCaption_;
    DG::SingleSelListBox stampList_;
    DG::Button updateWrongButton_;
    DG::Button updateAllButton_;
    GuidSet roomSet_;
    GuidSet stampSet_;
    bool reopen_ = false;
};

// Shows the palette; a failure to show it is told to the user and leaves it hidden.
void ShowCheckPalette();

} // namespace Zarimark

#endif
