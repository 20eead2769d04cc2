#include "Run/Invariants.hpp"

#include <algorithm>
#include <initializer_list>
#include <map>

#include "DG/UILog.hpp"
#include "Report/ReportBuilder.hpp"
#include "ResourceIds.hpp"

namespace Run {

namespace {

Int64 UnreleasedMemos(const Headless::HeadlessHost& host) {
    return host.GetOutstandingMemoCount() - host.GetReleaseAttemptedMemoCount();
}

bool Failed(const Headless::CallLogEntry& entry) {
    return entry.result != NoError || entry.injected;
}

// The user agreed, in this step, to have the add-on reserve rooms or stamps for its change.
bool UserAgreedToReserve(const StepRecord& step) {
    const std::vector<DG::UILogEntry> log = DG::GetUILog();
    for (std::size_t i = step.firstUiEntry; i < step.endUiEntry && i < log.size(); ++i) {
        const DG::AlertRecord& alert = log[i].alert;
        if (log[i].kind == DG::UILogKind::Alert && alert.answer == 1 &&
            (alert.id == ZM_ALERT_ROOMS_NOT_RESERVED || alert.id == ZM_ALERT_STAMPS_NOT_RESERVED))
            return true;
    }
    return false;
}

// The host calls by which the add-on reads and puts back a setting. When one of them failed, the
// add-on goes on without it by design (a failed query leaves its initial value, a failed call
// leaves that one obstacle), so what is left changed is the host's doing.
bool AnyFailed(const std::vector<Headless::CallLogEntry>& log, const StepRecord& step,
               std::initializer_list<const char*> operations) {
    for (std::size_t i = step.firstCall; i < step.endCall && i < log.size(); ++i) {
        for (const char* operation : operations) {
            if (log[i].operation == operation && Failed(log[i]))
                return true;
        }
    }
    return false;
}

bool RestoreFailed(const Headless::HeadlessHost& host, const StepRecord& step,
                   Headless::EditStateChange::Setting setting) {
    using Setting = Headless::EditStateChange::Setting;
    if (setting == Setting::Layer || setting == Setting::LayerCombination)
        return AnyFailed(host.GetCallLog(), step,
                         {"HostGetLayerCombination", "HostSetLayerCombination", "HostGetAttribute",
                          "HostModifyAttribute"});
    return AnyFailed(host.GetCallLog(), step, {"HostIsSuspendGroupOn", "HostApplyElementTool"});
}

} // namespace

std::vector<std::pair<API_Guid, API_Guid>> FindHalfLinks(const Headless::HeadlessHost& host) {
    std::vector<std::pair<API_Guid, API_Guid>> halves;
    for (const auto& [serial, element] : host.GetProject().elements) {
        for (const API_Guid& to : element.links) {
            const Headless::ElementRecord* partner = host.FindElement(to);
            if (partner != nullptr && std::find(partner->links.begin(), partner->links.end(),
                                                element.GetGuid()) == partner->links.end())
                halves.emplace_back(element.GetGuid(), to);
        }
    }
    return halves;
}

void Invariants::BeforeStep(Headless::HeadlessHost& host) {
    exceptions_ = host.GetAddOnExceptions().size();
    unreleasedMemos_ = UnreleasedMemos(host);
    editStateChanges_ = host.GetEditStateChanges().size();
    halfLinks_ = FindHalfLinks(host);
    host.ClearElementWrites();
}

std::vector<Violation> Invariants::AfterStep(const Headless::HeadlessHost& host,
                                             const SessionRecord& record) {
    const StepRecord& step = record.steps.back();
    step_ = step.index;
    path_ = step.path;
    std::vector<Violation> found;
    CheckException(host, found);
    CheckMemos(host, found);
    CheckEditState(host, step, found);
    CheckHalfLinks(host, step, found);
    CheckSilentlyStale(host, record, found);
    CheckWorkspace(host, step, found);
    return found;
}

void Invariants::Add(std::vector<Violation>& found, Violation::Kind kind, std::string message) const {
    found.push_back(Violation{kind, step_, path_, std::move(message)});
}

void Invariants::CheckException(const Headless::HeadlessHost& host, std::vector<Violation>& found) const {
    const std::vector<std::string>& exceptions = host.GetAddOnExceptions();
    for (std::size_t i = exceptions_; i < exceptions.size(); ++i)
        Add(found, Violation::Kind::Exception,
            "an exception escaped the add-on into the host: " + exceptions[i]);
}

void Invariants::CheckMemos(const Headless::HeadlessHost& host, std::vector<Violation>& found) const {
    const Int64 unreleased = UnreleasedMemos(host);
    if (unreleased <= unreleasedMemos_)
        return;
    const Int64 leaked = unreleased - unreleasedMemos_;
    Add(found, Violation::Kind::LeakedMemo,
        std::to_string(leaked) + (leaked == 1 ? " memo" : " memos") +
            " the host handed out in this step never went back to HostDisposeElementMemo (" +
            std::to_string(host.GetOutstandingMemoCount()) + " outstanding in all)");
}

void Invariants::CheckEditState(const Headless::HeadlessHost& host, const StepRecord& step,
                                std::vector<Violation>& found) const {
    const std::vector<Headless::EditStateChange>& changes = host.GetEditStateChanges();
    for (std::size_t i = editStateChanges_; i < changes.size(); ++i) {
        if (RestoreFailed(host, step, changes[i].setting))
            continue;
        Add(found, Violation::Kind::UnrestoredState,
            changes[i].what + " was " + changes[i].before + " when the host called the add-on and " +
                changes[i].after + " when the call returned; only the user changes it");
    }
}

// A half link the add-on's own link calls made in this step breaks the rule, unless the call that
// would have completed or undone the pair failed: the add-on then stops by design and the links
// made so far stay. A half link that came back without a link call (an undo) is the user's.
void Invariants::CheckHalfLinks(const Headless::HeadlessHost& host, const StepRecord& step,
                                std::vector<Violation>& found) const {
    const std::vector<Headless::CallLogEntry>& log = host.GetCallLog();
    for (const HalfLink& half : FindHalfLinks(host)) {
        if (std::find(halfLinks_.begin(), halfLinks_.end(), half) != halfLinks_.end())
            continue;
        const std::string from = host.GetElementName(half.first);
        const std::string to = host.GetElementName(half.second);
        const std::string forward = from + ", " + to;
        const std::string backward = to + ", " + from;
        bool touched = false;
        bool explained = false;
        for (std::size_t i = step.firstCall; i < step.endCall && i < log.size() && !explained; ++i) {
            const Headless::CallLogEntry& entry = log[i];
            const bool link = entry.operation == "HostLinkElements";
            if (!link && entry.operation != "HostUnlinkElements")
                continue;
            touched = touched || entry.arguments == forward || entry.arguments == backward;
            explained = Failed(entry) && entry.arguments == (link ? backward : forward);
        }
        if (touched && !explained)
            Add(found, Violation::Kind::HalfLink,
                from + " -> " + to + " has no partner " + to + " -> " + from +
                    ", and no failed link or unlink call of the add-on in this step explains it");
    }
}

// Only a stale stamp not told of yet can be new, so the status is computed only then.
void Invariants::CheckSilentlyStale(const Headless::HeadlessHost& host, const SessionRecord& record,
                                    std::vector<Violation>& found) {
    const std::vector<API_Guid>& stale = record.steps.back().staleStamps;
    const bool anyNew = std::any_of(stale.begin(), stale.end(), [&](const API_Guid& stamp) {
        const std::string id = Report::NameOf(host, stamp);
        return expectedSilentlyStale_.count(id) == 0 && toldSilentlyStale_.count(id) == 0;
    });
    if (!anyNew)
        return;
    const Report::Json status = Report::StampStatusJson(host, record);
    for (auto entry = status.begin(); entry != status.end(); ++entry) {
        const std::string& id = entry.key();
        if (!entry.value()["silentlyStale"].get<bool>() || expectedSilentlyStale_.count(id) != 0 ||
            !toldSilentlyStale_.insert(id).second)
            continue;
        // An undo puts a stamp back as it was before the undone step, when it was wrong and the user
        // had been told; the host tells the add-on nothing of undo, so it cannot list it again.
        if (record.steps.back().undo && entry.value()["staleSince"] == Report::Json(step_)) {
            notes_.push_back(
                id + " shows old values again after the undo: " + Report::StaleSummary(entry.value()) +
                "; the add-on is not told of undo, \"Update All Stamps\" repairs it");
            continue;
        }
        Add(found, Violation::Kind::SilentlyStale,
            id + " is silently stale: " + Report::StaleSummary(entry.value()) +
                ", the palette does not list it and no alert told the user (if the scenario means it, "
                "expect {\"silentlyStale\": [\"" +
                id + "\"]})");
    }
}

void Invariants::CheckWorkspace(const Headless::HeadlessHost& host, const StepRecord& step,
                                std::vector<Violation>& found) const {
    std::map<std::string, std::vector<std::string>> operationsOf; // by element name
    std::vector<std::string> order;                               // of their first write
    for (const Headless::ElementWrite& write : host.GetElementWrites()) {
        if (!write.outsideWorkspace)
            continue;
        std::vector<std::string>& operations = operationsOf[write.elementName];
        if (operations.empty())
            order.push_back(write.elementName);
        if (std::find(operations.begin(), operations.end(), write.operation) == operations.end())
            operations.push_back(write.operation);
    }
    if (order.empty() || UserAgreedToReserve(step))
        return;
    for (const std::string& element : order) {
        std::string operations;
        for (const std::string& operation : operationsOf[element])
            operations += (operations.empty() ? "" : ", ") + operation;
        Add(found, Violation::Kind::WriteOutsideWorkspace,
            "the add-on changed " + element + " (" + operations +
                "), which was outside the user's Teamwork workspace when the step began, and the user "
                "agreed to no reservation in this step (alert 31010 or 31011 answered with its first "
                "button)");
    }
}

} // namespace Run
