#ifndef ZARIMARK_RUN_SCENARIOSESSION_HPP
#define ZARIMARK_RUN_SCENARIOSESSION_HPP

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DG/UIDriver.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Report/ReportBuilder.hpp"
#include "Run/Invariants.hpp"
#include "Run/RunFailure.hpp"
#include "Run/ScriptedUser.hpp"
#include "Run/SessionRecord.hpp"
#include "Run/StepRunner.hpp"
#include "Run/Violation.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Run {

// One run of a scenario: loads the module into a fresh headless host, lays out the project,
// plays the steps and keeps the host alive for the report and the plan.
class ScenarioSession {
public:
    ScenarioSession(const Scenario::Scenario& scenario, std::string modulePath);
    ~ScenarioSession();
    ScenarioSession(const ScenarioSession&) = delete;
    ScenarioSession& operator=(const ScenarioSession&) = delete;

    // Plays everything; stops at the first failure. With `check`, expectations are tested after
    // their step (and at the end) and unused answers give warnings; what they found before a
    // failure is kept.
    RunFailure Run(bool check);
    // Run() in parts, for a caller that writes the steps as it goes (a random user): Begin() lays
    // out the project, PlayNext() plays the first step not played yet, appended to the scenario
    // meanwhile. Nothing may be played after a failure.
    RunFailure Begin();
    RunFailure PlayNext(bool check);
    // The steps that were started, the failed one included.
    std::size_t GetStepsPlayed() const { return record_.steps.size(); }
    std::size_t GetCheckedExpectationCount() const { return checkedExpectations_; }

    const std::vector<std::string>& GetExpectationFailures() const { return expectationFailures_; }
    const std::vector<std::string>& GetWarnings() const { return warnings_; }
    // Every rule a step broke (Run/Invariants.hpp), in run and check alike; a stamp that a
    // "silentlyStale" expectation of the scenario names is not held silently stale.
    const std::vector<Violation>& GetViolations() const { return violations_; }
    // The steps played, each with its ranges of the host's logs.
    const SessionRecord& GetRecord() const { return record_; }
    // Also for the reports that expectations are checked against.
    void SetReportOptions(const Report::ReportOptions& options) { reportOptions_ = options; }
    // Called with each step's index before the step is played, the host ready for it: the sweep
    // plans its faults there.
    void SetBeforeStep(std::function<void(std::size_t)> hook) { beforeStep_ = std::move(hook); }
    Report::Json BuildReport();
    Headless::HeadlessHost& GetHost() { return *host_; }

private:
    RunFailure Start();
    RunFailure PlayStep(std::size_t index, bool check);
    RunFailure StepFailure(const Scenario::Step& step, const ActionOutcome& outcome,
                           std::size_t firstException) const;
    void CheckExpectations(const std::vector<Scenario::Expectation>& expectations);

    const Scenario::Scenario& scenario_;
    SessionRecord record_;
    ScriptedUser user_;
    std::unique_ptr<Headless::HeadlessHost> host_;
    std::unique_ptr<DG::UIDriverScope> driverScope_;
    Report::ReportOptions reportOptions_;
    std::function<void(std::size_t)> beforeStep_;
    std::size_t checkedExpectations_ = 0;
    std::vector<std::string> expectationFailures_;
    std::vector<std::string> warnings_;
    Invariants invariants_;
    std::vector<Violation> violations_;
};

} // namespace Run

#endif
