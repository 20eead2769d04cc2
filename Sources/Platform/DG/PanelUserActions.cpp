#include <algorithm>
#include <optional>

#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "DG/Panel.hpp"

// The user's side of a panel: what the UI driver does in place of mouse and keyboard.
namespace DG {

namespace {

// The add-on's own item object when it has one, so that the event source is its member.
template <typename View>
View* FirstView(const Detail::ItemState& state) {
    for (Item* view : state.views) {
        if (auto* typed = dynamic_cast<View*>(view))
            return typed;
    }
    return nullptr;
}

template <typename Observer, typename Notify>
void NotifyItemObservers(const std::vector<Observer*>& live, Notify notify) {
    const std::vector<Observer*> round = live;
    for (Observer* observer : round) {
        if (std::find(live.begin(), live.end(), observer) != live.end())
            notify(*observer);
    }
}

} // namespace

bool Panel::ClickButton(short itemId) {
    if (!IsOpenForInput())
        return false;
    Detail::ItemState* state = FindUsableItem(itemId, RS::ItemKind::Button);
    if (state == nullptr)
        return false;
    std::optional<ButtonItem> temporary;
    ButtonItem* source = FirstView<ButtonItem>(*state);
    if (source == nullptr)
        source = &temporary.emplace(*this, itemId);
    const ButtonClickEvent event(source);
    NotifyItemObservers(state->buttonObservers,
                        [&](ButtonItemObserver& observer) { observer.ButtonClicked(event); });
    return true;
}

bool Panel::SelectListItem(short itemId, short row) {
    if (!IsOpenForInput())
        return false;
    Detail::ItemState* state = FindUsableItem(itemId, RS::ItemKind::SingleSelList);
    if (state == nullptr || row < 0 || static_cast<std::size_t>(row) > state->rows.size())
        return false;
    bool changed = false;
    for (std::size_t i = 0; i < state->rows.size(); ++i) {
        const bool selected = static_cast<std::size_t>(row) == i + 1;
        changed = changed || state->rows[i].selected != selected;
        state->rows[i].selected = selected;
    }
    std::optional<SingleSelListBox> temporary;
    ListBox* source = FirstView<ListBox>(*state);
    if (source == nullptr)
        source = &temporary.emplace(*this, itemId);
    if (row > 0) {
        const ListBoxClickEvent click(source, row);
        NotifyItemObservers(state->listBoxObservers,
                            [&](ListBoxObserver& observer) { observer.ListBoxClicked(click); });
    }
    if (changed) {
        const ListBoxSelectionEvent selection(source);
        NotifyItemObservers(state->listBoxObservers,
                            [&](ListBoxObserver& observer) { observer.ListBoxSelectionChanged(selection); });
    }
    return true;
}

bool Panel::ResizeBy(short horizontal, short vertical) {
    if (!IsOpenForInput() || !resizable_)
        return false;
    const short width = Detail::ClampSize(width_ + horizontal);
    const short height = Detail::ClampSize(height_ + vertical);
    const PanelResizeEvent event(this, static_cast<short>(width - width_),
                                 static_cast<short>(height - height_));
    NotifyObservers([&](PanelObserver& observer) { observer.PanelResizeEntered(event); });
    width_ = width;
    height_ = height;
    NotifyObservers([&](PanelObserver& observer) { observer.PanelResized(event); });
    NotifyObservers([&](PanelObserver& observer) { observer.PanelResizeExited(event); });
    return true;
}

bool Panel::PressCloseBox() {
    if (!IsOpenForInput())
        return false;
    if (RequestClose(false))
        CloseByCloseBox();
    return true;
}

} // namespace DG
