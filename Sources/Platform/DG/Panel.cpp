#include "DG/Panel.hpp"

#include <algorithm>

#include "DG/Item.hpp"
#include "DG/PanelRegistry.hpp"
#include "DG/UILog.hpp"

namespace DG {

namespace {

std::unique_ptr<Detail::ItemState> MakeItemState(short id, const RS::DialogItemResource& item) {
    auto state = std::make_unique<Detail::ItemState>();
    state->id = id;
    state->kind = item.kind;
    state->x = item.x;
    state->y = item.y;
    state->width = item.width;
    state->height = item.height;
    state->text = item.text;
    state->font = item.font;
    state->hasHeader = item.hasHeader;
    state->rowHeight = item.rowHeight;
    state->headerHeight = item.headerHeight;
    return state;
}

} // namespace

Panel::Panel(GSResModule resModule, short resId, GSResModule /*dialIconResModule*/)
    : resModule_(resModule), resId_(resId) {
    RS::DialogResource dialog;
    if (resId != 0 && RS::GetDialog(resModule, resId, &dialog)) {
        id_ = resId;
        kind_ = dialog.kind;
        title_ = dialog.title;
        width_ = dialog.width;
        height_ = dialog.height;
        resizable_ = dialog.resizable;
        const std::size_t count = std::min<std::size_t>(dialog.items.size(), 32767);
        for (std::size_t i = 0; i < count; ++i)
            items_.push_back(MakeItemState(static_cast<short>(i + 1), dialog.items[i]));
    }
    Detail::RegisterPanel(this);
}

Panel::~Panel() {
    for (const auto& item : items_) {
        for (Item* view : std::vector<Item*>(item->views))
            view->Unbind();
    }
    Detail::UnregisterPanel(this);
}

void Panel::SetSize(short width, short height) {
    width_ = Detail::ClampSize(width);
    height_ = Detail::ClampSize(height);
}

bool Panel::GetItemKind(short itemId, RS::ItemKind* kind) const {
    const Detail::ItemState* state = FindItemState(itemId);
    if (state == nullptr)
        return false;
    *kind = state->kind;
    return true;
}

void Panel::EnableItems() {
    for (const auto& item : items_)
        item->enabled = true;
}

void Panel::DisableItems() {
    for (const auto& item : items_)
        item->enabled = false;
}

void Panel::Attach(PanelObserver& observer) {
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end())
        observers_.push_back(&observer);
}

void Panel::Detach(PanelObserver& observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer), observers_.end());
}

Detail::ItemState* Panel::FindItemState(short itemId) const {
    if (itemId < 1 || itemId > GetItemCount())
        return nullptr;
    return items_[static_cast<std::size_t>(itemId - 1)].get();
}

Detail::ItemState* Panel::FindUsableItem(short itemId, RS::ItemKind kind) const {
    Detail::ItemState* state = FindItemState(itemId);
    if (state == nullptr || state->kind != kind || !state->enabled || !state->visible)
        return nullptr;
    return state;
}

void Panel::NotifyOpened() {
    const PanelOpenEvent event(this);
    NotifyObservers([&](PanelObserver& observer) { observer.PanelOpened(event); });
}

void Panel::NotifyClosed(bool accepted) {
    const PanelCloseEvent event(this, accepted);
    NotifyObservers([&](PanelObserver& observer) { observer.PanelClosed(event); });
}

bool Panel::RequestClose(bool accepting) {
    bool accept = true;
    const PanelCloseRequestEvent event(this, accepting);
    NotifyObservers([&](PanelObserver& observer) { observer.PanelCloseRequested(event, &accept); });
    return accept;
}

void Panel::ReportMisuse(const std::string& what) const {
    if (id_ != 0)
        Detail::LogUsageError(id_, "dialog " + std::to_string(id_) + ": " + what);
}

} // namespace DG
