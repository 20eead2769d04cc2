#ifndef ZARIMARK_RUN_INVARIANTS_HPP
#define ZARIMARK_RUN_INVARIANTS_HPP

#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Run/SessionRecord.hpp"
#include "Run/Violation.hpp"

namespace Run {

// The rules every step of every run is held to, whatever the scenario expects. Each compares the
// host after the step with the host before it, so that what the project brought with it (a
// broken link, a leaked memo of an earlier step) is not held against the step again.
class Invariants {
public:
    // Stamps the scenario means to leave silently stale (its "silentlyStale" expectations).
    void SetExpectedSilentlyStale(std::set<std::string> ids) { expectedSilentlyStale_ = std::move(ids); }

    // Right before the step's action; starts the host's log of element writes anew.
    void BeforeStep(Headless::HeadlessHost& host);
    // Right after it, with the step's record last in `record`.
    std::vector<Violation> AfterStep(const Headless::HeadlessHost& host, const SessionRecord& record);
    // What the last step did that breaks no rule but the user should hear of; taken once.
    std::vector<std::string> TakeNotes() { return std::exchange(notes_, {}); }

private:
    using HalfLink = std::pair<API_Guid, API_Guid>; // from -> to, without to -> from

    void CheckException(const Headless::HeadlessHost& host, std::vector<Violation>& found) const;
    void CheckMemos(const Headless::HeadlessHost& host, std::vector<Violation>& found) const;
    void CheckEditState(const Headless::HeadlessHost& host, const StepRecord& step,
                        std::vector<Violation>& found) const;
    void CheckHalfLinks(const Headless::HeadlessHost& host, const StepRecord& step,
                        std::vector<Violation>& found) const;
    void CheckSilentlyStale(const Headless::HeadlessHost& host, const SessionRecord& record,
                            std::vector<Violation>& found);
    void CheckWorkspace(const Headless::HeadlessHost& host, const StepRecord& step,
                        std::vector<Violation>& found) const;
    void Add(std::vector<Violation>& found, Violation::Kind kind, std::string message) const;

    std::set<std::string> expectedSilentlyStale_;
    std::set<std::string> toldSilentlyStale_; // each stamp is told once
    std::size_t step_ = 0;
    std::string path_;
    std::size_t exceptions_ = 0;
    Int64 unreleasedMemos_ = 0;
    std::size_t editStateChanges_ = 0;
    std::vector<HalfLink> halfLinks_;
    std::vector<std::string> notes_;
};

// Each link between two live elements whose partner link is missing, in creation order.
std::vector<std::pair<API_Guid, API_Guid>> FindHalfLinks(const Headless::HeadlessHost& host);

} // namespace Run

#endif
