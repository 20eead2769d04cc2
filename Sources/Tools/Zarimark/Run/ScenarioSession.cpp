#include "Run/ScenarioSession.hpp"

#include "Check/Expectations.hpp"
#include "DG/UILog.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Report/Reference/StampReference.hpp"
#include "Run/ProjectBuilder.hpp"
#include "Run/StepRunner.hpp"

namespace Run {

ScenarioSession::ScenarioSession(const Scenario::Scenario& scenario, std::string modulePath)
    : scenario_(scenario) {
    record_.description = scenario.description;
    record_.modulePath = std::move(modulePath);
}

ScenarioSession::~ScenarioSession() {
    // The module goes first, while the user is still there for what it shows on its way out.
    host_.reset();
    driverScope_.reset();
}

RunFailure ScenarioSession::Start() {
    GS::ClearDebugLog();
    DG::ClearUILog();
    driverScope_ = std::make_unique<DG::UIDriverScope>(&user_);
    host_ = std::make_unique<Headless::HeadlessHost>();
    // host_ is null while the host goes, as the module may still show something then.
    user_.SetDuringProbe([this] {
        const bool echo = host_ && host_->GetDeliveringBatchOrigin() == Headless::BatchOrigin::AddOnEcho;
        return echo ? ScriptedUser::During::Echo : ScriptedUser::During::Action;
    });
    if (scenario_.echoRoundLimit)
        host_->SetEchoRoundLimit(*scenario_.echoRoundLimit);
    std::string error;
    if (!host_->LoadAddOn(record_.modulePath, &error))
        return RunFailure::OfHost("the add-on module could not be loaded: " + error);
    if (RunFailure failure = BuildProject(*host_, scenario_.project))
        return failure;
    record_.staleAtStart = Report::Reference::FindStaleStamps(*host_);
    return {};
}

RunFailure ScenarioSession::StepFailure(const Scenario::Step& step, const ActionOutcome& outcome,
                                        std::size_t firstException) const {
    if (outcome.failure)
        return outcome.failure;
    if (!user_.GetGaveUpOn().empty())
        return RunFailure::InScenario(
            step.path, user_.GetGaveUpOn() + " kept coming without a prepared answer (more than " +
                           std::to_string(ScriptedUser::UnansweredAlertLimit) +
                           " unanswered alerts); the user took its last button and the run stops");
    // The real host would crash or end the add-on here; nothing after it would be meaningful.
    const std::vector<std::string>& exceptions = host_->GetAddOnExceptions();
    if (exceptions.size() > firstException)
        return RunFailure::OfHost(
            step.path + ": an exception escaped the add-on into the host: " + exceptions[firstException]);
    if (host_->HasUpdateCycle())
        return RunFailure::OfHost(step.path +
                                  ": the host stopped an update cycle: the add-on's own changes were "
                                  "still being reported after " +
                                  std::to_string(host_->GetEchoRoundLimit()) + " rounds");
    return {};
}

RunFailure ScenarioSession::PlayStep(std::size_t index, bool check) {
    const Scenario::Step& step = scenario_.steps[index];
    StepRecord stepRecord;
    stepRecord.index = index;
    stepRecord.path = step.path;
    stepRecord.note = step.note;
    stepRecord.summary = SummarizeAction(step.action);
    stepRecord.undo = step.action.kind == Scenario::ActionKind::Undo;
    stepRecord.firstBatch = host_->GetDeliveredBatches().size();
    stepRecord.firstUiEntry = DG::GetUILog().size();
    stepRecord.firstDebugLine = GS::GetDebugLog().size();
    stepRecord.firstCall = host_->GetCallLog().size();
    const std::size_t firstException = host_->GetAddOnExceptions().size();
    invariants_.BeforeStep(*host_);
    user_.ClearNotes();
    user_.BeginStep(index, step.answers);
    const ActionOutcome outcome = RunAction(*host_, step.action);
    // Right after the action: whatever the runner asks of the host later is not the add-on's doing.
    stepRecord.endCall = host_->GetCallLog().size();
    for (const Scenario::Answer& unused : user_.EndStep())
        stepRecord.unusedAnswers.push_back(unused.path);
    stepRecord.result = outcome.result;
    stepRecord.notes = outcome.notes;
    stepRecord.notes.insert(stepRecord.notes.end(), user_.GetNotes().begin(), user_.GetNotes().end());
    stepRecord.endBatch = host_->GetDeliveredBatches().size();
    stepRecord.endUiEntry = DG::GetUILog().size();
    stepRecord.endDebugLine = GS::GetDebugLog().size();
    stepRecord.staleStamps = Report::Reference::FindStaleStamps(*host_);
    const RunFailure failure = StepFailure(step, outcome, firstException);
    // The report so far is still printed; it should say where and why it ends.
    if (failure)
        stepRecord.notes.push_back("the run stops here: " + failure.ToString());
    record_.steps.push_back(stepRecord);
    // Also for the step that ends the run: an escaped exception is a broken rule of its own.
    const std::vector<Violation> found = invariants_.AfterStep(*host_, record_);
    violations_.insert(violations_.end(), found.begin(), found.end());
    for (std::string& note : invariants_.TakeNotes()) {
        warnings_.push_back(step.path + ": " + note);
        record_.steps.back().notes.push_back(std::move(note));
    }
    if (failure)
        return failure;
    if (check) {
        for (const std::string& path : stepRecord.unusedAnswers)
            warnings_.push_back(path + ": this answer was not used (no such alert or dialog came)");
        CheckExpectations(step.expectations);
    }
    return {};
}

RunFailure ScenarioSession::Begin() {
    std::set<std::string> expectedSilentlyStale;
    const auto allow = [&](const std::vector<Scenario::Expectation>& expectations) {
        for (const Scenario::Expectation& expectation : expectations) {
            if (expectation.shorthand == "silentlyStale")
                for (const std::string& id : expectation.value.get<std::vector<std::string>>())
                    expectedSilentlyStale.insert(id);
        }
    };
    allow(scenario_.expectations);
    for (const Scenario::Step& step : scenario_.steps)
        allow(step.expectations);
    invariants_ = Invariants();
    invariants_.SetExpectedSilentlyStale(std::move(expectedSilentlyStale));
    violations_.clear();
    return Start();
}

RunFailure ScenarioSession::PlayNext(bool check) {
    const std::size_t index = record_.steps.size();
    if (beforeStep_)
        beforeStep_(index);
    return PlayStep(index, check);
}

RunFailure ScenarioSession::Run(bool check) {
    if (RunFailure failure = Begin())
        return failure;
    while (record_.steps.size() < scenario_.steps.size()) {
        if (RunFailure failure = PlayNext(check))
            return failure;
    }
    if (check)
        CheckExpectations(scenario_.expectations);
    return {};
}

void ScenarioSession::CheckExpectations(const std::vector<Scenario::Expectation>& expectations) {
    if (expectations.empty())
        return;
    const std::vector<std::string> failures = Check::CheckExpectations(expectations, BuildReport());
    expectationFailures_.insert(expectationFailures_.end(), failures.begin(), failures.end());
    checkedExpectations_ += expectations.size();
}

Report::Json ScenarioSession::BuildReport() {
    if (!host_)
        return Report::Json::object();
    Report::ReportOptions options = reportOptions_;
    options.calls = options.calls || scenario_.reportCalls;
    return Report::BuildReport(*host_, record_, user_, options);
}

} // namespace Run
