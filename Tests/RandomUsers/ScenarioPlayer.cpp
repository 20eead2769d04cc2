#include "ScenarioPlayer.hpp"

#include <algorithm>
#include <sstream>

#include "DG/UILog.hpp"
#include "Report/Reference/ApartmentReference.hpp"
#include "Report/Reference/StampReference.hpp"
#include "Run/PaletteAccess.hpp"
#include "Scenario/ScenarioReader.hpp"

namespace RandomUsers {

namespace {

std::string Issues(const Scenario::ReadResult& read) {
    std::string text;
    for (const Scenario::Issue& issue : read.issues)
        text += "\n  " + issue.ToString();
    return text;
}

bool IsOnUsableLayer(const Headless::HeadlessHost& host, API_AttributeIndex index) {
    const Headless::Layer* layer = host.FindLayer(index);
    return layer == nullptr || (layer->flags & (APILay_Hidden | APILay_Locked)) == 0;
}

// The user selects only what is on a visible, unlocked layer; another member reaches any element.
bool IsKind(const Headless::HeadlessHost& host, const Headless::ElementRecord& record,
            const std::string& kind) {
    if (kind == "anyElement")
        return true;
    if (!IsOnUsableLayer(host, record.element.header.layer))
        return false;
    if (kind == "room")
        return record.GetTypeId() == API_ZoneID;
    if (kind == "stamp")
        return Report::Reference::IsStamp(host, record);
    if (kind == "label")
        return record.GetTypeId() == API_LabelID;
    return kind == "element";
}

bool IsPick(const Json& value) {
    return value.is_object() && value.contains("$pick");
}

// "steps[3].answers[2]" -> 2
std::size_t AnswerIndex(const std::string& path) {
    const std::size_t open = path.rfind('[');
    return open == std::string::npos ? 0 : std::stoul(path.substr(open + 1));
}

constexpr std::size_t LineWidth = 110;

// An element or a step stays on one line, however long.
void Write(const Json& value, const std::string& indent, std::ostream& out) {
    const std::string compact = value.dump(-1, ' ', false);
    const bool item = indent.size() >= 6;
    if (!value.is_structured() || value.empty() || item || indent.size() + compact.size() <= LineWidth) {
        // nlohmann writes no blanks; a person does.
        std::string spaced;
        bool inText = false;
        for (std::size_t i = 0; i < compact.size(); ++i) {
            const char c = compact[i];
            spaced += c;
            if (c == '"' && (i == 0 || compact[i - 1] != '\\'))
                inText = !inText;
            if (!inText && (c == ',' || c == ':'))
                spaced += ' ';
        }
        out << spaced;
        return;
    }
    const std::string inner = indent + "  ";
    const bool object = value.is_object();
    out << (object ? "{" : "[");
    for (auto item = value.begin(); item != value.end(); ++item) {
        out << (item == value.begin() ? "\n" : ",\n") << inner;
        if (object)
            out << Json(item.key()).dump() << ": ";
        Write(item.value(), inner, out);
    }
    out << "\n" << indent << (object ? "}" : "]");
}

} // namespace

ScenarioPlayer::ScenarioPlayer(Json project, const std::string& modulePath) : project_(std::move(project)) {
    const Scenario::ReadResult read = Scenario::ReadScenarioText(Text());
    if (!read.scenario)
        Fail("the generated project is no valid scenario:" + Issues(read));
    scenario_ = *read.scenario;
    session_ = std::make_unique<Run::ScenarioSession>(scenario_, modulePath);
    if (const Run::RunFailure failure = session_->Begin())
        Fail("the project could not be laid out: " + failure.ToString());
    Play({{"action", "openProject"}});
}

std::vector<std::string> ScenarioPlayer::LiveElements(const std::string& kind) const {
    const Headless::HeadlessHost& host = session_->GetHost();
    std::vector<std::string> names;
    for (const auto& [serial, record] : host.GetProject().elements) {
        if (IsKind(host, record, kind))
            names.push_back(record.name);
    }
    return names;
}

Json ScenarioPlayer::Resolve(const Json& step) const {
    if (IsPick(step)) {
        const std::vector<std::string> names = LiveElements(step["$of"]);
        if (names.empty())
            return nullptr;
        return names[step["$pick"].get<std::size_t>() % names.size()];
    }
    if (!step.is_structured())
        return step;
    Json resolved = step.is_object() ? Json::object() : Json::array();
    for (auto item = step.begin(); item != step.end(); ++item) {
        Json value = Resolve(item.value());
        if (value.is_null() && !item.value().is_null())
            return nullptr;
        // A list of elements names each once.
        if (step.is_object())
            resolved[item.key()] = std::move(value);
        else if (!IsPick(item.value()) ||
                 std::find(resolved.begin(), resolved.end(), value) == resolved.end())
            resolved.push_back(std::move(value));
    }
    return resolved;
}

bool ScenarioPlayer::HasApartmentId(const std::string& room) const {
    const Headless::ElementRecord* record = session_->GetHost().FindElementByName(room);
    return record != nullptr &&
           Report::Reference::TextParameter(record->parameters, Report::Reference::RoomApartmentIdName);
}

bool ScenarioPlayer::CanUseLabelTool() const {
    const Headless::HeadlessHost& host = session_->GetHost();
    return IsOnUsableLayer(host, host.GetLabelDefaults().element.header.layer);
}

bool ScenarioPlayer::LabelToolMakesStamps() const {
    const Headless::HeadlessHost& host = session_->GetHost();
    const Headless::LibPartRecord* part = host.FindLibraryPart(host.GetLabelDefaults().element.label.libInd);
    return part != nullptr && part->desc.name == GS::UniString(Report::Reference::StampPartName);
}

bool ScenarioPlayer::IsPaletteVisible() const {
    const DG::Palette* palette = Run::FindCheckPalette();
    return palette != nullptr && palette->IsVisible();
}

std::string ScenarioPlayer::Text() const {
    Json scenario = {{"description", "a random user"}, {"project", project_}, {"steps", steps_}};
    return scenario.dump();
}

void ScenarioPlayer::Fail(const std::string& message) const {
    LastFailure() = {ToScenario(), message};
    RC_FAIL(message);
}

void ScenarioPlayer::Play(Json step) {
    if (stopped_)
        return;
    steps_.push_back(std::move(step));
    const Scenario::ReadResult read = Scenario::ReadScenarioText(Text());
    if (!read.scenario)
        Fail("the generator wrote a step the scenario reader refuses:" + Issues(read));
    scenario_.steps.push_back(read.scenario->steps.back());
    const Run::RunFailure failure = session_->PlayNext(false);
    std::string findings;
    const std::vector<Run::Violation>& violations = session_->GetViolations();
    for (; violationsSeen_ < violations.size(); ++violationsSeen_)
        findings += "\n  " + violations[violationsSeen_].path + ": " + violations[violationsSeen_].message;
    stopped_ = static_cast<bool>(failure);
    if (failure.kind == Run::RunFailure::Kind::Host)
        findings += "\n  " + failure.ToString();
    if (!findings.empty())
        Fail("broken rules:" + findings);
    // A user who keeps granting a reservation that cannot succeed; a real one would cancel.
    const bool gaveUp = failure.message.find("without a prepared answer") != std::string::npos;
    if (failure.kind == Run::RunFailure::Kind::Scenario && !gaveUp)
        Fail("the generator wrote a step that cannot run: " + failure.ToString());
}

ScenarioPlayer::Coverage ScenarioPlayer::GetCoverage() const {
    Coverage coverage;
    for (const DG::UILogEntry& entry : DG::GetUILog()) {
        coverage.alerts += entry.kind == DG::UILogKind::Alert ? 1 : 0;
        coverage.dialogs += entry.kind == DG::UILogKind::DialogOpened ? 1 : 0;
    }
    for (const Headless::CallLogEntry& call : session_->GetHost().GetCallLog())
        coverage.elementChanges += call.operation == "HostChangeElement" && call.result == NoError ? 1 : 0;
    for (const Run::StepRecord& step : session_->GetRecord().steps)
        coverage.staleSteps += step.staleStamps.empty() ? 0 : 1;
    return coverage;
}

Json ScenarioPlayer::ToScenario() const {
    Json steps = steps_;
    if (session_) {
        const std::vector<Run::StepRecord>& played = session_->GetRecord().steps;
        for (std::size_t i = 0; i < played.size() && i < steps.size(); ++i) {
            std::vector<std::size_t> unused;
            for (const std::string& path : played[i].unusedAnswers)
                unused.push_back(AnswerIndex(path));
            std::sort(unused.rbegin(), unused.rend());
            for (std::size_t index : unused)
                steps[i]["answers"].erase(index);
            if (steps[i].contains("answers") && steps[i]["answers"].empty())
                steps[i].erase("answers");
        }
    }
    return {{"description", "a random user's steps that break a rule (Tests/RandomUsers)"},
            {"project", project_},
            {"steps", steps}};
}

FailureRecord& LastFailure() {
    static FailureRecord record;
    return record;
}

std::string FormatScenario(const Json& scenario) {
    std::ostringstream out;
    Write(scenario, "", out);
    out << "\n";
    return out.str();
}

} // namespace RandomUsers
