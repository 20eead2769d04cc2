#ifndef DG_LISTBOX_HPP
#define DG_LISTBOX_HPP

#include "DG/Item.hpp"
#include "DG/Observers.hpp"
#include "DG/TabField.hpp"

namespace DG {

// A list box with rows (from 1) and tab fields (columns, from 1). Rows, texts and the selection
// live in the panel, so every view of the list sees them. A row or field outside the list is
// ignored (reads give 0 or an empty text) and recorded in the UI log as a usage error.
class ListBox : public Item {
public:
    enum Justification { DefaultJust = 0, Left = 1, Center = 2, Right = 3 };
    enum Truncation { NoTruncate = 0, EndTruncate = 1, MiddleTruncate = 2 };

    static constexpr short AllItems = -1;
    // The item width leaves room for the vertical scroll bar, which is always there.
    static constexpr short ScrollBarWidth = 16;

    ListBox(const Panel& panel, short itemId);

    void Attach(ListBoxObserver& observer);
    void Detach(ListBoxObserver& observer);

    bool HasHeader() const;
    short GetItemWidth() const; // the list's width less ScrollBarWidth, not below 0

    short GetItemCount() const;
    bool AppendItem();
    bool InsertItem(short row); // before `row`; GetItemCount() + 1 appends
    void DeleteItem(short row); // AllItems: every row
    void SetTabItemText(short row, short field, const GS::UniString& text);
    GS::UniString GetTabItemText(short row, short field) const;

    void SetTabFieldCount(short count); // rows keep the texts of the fields that remain
    short GetTabFieldCount() const;
    bool SetTabFieldProperties(short field, short begin, short end, Justification justification,
                               Truncation truncation, bool hasSeparator = false, bool status = true);
    bool SetTabFieldProperties(short field, short begin, short end, short justification, short truncation,
                               bool hasSeparator = false, bool status = true);
    TabField GetTabField(short field) const;
    short GetTabFieldBeginPosition(short field) const { return GetTabField(field).begin; }
    short GetTabFieldEndPosition(short field) const { return GetTabField(field).end; }
    short GetTabFieldWidth(short field) const;

    void SetHeaderItemText(short field, const GS::UniString& text);
    GS::UniString GetHeaderItemText(short field) const;
    void SetHeaderItemSize(short field, short size);
    short GetHeaderItemSize(short field) const;

    // One row at most is selected: selecting a row deselects the others.
    void SelectItem(short row);
    void DeselectItem(short row);                     // AllItems: every row
    short GetSelectedItem(short startFrom = 1) const; // first selected row from startFrom; 0 if none
    short GetSelectedCount() const;

private:
    bool CheckRow(short row, const char* operation) const;
    bool CheckField(short field, const char* operation) const;
    Detail::TabFieldState* Field(short field) const;
};

class SingleSelListBox : public ListBox {
public:
    SingleSelListBox(const Panel& panel, short itemId) : ListBox(panel, itemId) {}
};

} // namespace DG

#endif
