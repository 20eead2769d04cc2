#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

std::optional<DialogInteraction> ReadInteraction(const Json& value, const std::string& path,
                                                 Diagnostics& diagnostics) {
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return std::nullopt;
    if (value.size() != 1) {
        diagnostics.Add(
            path, "a dialog interaction has exactly one of \"choose\", \"chooseRow\", \"press\", \"resize\", "
                  "\"closeBox\"");
        reader.AllowAll();
        return std::nullopt;
    }
    DialogInteraction interaction;
    interaction.path = path;
    if (reader.Has("choose")) {
        interaction.kind = DialogInteraction::Kind::Choose;
        interaction.text = reader.String("choose").value_or("");
    } else if (reader.Has("chooseRow")) {
        // Rows count as the user counts them: the first is 1.
        interaction.kind = DialogInteraction::Kind::ChooseRow;
        interaction.row = static_cast<std::int32_t>(reader.Integer("chooseRow", 1, 32767).value_or(1));
    } else if (reader.Has("press")) {
        interaction.kind = DialogInteraction::Kind::Press;
        interaction.button = reader.String("press").value_or("");
        if (interaction.button != "OK" && interaction.button != "Cancel")
            diagnostics.Add(reader.PathOf("press"), "expected \"OK\" or \"Cancel\"");
    } else if (reader.Has("resize")) {
        interaction.kind = DialogInteraction::Kind::Resize;
        const Point change = reader.PointField("resize").value_or(Point{});
        interaction.dx = static_cast<std::int32_t>(change.x);
        interaction.dy = static_cast<std::int32_t>(change.y);
    } else if (reader.Has("closeBox")) {
        interaction.kind = DialogInteraction::Kind::CloseBox;
        if (reader.Bool("closeBox") != std::optional<bool>(true))
            diagnostics.Add(reader.PathOf("closeBox"), "expected true");
    }
    reader.Finish();
    return interaction;
}

void ReadAlertAnswer(ObjectReader& reader, Answer& answer) {
    answer.kind = Answer::Kind::Alert;
    const Json* alert = reader.Get("alert");
    if (alert->is_string())
        answer.alertText = alert->get<std::string>();
    else
        answer.alertId = static_cast<std::int32_t>(
            ReadInteger(*alert, reader.PathOf("alert"), reader.GetDiagnostics(), 0, 32767).value_or(0));
    if (const Json* button = reader.Get("button")) {
        if (button->is_string())
            answer.buttonText = button->get<std::string>();
        else
            answer.button = static_cast<std::int32_t>(
                ReadInteger(*button, reader.PathOf("button"), reader.GetDiagnostics(), 1, 3).value_or(1));
    }
}

void ReadDialogAnswer(ObjectReader& reader, Answer& answer) {
    answer.kind = Answer::Kind::Dialog;
    const Json* dialog = reader.Get("dialog");
    if (dialog->is_string())
        answer.dialogTitle = dialog->get<std::string>();
    else
        answer.dialogId = static_cast<std::int32_t>(
            ReadInteger(*dialog, reader.PathOf("dialog"), reader.GetDiagnostics(), 0, 32767).value_or(0));
    const Json* steps = reader.Get("do", true);
    if (steps == nullptr)
        return;
    if (!steps->is_array()) {
        reader.GetDiagnostics().Add(reader.PathOf("do"),
                                    "expected an array of interactions, found " + DescribeType(*steps));
        return;
    }
    for (std::size_t i = 0; i < steps->size(); ++i) {
        if (auto interaction =
                ReadInteraction((*steps)[i], IndexPath(reader.PathOf("do"), i), reader.GetDiagnostics()))
            answer.interactions.push_back(*interaction);
    }
}

} // namespace

std::vector<Answer> ReadAnswers(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    std::vector<Answer> answers;
    if (!value.is_array()) {
        diagnostics.Add(path, "expected an array of answers, found " + DescribeType(value));
        return answers;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        ObjectReader reader(value[i], IndexPath(path, i), diagnostics);
        if (!reader.IsObject())
            continue;
        Answer answer;
        answer.path = reader.GetPath();
        if (reader.Has("alert") == reader.Has("dialog")) {
            diagnostics.Add(answer.path, "an answer has either \"alert\" or \"dialog\"");
            reader.AllowAll();
            continue;
        }
        if (reader.Has("alert"))
            ReadAlertAnswer(reader, answer);
        else
            ReadDialogAnswer(reader, answer);
        reader.Finish();
        answers.push_back(std::move(answer));
    }
    return answers;
}

} // namespace Scenario
