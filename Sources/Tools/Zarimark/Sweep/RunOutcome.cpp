#include "Sweep/RunOutcome.hpp"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace Sweep {

namespace {

using Json = nlohmann::json;

struct FindingNames {
    const char* name;
    const char* slug;
};

constexpr std::array<FindingNames, FindingCount> Names = {{
    {"crash", "crash"},
    {"leaked memo", "leaked-memo"},
    {"unrestored state", "unrestored-state"},
    {"half link", "half-link"},
    {"silently stale stamp", "silently-stale"},
    {"write outside the workspace", "outside-workspace"},
}};

} // namespace

Finding FindingOf(Run::Violation::Kind kind) {
    switch (kind) {
    case Run::Violation::Kind::Exception:
        return Finding::Crash;
    case Run::Violation::Kind::LeakedMemo:
        return Finding::LeakedMemo;
    case Run::Violation::Kind::UnrestoredState:
        return Finding::UnrestoredState;
    case Run::Violation::Kind::HalfLink:
        return Finding::HalfLink;
    case Run::Violation::Kind::SilentlyStale:
        return Finding::SilentlyStale;
    case Run::Violation::Kind::WriteOutsideWorkspace:
        return Finding::WriteOutsideWorkspace;
    }
    return Finding::Crash;
}

const char* FindingName(Finding finding) {
    return Names[static_cast<std::size_t>(finding)].name;
}

const char* FindingSlug(Finding finding) {
    return Names[static_cast<std::size_t>(finding)].slug;
}

bool RunOutcome::Has(Finding finding) const {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const Problem& problem) { return problem.finding == finding; });
}

std::string Encode(const RunOutcome& outcome) {
    Json problems = Json::array();
    for (const Problem& problem : outcome.problems)
        problems.push_back({{"finding", static_cast<int>(problem.finding)},
                            {"step", problem.step},
                            {"path", problem.path},
                            {"message", problem.message}});
    return Json{{"hit", outcome.hit},
                {"stoppedEarly", outcome.stoppedEarly},
                {"moduleFailure", outcome.moduleFailure},
                {"problems", problems},
                {"calls", outcome.calls}}
        .dump();
}

bool Decode(const std::string& text, RunOutcome& outcome) {
    const Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object())
        return false;
    try {
        outcome.hit = json.at("hit").get<bool>();
        outcome.stoppedEarly = json.at("stoppedEarly").get<std::string>();
        outcome.moduleFailure = json.at("moduleFailure").get<std::string>();
        outcome.calls = json.at("calls").get<CallsByStep>();
        outcome.problems.clear();
        for (const Json& problem : json.at("problems")) {
            const int finding = problem.at("finding").get<int>();
            if (finding < 0 || finding >= static_cast<int>(FindingCount))
                return false;
            outcome.problems.push_back({static_cast<Finding>(finding), problem.at("step").get<std::size_t>(),
                                        problem.at("path").get<std::string>(),
                                        problem.at("message").get<std::string>()});
        }
    } catch (const Json::exception&) {
        return false;
    }
    return true;
}

RunOutcome Crashed(std::size_t step, const std::string& how) {
    RunOutcome outcome;
    outcome.problems.push_back({Finding::Crash, step, "", "the run " + how});
    return outcome;
}

} // namespace Sweep
