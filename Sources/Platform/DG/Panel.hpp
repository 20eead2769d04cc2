#ifndef DG_PANEL_HPP
#define DG_PANEL_HPP

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DG/Events.hpp"
#include "DG/ItemState.hpp"
#include "DG/Observers.hpp"
#include "GSRoot/Definitions.hpp"
#include "RS/RS.hpp"

namespace DG {

// A panel built from a dialog resource (GDLG) of a resource module. It owns the state of every
// item of the resource; item objects are views onto it. When the resource cannot be read, GetId
// gives 0 and the panel has no items. Every live panel is listed in the panel registry.
class Panel {
public:
    Panel(GSResModule resModule, short resId, GSResModule dialIconResModule);
    virtual ~Panel();
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    short GetId() const { return id_; }
    short GetResourceId() const { return resId_; } // as asked for, also when it is missing
    const Panel& GetReference() const { return *this; }
    GSResModule GetResourceModule() const { return resModule_; }
    RS::DialogKind GetResourceKind() const { return kind_; }

    GS::UniString GetTitle() const { return title_; }
    void SetTitle(const GS::UniString& title) { title_ = title; }
    short GetWidth() const { return width_; }
    short GetHeight() const { return height_; }
    short GetClientWidth() const { return width_; }
    short GetClientHeight() const { return height_; }
    void SetSize(short width, short height); // no notification, as for the add-on's own calls
    bool IsResizable() const { return resizable_; }

    short GetItemCount() const { return static_cast<short>(items_.size()); }
    // False when there is no such item.
    bool GetItemKind(short itemId, RS::ItemKind* kind) const;
    void EnableItems();
    void DisableItems();

    void Attach(PanelObserver& observer);
    void Detach(PanelObserver& observer);

    // What the user does, for the UI driver. Each returns false and does nothing when the user
    // could not do it now: the panel is not open for input, or the item is missing, of another
    // kind, disabled or hidden. Notifications run synchronously inside these calls.
    virtual bool IsOpenForInput() const { return false; }
    bool ClickButton(short itemId);
    bool SelectListItem(short itemId, short row);    // row from 1; 0 clears the selection
    bool ResizeBy(short horizontal, short vertical); // resizable panels only
    bool PressCloseBox();

protected:
    void NotifyOpened();
    void NotifyClosed(bool accepted);
    // Asks the panel observers; true when none of them cleared the accept flag.
    bool RequestClose(bool accepting);
    virtual void CloseByCloseBox() {}
    // Records a wrong use of the panel in the UI log (loaded panels only).
    void ReportMisuse(const std::string& what) const;

private:
    friend class Item;
    Detail::ItemState* FindItemState(short itemId) const;
    Detail::ItemState* FindUsableItem(short itemId, RS::ItemKind kind) const;
    template <typename Notify>
    void NotifyObservers(Notify notify);

    GSResModule resModule_ = InvalidResModule;
    short resId_ = 0;
    short id_ = 0;
    RS::DialogKind kind_ = RS::DialogKind::Modal;
    GS::UniString title_;
    short width_ = 0;
    short height_ = 0;
    bool resizable_ = false;
    std::vector<std::unique_ptr<Detail::ItemState>> items_; // item N is items_[N - 1]
    std::vector<PanelObserver*> observers_;
};

// Observers attached or detached by a notification take effect at once: a detached observer is
// not called any more in the same round.
template <typename Notify>
void Panel::NotifyObservers(Notify notify) {
    const std::vector<PanelObserver*> round = observers_;
    for (PanelObserver* observer : round) {
        if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end())
            notify(*observer);
    }
}

} // namespace DG

#endif
