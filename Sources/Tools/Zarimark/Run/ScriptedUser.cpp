#include "Run/ScriptedUser.hpp"

#include "DG/ListBox.hpp"
#include "DG/ModalDialog.hpp"
#include "DG/UILog.hpp"

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

// A list row as the report quotes it: "A1", or "1.01", "Living" for several columns.
std::string RowText(const std::vector<std::string>& row) {
    std::string text;
    for (const std::string& cell : row)
        text += (text.empty() ? "\"" : ", \"") + cell + "\"";
    return text;
}

// Usually the one that declines.
short LastButton(const DG::AlertRecord& alert) {
    short last = 1;
    for (short button = 2; button <= 3; ++button)
        last = alert.buttons[button - 1].IsEmpty() ? last : button;
    return last;
}

// The first list of the panel; 0 when it has none.
short FirstList(const DG::Panel& panel) {
    for (short item = 1; item <= panel.GetItemCount(); ++item) {
        RS::ItemKind kind;
        if (panel.GetItemKind(item, &kind) && kind == RS::ItemKind::SingleSelList)
            return item;
    }
    return 0;
}

// The alerts that came since UI log entry `from`, as " -> alert 31020 answered 1".
std::string AlertsSince(std::size_t from) {
    std::string text;
    const std::vector<DG::UILogEntry> log = DG::GetUILog();
    for (std::size_t i = from; i < log.size(); ++i) {
        if (log[i].kind == DG::UILogKind::Alert)
            text += " -> " + Describe(log[i].alert) + " answered " + std::to_string(log[i].alert.answer);
    }
    return text;
}

// Where the innermost dialog that is open now was opened.
std::size_t LastOpening() {
    const std::vector<DG::UILogEntry> log = DG::GetUILog();
    for (std::size_t i = log.size(); i-- > 0;) {
        if (log[i].kind == DG::UILogKind::DialogOpened)
            return i;
    }
    return 0;
}

} // namespace

void ScriptedUser::BeginStep(std::size_t step, const std::vector<Scenario::Answer>& answers) {
    step_ = step;
    unanswered_ = 0;
    gaveUpOn_.clear();
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

ScriptedUser::During ScriptedUser::Now() const {
    return duringProbe_ ? duringProbe_() : During::Action;
}

std::optional<ScriptedUser::During> ScriptedUser::DuringOf(std::size_t entry) const {
    for (const MetAlert& alert : alerts_) {
        if (alert.entry == entry)
            return alert.during;
    }
    for (const DialogRecord& dialog : dialogs_) {
        if (dialog.openedEntry == entry)
            return dialog.during;
    }
    return std::nullopt;
}

short ScriptedUser::AnswerAlert(const DG::AlertRecord& alert) {
    // The alert is logged right after its answer.
    alerts_.push_back({DG::GetUILogSize(), Now()});
    if (!gaveUpOn_.empty())
        return LastButton(alert);
    if (answers_.empty() || !Matches(answers_.front(), alert)) {
        if (++unanswered_ > UnansweredAlertLimit) {
            gaveUpOn_ = Describe(alert);
            return LastButton(alert);
        }
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
    case Kind::ChooseRow: {
        what = "choose row " + std::to_string(interaction.row);
        const short list = FirstList(dialog);
        const std::vector<std::vector<std::string>> rows =
            list != 0 ? ReadListRows(dialog, list) : std::vector<std::vector<std::string>>{};
        if (interaction.row >= 1 && static_cast<std::size_t>(interaction.row) <= rows.size()) {
            what += " (" + RowText(rows[static_cast<std::size_t>(interaction.row) - 1]) + ")";
            done = dialog.SelectListItem(list, static_cast<short>(interaction.row));
        }
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

void ScriptedUser::RecordLeft(DG::ModalDialog& dialog, DialogRecord& record) const {
    if (const short list = FirstList(dialog)) {
        const DG::ListBox box(dialog, list);
        if (const short row = box.GetSelectedItem())
            record.selected = ReadListRows(dialog, list).at(static_cast<std::size_t>(row - 1));
    }
    record.width = dialog.GetWidth();
    record.height = dialog.GetHeight();
    record.items = ReadItemGeometry(dialog, 1, dialog.GetItemCount());
}

void ScriptedUser::RunModalDialog(DG::ModalDialog& dialog) {
    DialogRecord record;
    record.step = step_;
    record.openedEntry = LastOpening();
    record.during = Now();
    record.resourceId = dialog.GetResourceId();
    record.title = dialog.GetTitle().ToUtf8();
    record.prompt = ReadStaticText(dialog);
    if (const short list = FirstList(dialog))
        record.rows = ReadListRows(dialog, list);
    if (answers_.empty() || !Matches(answers_.front(), dialog)) {
        notes_.push_back("the dialog \"" + record.title + "\" had no prepared answer; it was cancelled");
        RecordLeft(dialog, record);
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
        const std::size_t before = DG::GetUILog().size();
        const std::string done = Perform(dialog, interaction);
        dialogs_[index].done.push_back(done + AlertsSince(before));
        if (interaction.kind == Scenario::DialogInteraction::Kind::Resize &&
            done.find("(not possible)") == std::string::npos)
            dialogs_[index].resized = true;
    }
    RecordLeft(dialog, dialogs_[index]);
}

} // namespace Run
