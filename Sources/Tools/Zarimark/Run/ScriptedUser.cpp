#include "Run/ScriptedUser.hpp"

#include "DG/ListBox.hpp"
#include "DG/ModalDialog.hpp"
#include "Run/PaletteAccess.hpp"

namespace Run {

namespace {

std::string Describe(const DG::AlertRecord& alert) {
    return alert.id != 0 ? "alert " + std::to_string(alert.id) : "alert \"" + alert.largeText.ToUtf8() + "\"";
}

// The first row of any list of the dialog with that text in one of its columns.
bool FindListRow(const DG::Panel& panel, const std::string& text, short* item, short* row) {
    for (short candidate = 1; candidate <= panel.GetItemCount(); ++candidate) {
        RS::ItemKind kind;
        if (!panel.GetItemKind(candidate, &kind) || kind != RS::ItemKind::SingleSelList)
            continue;
        const DG::ListBox list(panel, candidate);
        for (short r = 1; r <= list.GetItemCount(); ++r) {
            for (short field = 1; field <= list.GetTabFieldCount(); ++field) {
                if (list.GetTabItemText(r, field).ToUtf8() == text) {
                    *item = candidate;
                    *row = r;
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace

void ScriptedUser::BeginStep(std::size_t step, const std::vector<Scenario::Answer>& answers) {
    step_ = step;
    answers_.assign(answers.begin(), answers.end());
}

std::vector<Scenario::Answer> ScriptedUser::EndStep() {
    std::vector<Scenario::Answer> unused(answers_.begin(), answers_.end());
    answers_.clear();
    return unused;
}

bool ScriptedUser::Matches(const Scenario::Answer& answer, const DG::AlertRecord& alert) const {
    if (answer.kind != Scenario::Answer::Kind::Alert)
        return false;
    if (answer.alertId)
        return *answer.alertId == alert.id;
    return answer.alertText == alert.largeText.ToUtf8() || answer.alertText == alert.title.ToUtf8();
}

bool ScriptedUser::Matches(const Scenario::Answer& answer, DG::ModalDialog& dialog) const {
    if (answer.kind != Scenario::Answer::Kind::Dialog)
        return false;
    if (answer.dialogId)
        return *answer.dialogId == dialog.GetResourceId();
    return answer.dialogTitle == dialog.GetTitle().ToUtf8();
}

short ScriptedUser::AnswerAlert(const DG::AlertRecord& alert) {
    if (answers_.empty() || !Matches(answers_.front(), alert)) {
        if (!answers_.empty())
            notes_.push_back(Describe(alert) + " came while the next answer (" + answers_.front().path +
                             ") was for something else; it got its first button");
        return 0;
    }
    const Scenario::Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.buttonText.empty())
        return static_cast<short>(answer.button);
    for (short button = 0; button < 3; ++button) {
        if (alert.buttons[button].ToUtf8() == answer.buttonText)
            return static_cast<short>(button + 1);
    }
    notes_.push_back(answer.path + ": " + Describe(alert) + " has no button \"" + answer.buttonText +
                     "\"; it got its first button");
    return 0;
}

std::string ScriptedUser::Perform(DG::ModalDialog& dialog, const Scenario::DialogInteraction& interaction) {
    using Kind = Scenario::DialogInteraction::Kind;
    bool done = false;
    std::string what;
    switch (interaction.kind) {
    case Kind::Choose: {
        what = "choose \"" + interaction.text + "\"";
        short item = 0;
        short row = 0;
        done = FindListRow(dialog, interaction.text, &item, &row) && dialog.SelectListItem(item, row);
        break;
    }
    case Kind::Press: {
        what = "press " + interaction.button;
        const short item = FindButtonItem(dialog, interaction.button);
        done = item != 0 && dialog.ClickButton(item);
        break;
    }
    case Kind::Resize:
        what = "resize by " + std::to_string(interaction.dx) + ", " + std::to_string(interaction.dy);
        done = dialog.ResizeBy(static_cast<short>(interaction.dx), static_cast<short>(interaction.dy));
        break;
    case Kind::CloseBox:
        what = "close box";
        done = dialog.PressCloseBox();
        break;
    }
    if (!done) {
        notes_.push_back(interaction.path + ": could not " + what + " in the dialog \"" +
                         dialog.GetTitle().ToUtf8() + "\"");
        what += " (not possible)";
    }
    return what;
}

void ScriptedUser::RunModalDialog(DG::ModalDialog& dialog) {
    DialogRecord record;
    record.step = step_;
    record.resourceId = dialog.GetResourceId();
    record.title = dialog.GetTitle().ToUtf8();
    if (answers_.empty() || !Matches(answers_.front(), dialog)) {
        notes_.push_back("the dialog \"" + record.title + "\" had no prepared answer; it was cancelled");
        dialogs_.push_back(record);
        return;
    }
    const Scenario::Answer answer = answers_.front();
    answers_.pop_front();
    record.answered = true;
    const std::size_t index = dialogs_.size();
    dialogs_.push_back(record);
    for (const Scenario::DialogInteraction& interaction : answer.interactions) {
        if (!dialog.IsOpen()) {
            notes_.push_back(interaction.path + ": the dialog was already closed");
            break;
        }
        const std::string done = Perform(dialog, interaction);
        dialogs_[index].done.push_back(done);
    }
}

} // namespace Run
