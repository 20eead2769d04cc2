#include "DG/ListBox.hpp"

#include <algorithm>
#include <limits>

namespace DG {

namespace {

constexpr std::size_t MaxRows = std::numeric_limits<short>::max();

std::string RangeText(std::size_t count) {
    return count == 0 ? std::string("there are none") : "valid are 1 to " + std::to_string(count);
}

std::size_t Index(short oneBased) {
    return static_cast<std::size_t>(oneBased - 1);
}

} // namespace

ListBoxSelectionEvent::ListBoxSelectionEvent(ListBox* source) : ItemEvent(source), list_(source) {}

ListBoxClickEvent::ListBoxClickEvent(ListBox* source, short listItem)
    : ItemEvent(source), list_(source), listItem_(listItem) {}

ListBox::ListBox(const Panel& panel, short itemId)
    : Item(panel, itemId, RS::ItemKind::SingleSelList, "list box") {}

void ListBox::Attach(ListBoxObserver& observer) {
    Detail::ItemState* state = State();
    if (state != nullptr && std::find(state->listBoxObservers.begin(), state->listBoxObservers.end(),
                                      &observer) == state->listBoxObservers.end())
        state->listBoxObservers.push_back(&observer);
}

void ListBox::Detach(ListBoxObserver& observer) {
    Detail::ItemState* state = State();
    if (state != nullptr)
        state->listBoxObservers.erase(
            std::remove(state->listBoxObservers.begin(), state->listBoxObservers.end(), &observer),
            state->listBoxObservers.end());
}

bool ListBox::HasHeader() const {
    return State() != nullptr && State()->hasHeader;
}

short ListBox::GetItemWidth() const {
    return Detail::ClampSize(GetWidth() - ScrollBarWidth);
}

short ListBox::GetItemCount() const {
    return State() == nullptr ? 0 : static_cast<short>(State()->rows.size());
}

bool ListBox::AppendItem() {
    return InsertItem(static_cast<short>(GetItemCount() + 1));
}

bool ListBox::InsertItem(short row) {
    Detail::ItemState* state = State();
    if (state == nullptr)
        return false;
    if (state->rows.size() >= MaxRows) {
        ReportMisuse("item " + std::to_string(GetId()) + ": InsertItem on a full list");
        return false;
    }
    if (row < 1 || Index(row) > state->rows.size()) {
        ReportMisuse("item " + std::to_string(GetId()) + ": InsertItem before row " + std::to_string(row) +
                     ", valid are 1 to " + std::to_string(state->rows.size() + 1));
        return false;
    }
    Detail::ListRow newRow;
    newRow.tabTexts.resize(state->tabFields.size());
    state->rows.insert(state->rows.begin() + static_cast<std::ptrdiff_t>(Index(row)), std::move(newRow));
    return true;
}

void ListBox::DeleteItem(short row) {
    Detail::ItemState* state = State();
    if (state != nullptr && row == AllItems)
        state->rows.clear();
    else if (CheckRow(row, "DeleteItem"))
        state->rows.erase(state->rows.begin() + static_cast<std::ptrdiff_t>(Index(row)));
}

void ListBox::SetTabItemText(short row, short field, const GS::UniString& text) {
    if (CheckRow(row, "SetTabItemText") && CheckField(field, "SetTabItemText"))
        State()->rows[Index(row)].tabTexts[Index(field)] = text;
}

GS::UniString ListBox::GetTabItemText(short row, short field) const {
    if (!CheckRow(row, "GetTabItemText") || !CheckField(field, "GetTabItemText"))
        return GS::UniString();
    return State()->rows[Index(row)].tabTexts[Index(field)];
}

void ListBox::SetTabFieldCount(short count) {
    Detail::ItemState* state = State();
    if (state == nullptr)
        return;
    if (count < 0) {
        ReportMisuse("item " + std::to_string(GetId()) + ": SetTabFieldCount " + std::to_string(count));
        return;
    }
    state->tabFields.resize(static_cast<std::size_t>(count));
    for (Detail::ListRow& row : state->rows)
        row.tabTexts.resize(static_cast<std::size_t>(count));
}

short ListBox::GetTabFieldCount() const {
    return State() == nullptr ? 0 : static_cast<short>(State()->tabFields.size());
}

bool ListBox::SetTabFieldProperties(short field, short begin, short end, Justification justification,
                                    Truncation truncation, bool hasSeparator, bool status) {
    return SetTabFieldProperties(field, begin, end, static_cast<short>(justification),
                                 static_cast<short>(truncation), hasSeparator, status);
}

bool ListBox::SetTabFieldProperties(short field, short begin, short end, short justification,
                                    short truncation, bool hasSeparator, bool status) {
    if (!CheckField(field, "SetTabFieldProperties"))
        return false;
    Field(field)->layout = TabField{begin, end, justification, truncation, hasSeparator, status};
    return true;
}

TabField ListBox::GetTabField(short field) const {
    const Detail::TabFieldState* tab = Field(field);
    return tab == nullptr ? TabField() : tab->layout;
}

short ListBox::GetTabFieldWidth(short field) const {
    const TabField tab = GetTabField(field);
    return static_cast<short>(tab.end - tab.begin);
}

void ListBox::SetHeaderItemText(short field, const GS::UniString& text) {
    if (CheckField(field, "SetHeaderItemText"))
        Field(field)->headerText = text;
}

GS::UniString ListBox::GetHeaderItemText(short field) const {
    const Detail::TabFieldState* tab = Field(field);
    return tab == nullptr ? GS::UniString() : tab->headerText;
}

void ListBox::SetHeaderItemSize(short field, short size) {
    if (CheckField(field, "SetHeaderItemSize"))
        Field(field)->headerSize = Detail::ClampSize(size);
}

short ListBox::GetHeaderItemSize(short field) const {
    const Detail::TabFieldState* tab = Field(field);
    return tab == nullptr ? 0 : tab->headerSize;
}

void ListBox::SelectItem(short row) {
    if (!CheckRow(row, "SelectItem"))
        return;
    for (std::size_t i = 0; i < State()->rows.size(); ++i)
        State()->rows[i].selected = i == Index(row);
}

void ListBox::DeselectItem(short row) {
    Detail::ItemState* state = State();
    if (state != nullptr && row == AllItems) {
        for (Detail::ListRow& each : state->rows)
            each.selected = false;
    } else if (CheckRow(row, "DeselectItem")) {
        state->rows[Index(row)].selected = false;
    }
}

short ListBox::GetSelectedItem(short startFrom) const {
    const Detail::ItemState* state = State();
    if (state == nullptr)
        return 0;
    for (std::size_t i = static_cast<std::size_t>(std::max<short>(startFrom, 1)) - 1; i < state->rows.size();
         ++i) {
        if (state->rows[i].selected)
            return static_cast<short>(i + 1);
    }
    return 0;
}

short ListBox::GetSelectedCount() const {
    const Detail::ItemState* state = State();
    if (state == nullptr)
        return 0;
    return static_cast<short>(std::count_if(state->rows.begin(), state->rows.end(),
                                            [](const Detail::ListRow& row) { return row.selected; }));
}

bool ListBox::CheckRow(short row, const char* operation) const {
    const Detail::ItemState* state = State();
    if (state == nullptr)
        return false;
    if (row >= 1 && Index(row) < state->rows.size())
        return true;
    ReportMisuse("item " + std::to_string(GetId()) + ": " + operation + " row " + std::to_string(row) + ", " +
                 RangeText(state->rows.size()));
    return false;
}

bool ListBox::CheckField(short field, const char* operation) const {
    const Detail::ItemState* state = State();
    if (state == nullptr)
        return false;
    if (field >= 1 && Index(field) < state->tabFields.size())
        return true;
    ReportMisuse("item " + std::to_string(GetId()) + ": " + operation + " tab field " +
                 std::to_string(field) + ", " + RangeText(state->tabFields.size()));
    return false;
}

Detail::TabFieldState* ListBox::Field(short field) const {
    Detail::ItemState* state = State();
    if (state == nullptr || field < 1 || Index(field) >= state->tabFields.size())
        return nullptr;
    return &state->tabFields[Index(field)];
}

} // namespace DG
