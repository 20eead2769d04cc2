#ifndef ZARIMARK_RUN_SCRIPTEDUSER_HPP
#define ZARIMARK_RUN_SCRIPTEDUSER_HPP

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DG/UIDriver.hpp"
#include "Run/PaletteAccess.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Run {

// The user of a scenario: answers alerts and works dialogs from the answers of the running step,
// strictly in order. An alert or dialog the next answer is not meant for gets no answer (the
// alert its first button, the dialog is cancelled) and a note says so.
class ScriptedUser : public DG::UIDriver {
public:
    // Whether the user met an alert or dialog while the host was reporting the add-on's own
    // changes (an echo) or during the action itself.
    enum class During { Action, Echo };

    // What happened with one dialog, for the report.
    struct DialogRecord {
        std::size_t step = 0;
        std::size_t openedEntry = 0; // its opening in DG's UI log
        During during = During::Action;
        short resourceId = 0;
        std::string title;
        std::string prompt;
        std::vector<std::vector<std::string>> rows; // of its list, as it opened
        std::vector<std::string> done;              // "choose \"A1\"", "press OK", ...
        bool answered = false;
        // As the user left it.
        std::vector<std::string> selected; // the selected row, if any
        bool resized = false;
        short width = 0, height = 0;
        std::vector<ItemGeometry> items;
    };

    // Tells what is going on in the host when an alert or dialog comes; without one, the action.
    void SetDuringProbe(std::function<During()> probe) { duringProbe_ = std::move(probe); }

    void BeginStep(std::size_t step, const std::vector<Scenario::Answer>& answers);
    // The answers left unused; they are dropped.
    std::vector<Scenario::Answer> EndStep();

    short AnswerAlert(const DG::AlertRecord& alert) override;
    void RunModalDialog(DG::ModalDialog& dialog) override;

    // An add-on may ask again until the user declines (the Teamwork reservation alerts do). A user
    // without answers would never decline, so after this many unanswered alerts in one step the
    // user takes the alerts' last button and the run is to stop.
    static constexpr int UnansweredAlertLimit = 1000;
    // The alert that made the user give up in the running step; empty when none did.
    const std::string& GetGaveUpOn() const { return gaveUpOn_; }

    const std::vector<std::string>& GetNotes() const { return notes_; }
    void ClearNotes() { notes_.clear(); }
    const std::vector<DialogRecord>& GetDialogs() const { return dialogs_; }
    // For the UI log entry of an alert or a dialog's opening; none for what the user never met.
    std::optional<During> DuringOf(std::size_t entry) const;

private:
    // An alert the user answered, by its entry in DG's UI log.
    struct MetAlert {
        std::size_t entry = 0;
        During during = During::Action;
    };

    During Now() const;
    bool Matches(const Scenario::Answer& answer, const DG::AlertRecord& alert) const;
    bool Matches(const Scenario::Answer& answer, DG::ModalDialog& dialog) const;
    std::string Perform(DG::ModalDialog& dialog, const Scenario::DialogInteraction& interaction);
    void RecordLeft(DG::ModalDialog& dialog, DialogRecord& record) const;

    std::size_t step_ = 0;
    int unanswered_ = 0;
    std::string gaveUpOn_;
    std::deque<Scenario::Answer> answers_;
    std::vector<std::string> notes_;
    std::vector<DialogRecord> dialogs_;
    std::vector<MetAlert> alerts_;
    std::function<During()> duringProbe_;
};

} // namespace Run

#endif
