#ifndef ADDON_CREATESTAMPDIALOG_HPP
#define ADDON_CREATESTAMPDIALOG_HPP

#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "DG/ModalDialog.hpp"
#include "DG/Observers.hpp"
#include "GSRoot/UniString.hpp"

namespace Zarimark {

// Lets the user pick the apartment of a new stamp among the apartment IDs of the current story.
// OK needs a selected row; GetId() is 0 when the dialog's resource cannot be loaded.
class CreateStampDialog : public DG::ModalDialog,
                          public DG::PanelObserver,
                          public DG::ButtonItemObserver,
                          public DG::CompoundItemObserver {
public:
    CreateStampDialog();
    ~CreateStampDialog() override;

    // The chosen ID once Invoke returned true; empty otherwise.
    const GS::UniString& GetSelectedApartmentId() const { return selectedApartmentId_; }

private:
    void PanelOpened(const DG::PanelOpenEvent& event) override;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& event, bool* accepted) override;
    void PanelResized(const DG::PanelResizeEvent& event) override;
    void ButtonClicked(const DG::ButtonClickEvent& event) override;

    void FillApartmentList();
    void SpanColumnOverList();

    DG::Button okButton_;
    DG::Button cancelButton_;
    DG::SingleSelListBox apartmentList_;
    GS::UniString selectedApartmentId_;
};

} // namespace Zarimark

#endif
