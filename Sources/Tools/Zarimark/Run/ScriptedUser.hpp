#ifndef ZARIMARK_RUN_SCRIPTEDUSER_HPP
#define ZARIMARK_RUN_SCRIPTEDUSER_HPP

#include <deque>
#include <string>
#include <vector>

#include "DG/UIDriver.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Run {

// The user of a scenario: answers alerts and works dialogs from the answers of the running step,
// strictly in order. An alert or dialog the next answer is not meant for gets no answer (the
// alert its first button, the dialog is cancelled) and a note says so.
class ScriptedUser : public DG::UIDriver {
public:
    // What happened with one dialog, for the report.
    struct DialogRecord {
        std::size_t step = 0;
        short resourceId = 0;
        std::string title;
        std::vector<std::string> done; // "choose \"A1\"", "press OK", ...
        bool answered = false;
    };

    void BeginStep(std::size_t step, const std::vector<Scenario::Answer>& answers);
    // The answers left unused; they are dropped.
    std::vector<Scenario::Answer> EndStep();

    short AnswerAlert(const DG::AlertRecord& alert) override;
    void RunModalDialog(DG::ModalDialog& dialog) override;

    const std::vector<std::string>& GetNotes() const { return notes_; }
    void ClearNotes() { notes_.clear(); }
    const std::vector<DialogRecord>& GetDialogs() const { return dialogs_; }

private:
    bool Matches(const Scenario::Answer& answer, const DG::AlertRecord& alert) const;
    bool Matches(const Scenario::Answer& answer, DG::ModalDialog& dialog) const;
    std::string Perform(DG::ModalDialog& dialog, const Scenario::DialogInteraction& interaction);

    std::size_t step_ = 0;
    std::deque<Scenario::Answer> answers_;
    std::vector<std::string> notes_;
    std::vector<DialogRecord> dialogs_;
};

} // namespace Run

#endif
