#ifndef TESTS_DG_TESTPANELS_HPP
#define TESTS_DG_TESTPANELS_HPP

#include <deque>
#include <functional>
#include <vector>

#include "DG/DG.hpp"

// Panels built the way the add-on builds its palette and its create-stamp dialog, so the tests
// use the library through the same shapes.
namespace DGTests {

constexpr short PaletteId = 32512;
constexpr short StampDialogId = 32510;
extern const GS::Guid PaletteGuid;

class TestPalette : public DG::Palette,
                    public DG::PanelObserver,
                    public DG::ButtonItemObserver,
                    public DG::ListBoxObserver,
                    public DG::CompoundItemObserver {
public:
    explicit TestPalette(GSResModule module);
    ~TestPalette() override;

    void PanelOpened(const DG::PanelOpenEvent& ev) override;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) override;
    void PanelResized(const DG::PanelResizeEvent& ev) override;
    void PanelClosed(const DG::PanelCloseEvent& ev) override;
    void ButtonClicked(const DG::ButtonClickEvent& ev) override;
    void ListBoxSelectionChanged(const DG::ListBoxSelectionEvent& ev) override;

    DG::Separator upperSeparator;
    DG::LeftText roomsCaption;
    DG::SingleSelListBox roomList;
    DG::Button checkRoomsButton;
    DG::Separator lowerSeparator;
    DG::LeftText stampsCaption;
    DG::SingleSelListBox stampList;
    DG::Button updateWrongButton;
    DG::Button updateAllButton;

    bool keepOpen = false; // clears the accept flag of close requests
    bool reopen = false;
    int openedCount = 0;
    int closedCount = 0;
    std::vector<short> clickedItems;
    std::vector<bool> clickSourceWasMember;
    std::vector<short> selectionChangedLists;

private:
    void LayoutColumns();
};

class TestStampDialog : public DG::ModalDialog,
                        public DG::PanelObserver,
                        public DG::ButtonItemObserver,
                        public DG::CompoundItemObserver {
public:
    TestStampDialog(GSResModule module, const std::vector<GS::UniString>& apartmentIds,
                    short resId = StampDialogId);
    ~TestStampDialog() override;

    void PanelOpened(const DG::PanelOpenEvent& ev) override;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) override;
    void PanelResized(const DG::PanelResizeEvent& ev) override;
    void PanelClosed(const DG::PanelCloseEvent& ev) override;
    void ButtonClicked(const DG::ButtonClickEvent& ev) override;

    DG::Button okButton;
    DG::Button cancelButton;
    DG::SingleSelListBox apartmentList;

    GS::UniString selectedApartmentId;
    bool refuseCloseBox = false;
    std::vector<bool> closeRequests; // IsAccepted of each request
    std::vector<bool> closedAccepted;
    int openedCount = 0;
};

// Plays the user: answers alerts from a queue (0 when empty) and runs dialogs with a script.
class ScriptedDriver : public DG::UIDriver {
public:
    short AnswerAlert(const DG::AlertRecord& alert) override;
    void RunModalDialog(DG::ModalDialog& dialog) override;

    std::deque<short> alertAnswers;
    std::function<void(DG::ModalDialog&)> dialogScript;
    std::vector<DG::AlertRecord> alertsSeen;
    int dialogsRun = 0;
};

} // namespace DGTests

#endif
