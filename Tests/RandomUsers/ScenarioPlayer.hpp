#ifndef ZARIMARK_TESTS_RANDOMUSERS_SCENARIOPLAYER_HPP
#define ZARIMARK_TESTS_RANDOMUSERS_SCENARIOPLAYER_HPP

#include <memory>
#include <string>
#include <vector>

#include "RandomProject.hpp"
#include "Run/ScenarioSession.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace RandomUsers {

// The system under test: a scenario written one step at a time, each step read back by the
// scenario reader as `zarimark check` reads a file and played by the runner's session against
// the real add-on. A step that breaks a rule every run is held to fails the property.
class ScenarioPlayer {
public:
    ScenarioPlayer(Json project, const std::string& modulePath);
    ScenarioPlayer(const ScenarioPlayer&) = delete;
    ScenarioPlayer& operator=(const ScenarioPlayer&) = delete;

    // The step with each pick {"$pick": n, "$of": kind} replaced by the id of the n-th live element
    // of that kind (modulo their number); null when there is none of a kind. Kinds: "room",
    // "stamp", "label", "element", each on a visible, unlocked layer as the user can select it,
    // and "anyElement".
    Json Resolve(const Json& step) const;
    bool HasApartmentId(const std::string& room) const;
    // The label tool's layer is neither hidden nor locked.
    bool CanUseLabelTool() const;
    // Whether a label placed with the tool's own part becomes a stamp.
    bool LabelToolMakesStamps() const;
    bool IsPaletteVisible() const;
    // The user gave up on an alert that kept coming; nothing more is played.
    bool HasStopped() const { return stopped_; }

    void Play(Json step);
    std::size_t GetStepsPlayed() const { return steps_.size(); }

    // What the played steps reached, to show that the random users exercise the add-on.
    struct Coverage {
        std::size_t alerts = 0;
        std::size_t dialogs = 0;
        std::size_t elementChanges = 0; // the add-on's successful HostChangeElement calls
        std::size_t staleSteps = 0;     // steps after which some stamp was stale
    };
    Coverage GetCoverage() const;

    // The scenario as played so far, without the answers no alert or dialog used.
    Json ToScenario() const;

private:
    std::vector<std::string> LiveElements(const std::string& kind) const;
    std::string Text() const;
    void Fail(const std::string& message) const;

    Json project_;
    Json steps_ = Json::array();
    Scenario::Scenario scenario_; // the session plays from it; steps are appended as they come
    std::unique_ptr<Run::ScenarioSession> session_;
    std::size_t violationsSeen_ = 0;
    bool stopped_ = false;
};

// The scenario and the findings of the last failing case; once shrinking is done, the minimal one.
struct FailureRecord {
    Json scenario;
    std::string findings;
};
FailureRecord& LastFailure();

// On one line what fits in a line, the rest indented, as a person writes a scenario.
std::string FormatScenario(const Json& scenario);

} // namespace RandomUsers

#endif
