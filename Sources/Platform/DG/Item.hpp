#ifndef DG_ITEM_HPP
#define DG_ITEM_HPP

#include <string>

#include "DG/Geometry.hpp"
#include "DG/ItemState.hpp"

namespace DG {

class Panel;

// A view of one item of a panel's resource, addressed by its number (from 1). Views of any
// number may exist for the same item; all of them read and change the panel's state of it. A
// view of an item that the panel does not have, or of another kind than the view's class, is
// invalid: it changes nothing and reads zeros and empty texts (and, on a loaded panel, the
// misuse is recorded in the UI log).
class Item {
public:
    Item(const Panel& panel, short itemId); // of any kind
    virtual ~Item();
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    short GetId() const { return id_; }
    Panel* GetPanel() const { return panel_; }
    bool IsValid() const { return state_ != nullptr; }

    void Move(short dx, short dy);
    void Resize(short dWidth, short dHeight);
    void MoveAndResize(short dx, short dy, short dWidth, short dHeight);
    void SetPosition(short x, short y);
    void SetPosition(const Point& position) { SetPosition(position.GetX(), position.GetY()); }
    Point GetPosition() const;
    void SetWidth(short width);
    void SetHeight(short height);
    void SetSize(short width, short height);
    short GetWidth() const;
    short GetHeight() const;
    Rect GetRect() const;
    void SetRect(const Rect& rect);

    void Enable() { SetStatus(true); }
    void Disable() { SetStatus(false); }
    void SetStatus(bool enabled);
    bool IsEnabled() const;
    void Show() { SetVisibility(true); }
    void Hide() { SetVisibility(false); }
    void SetVisibility(bool visible);
    bool IsVisible() const;

protected:
    Item(const Panel& panel, short itemId, RS::ItemKind kind, const char* className);

    Detail::ItemState* State() const { return state_; }
    void SetItemText(const GS::UniString& text);
    GS::UniString GetItemText() const;
    // Records a wrong use of this item in the UI log (loaded panels only).
    void ReportMisuse(const std::string& what) const;

private:
    friend class Panel;
    void Bind(const Panel& panel, short itemId);
    void Unbind(); // the panel is going away

    Panel* panel_ = nullptr;
    short id_ = 0;
    Detail::ItemState* state_ = nullptr;
};

} // namespace DG

#endif
