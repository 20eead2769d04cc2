#ifndef DG_OBSERVERS_HPP
#define DG_OBSERVERS_HPP

#include "DG/Events.hpp"
#include "DG/Geometry.hpp"
#include "GSRoot/UniString.hpp"

// Observers receive notifications through virtual methods with empty defaults; a class overrides
// the ones it handles. An observer must be detached before it is destroyed.
namespace DG {

class PanelObserver {
public:
    virtual ~PanelObserver() = default;

    virtual void PanelIdle(const PanelIdleEvent&) {}
    virtual void PanelOpened(const PanelOpenEvent&) {}
    virtual void PanelResizeEntered(const PanelResizeEvent&) {}
    virtual void PanelResizing(const PanelResizeEvent&, Point*) {}
    virtual void PanelResized(const PanelResizeEvent&) {}
    virtual void PanelResizeExited(const PanelResizeEvent&) {}
    virtual void PanelClosed(const PanelCloseEvent&) {}
    // `accepted` starts true; clearing it keeps the panel open.
    virtual void PanelCloseRequested(const PanelCloseRequestEvent&, bool*) {}
    virtual void PanelContextHelpRequested(const PanelHelpEvent&, GS::UniString*) {}
};

class ItemObserver {
public:
    virtual ~ItemObserver() = default;
};

class ButtonItemObserver : public virtual ItemObserver {
public:
    virtual void ButtonClicked(const ButtonClickEvent&) {}
};

class ListBoxObserver : public virtual ItemObserver {
public:
    virtual void ListBoxSelectionChanged(const ListBoxSelectionEvent&) {}
    virtual void ListBoxClicked(const ListBoxClickEvent&) {}
    virtual void ListBoxDoubleClicked(const ListBoxClickEvent&) {}
};

// Attaches the object it is part of to every item of a panel, as each observer kind that the
// object also is (a ButtonItemObserver to buttons, a ListBoxObserver to list boxes).
class CompoundItemObserver {
public:
    virtual ~CompoundItemObserver() = default;

    void AttachToAllItems(const Panel& panel);
    void DetachFromAllItems(const Panel& panel);
};

} // namespace DG

#endif
