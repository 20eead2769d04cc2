#ifndef DG_EVENTS_HPP
#define DG_EVENTS_HPP

namespace DG {

class Panel;
class Item;
class ButtonItem;
class ListBox;

class PanelEvent {
public:
    explicit PanelEvent(Panel* source) : source_(source) {}
    virtual ~PanelEvent() = default;
    Panel* GetSource() const { return source_; }

private:
    Panel* source_;
};

class PanelOpenEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
};

class PanelIdleEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
};

class PanelHelpEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
};

// Closed: IsAccepted tells whether the panel closed with the accepting response.
class PanelCloseEvent : public PanelEvent {
public:
    PanelCloseEvent(Panel* source, bool accepted) : PanelEvent(source), accepted_(accepted) {}
    bool IsAccepted() const { return accepted_; }

private:
    bool accepted_;
};

// A request to close: accepting for an OK-like response, not accepting for Cancel and the close box.
class PanelCloseRequestEvent : public PanelEvent {
public:
    PanelCloseRequestEvent(Panel* source, bool accepted) : PanelEvent(source), accepted_(accepted) {}
    bool IsAccepted() const { return accepted_; }

private:
    bool accepted_;
};

class PanelResizeEvent : public PanelEvent {
public:
    PanelResizeEvent(Panel* source, short horizontalChange, short verticalChange)
        : PanelEvent(source), horizontalChange_(horizontalChange), verticalChange_(verticalChange) {}
    short GetHorizontalChange() const { return horizontalChange_; }
    short GetVerticalChange() const { return verticalChange_; }
    bool IsUserResize() const { return true; }

private:
    short horizontalChange_;
    short verticalChange_;
};

class ItemEvent {
public:
    explicit ItemEvent(Item* source) : source_(source) {}
    virtual ~ItemEvent() = default;
    Item* GetSource() const { return source_; }

private:
    Item* source_;
};

// The source is the add-on's own item object when one exists for the item, so a comparison with
// a member's address works.
class ButtonClickEvent : public ItemEvent {
public:
    explicit ButtonClickEvent(ButtonItem* source);
    ButtonItem* GetSource() const { return button_; }

private:
    ButtonItem* button_;
};

class ListBoxSelectionEvent : public ItemEvent {
public:
    explicit ListBoxSelectionEvent(ListBox* source);
    ListBox* GetSource() const { return list_; }

private:
    ListBox* list_;
};

class ListBoxClickEvent : public ItemEvent {
public:
    ListBoxClickEvent(ListBox* source, short listItem);
    ListBox* GetSource() const { return list_; }
    short GetListItem() const { return listItem_; }

private:
    ListBox* list_;
    short listItem_;
};

} // namespace DG

#endif
