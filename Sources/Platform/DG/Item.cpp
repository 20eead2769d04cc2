#include "DG/Item.hpp"

#include <algorithm>

#include "DG/Panel.hpp"

namespace DG {

namespace {

const char* KindName(RS::ItemKind kind) {
    switch (kind) {
    case RS::ItemKind::Button:
        return "button";
    case RS::ItemKind::LeftText:
        return "static text";
    case RS::ItemKind::Separator:
        return "separator";
    case RS::ItemKind::SingleSelList:
        return "list box";
    case RS::ItemKind::Icon:
        return "icon";
    }
    return "item";
}

} // namespace

Item::Item(const Panel& panel, short itemId) {
    Bind(panel, itemId);
    if (state_ == nullptr)
        ReportMisuse("item " + std::to_string(itemId) + " does not exist");
}

Item::Item(const Panel& panel, short itemId, RS::ItemKind kind, const char* className) {
    Bind(panel, itemId);
    if (state_ == nullptr) {
        ReportMisuse("item " + std::to_string(itemId) + " does not exist");
    } else if (state_->kind != kind) {
        ReportMisuse("item " + std::to_string(itemId) + " is a " + KindName(state_->kind) + ", not a " +
                     className);
        Unbind();
        panel_ = const_cast<Panel*>(&panel);
    }
}

Item::~Item() {
    if (state_ != nullptr)
        state_->views.erase(std::remove(state_->views.begin(), state_->views.end(), this),
                            state_->views.end());
}

// The host's item constructors take the panel by const reference, yet the item changes the
// window behind it: the panel object is a handle, its item states are the window's.
void Item::Bind(const Panel& panel, short itemId) {
    panel_ = const_cast<Panel*>(&panel);
    id_ = itemId;
    state_ = panel.FindItemState(itemId);
    if (state_ != nullptr)
        state_->views.push_back(this);
}

void Item::Unbind() {
    if (state_ != nullptr)
        state_->views.erase(std::remove(state_->views.begin(), state_->views.end(), this),
                            state_->views.end());
    state_ = nullptr;
    panel_ = nullptr;
}

void Item::Move(short dx, short dy) {
    if (state_ == nullptr)
        return;
    state_->x = Detail::ClampCoordinate(state_->x + dx);
    state_->y = Detail::ClampCoordinate(state_->y + dy);
}

void Item::Resize(short dWidth, short dHeight) {
    if (state_ == nullptr)
        return;
    state_->width = Detail::ClampSize(state_->width + dWidth);
    state_->height = Detail::ClampSize(state_->height + dHeight);
}

void Item::MoveAndResize(short dx, short dy, short dWidth, short dHeight) {
    Move(dx, dy);
    Resize(dWidth, dHeight);
}

void Item::SetPosition(short x, short y) {
    if (state_ == nullptr)
        return;
    state_->x = x;
    state_->y = y;
}

Point Item::GetPosition() const {
    return state_ == nullptr ? Point() : Point(state_->x, state_->y);
}

void Item::SetWidth(short width) {
    if (state_ != nullptr)
        state_->width = Detail::ClampSize(width);
}

void Item::SetHeight(short height) {
    if (state_ != nullptr)
        state_->height = Detail::ClampSize(height);
}

void Item::SetSize(short width, short height) {
    SetWidth(width);
    SetHeight(height);
}

short Item::GetWidth() const {
    return state_ == nullptr ? 0 : state_->width;
}

short Item::GetHeight() const {
    return state_ == nullptr ? 0 : state_->height;
}

Rect Item::GetRect() const {
    if (state_ == nullptr)
        return Rect();
    return Rect(state_->x, state_->y, Detail::ClampCoordinate(state_->x + state_->width),
                Detail::ClampCoordinate(state_->y + state_->height));
}

void Item::SetRect(const Rect& rect) {
    SetPosition(rect.GetLeft(), rect.GetTop());
    SetSize(rect.GetWidth(), rect.GetHeight());
}

void Item::SetStatus(bool enabled) {
    if (state_ != nullptr)
        state_->enabled = enabled;
}

bool Item::IsEnabled() const {
    return state_ != nullptr && state_->enabled;
}

void Item::SetVisibility(bool visible) {
    if (state_ != nullptr)
        state_->visible = visible;
}

bool Item::IsVisible() const {
    return state_ != nullptr && state_->visible;
}

void Item::SetItemText(const GS::UniString& text) {
    if (state_ != nullptr)
        state_->text = text;
}

GS::UniString Item::GetItemText() const {
    return state_ == nullptr ? GS::UniString() : state_->text;
}

void Item::ReportMisuse(const std::string& what) const {
    if (panel_ != nullptr)
        panel_->ReportMisuse(what);
}

} // namespace DG
