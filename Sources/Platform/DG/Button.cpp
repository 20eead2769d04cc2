#include "DG/Button.hpp"

#include <algorithm>

namespace DG {

ButtonClickEvent::ButtonClickEvent(ButtonItem* source) : ItemEvent(source), button_(source) {}

ButtonItem::ButtonItem(const Panel& panel, short itemId)
    : Item(panel, itemId, RS::ItemKind::Button, "button") {}

void ButtonItem::Attach(ButtonItemObserver& observer) {
    Detail::ItemState* state = State();
    if (state != nullptr && std::find(state->buttonObservers.begin(), state->buttonObservers.end(),
                                      &observer) == state->buttonObservers.end())
        state->buttonObservers.push_back(&observer);
}

void ButtonItem::Detach(ButtonItemObserver& observer) {
    Detail::ItemState* state = State();
    if (state != nullptr)
        state->buttonObservers.erase(
            std::remove(state->buttonObservers.begin(), state->buttonObservers.end(), &observer),
            state->buttonObservers.end());
}

} // namespace DG
