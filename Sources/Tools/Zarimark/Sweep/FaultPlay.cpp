#include "Sweep/FaultPlay.hpp"

#include <optional>

#include <nlohmann/json.hpp>
#include <unistd.h>

#include "Run/ScenarioSession.hpp"
#include "Sweep/ChildPool.hpp"

namespace Sweep {

namespace {

// What the session found: the rules broken, and why the run ended early, if it did.
RunOutcome Observe(Run::ScenarioSession& session, const Run::RunFailure& failure) {
    RunOutcome outcome;
    for (const Run::Violation& violation : session.GetViolations())
        outcome.problems.push_back(
            {FindingOf(violation.kind), violation.step, violation.path, violation.message});
    if (failure.kind == Run::RunFailure::Kind::Scenario) {
        // A fault may well leave out what a later step names (a stamp never made).
        outcome.stoppedEarly = failure.ToString();
    } else if (failure.kind == Run::RunFailure::Kind::Host) {
        Headless::HeadlessHost& host = session.GetHost();
        const std::size_t played = session.GetStepsPlayed();
        const std::size_t step = played > 0 ? played - 1 : 0;
        // An escaped exception is a violation of its own already.
        if (host.HasUpdateCycle())
            outcome.problems.push_back({Finding::Crash, step, failure.path, failure.ToString()});
        else if (host.GetAddOnExceptions().empty())
            outcome.moduleFailure = failure.ToString();
    }
    return outcome;
}

} // namespace

RunOutcome PlayClean(const Scenario::Scenario& scenario, const std::string& modulePath) {
    Run::ScenarioSession session(scenario, modulePath);
    const Run::RunFailure failure = session.Run(false);
    RunOutcome outcome = Observe(session, failure);
    const std::vector<Headless::CallLogEntry>& log = session.GetHost().GetCallLog();
    for (const Run::StepRecord& step : session.GetRecord().steps) {
        std::vector<std::string>& operations = outcome.calls.emplace_back();
        for (std::size_t i = step.firstCall; i < step.endCall && i < log.size(); ++i)
            operations.push_back(log[i].operation);
    }
    return outcome;
}

std::string EncodeResult(const FaultResult& result) {
    return "{\"fault\": " + std::to_string(result.fault) + ", \"outcome\": " + Encode(result.outcome) + "}\n";
}

bool DecodeResults(const std::string& text, std::vector<FaultResult>& results) {
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        const nlohmann::json line = nlohmann::json::parse(text.substr(start, end - start), nullptr, false);
        start = end + 1;
        FaultResult result;
        if (line.is_discarded() || !line.contains("fault") || !line["fault"].is_number_unsigned() ||
            !line.contains("outcome") || !Decode(line["outcome"].dump(), result.outcome))
            return false;
        result.fault = line["fault"].get<std::size_t>();
        results.push_back(std::move(result));
    }
    return start == text.size();
}

void PlayFaults(const Scenario::Scenario& scenario, const std::string& modulePath,
                const std::vector<Fault>& faults, std::size_t jobs, std::chrono::milliseconds timeout,
                int out) {
    ChildPool pool(jobs, timeout, [&](const ChildEnd& end) {
        FaultResult result{end.tag, {}};
        if (!end.Normal() || !Decode(end.output, result.outcome)) {
            result.outcome = Crashed(faults[end.tag].step, end.Describe(timeout));
            // Up to the fault the run is the play without faults, which did not crash.
            result.outcome.hit = true;
        }
        WriteAll(out, EncodeResult(result));
    });
    Run::ScenarioSession session(scenario, modulePath);
    std::optional<std::size_t> mine; // in a fault's child: that fault
    int resultFd = -1;
    std::size_t next = 0;
    session.SetBeforeStep([&](std::size_t step) {
        for (; !mine && next < faults.size() && faults[next].step == step; ++next) {
            resultFd = pool.Fork(next);
            if (resultFd < 0)
                continue;
            close(out);
            mine = next;
            const Fault& fault = faults[next];
            session.GetHost().GetFaults().InjectAtCall(fault.call, fault.code, fault.persistent);
        }
    });
    Run::RunFailure failure;
    try {
        failure = session.Run(false);
    } catch (const std::exception& error) {
        if (mine)
            FailChild(error.what());
        throw;
    }
    if (mine)
        RunChild(resultFd, [&] {
            RunOutcome outcome = Observe(session, failure);
            outcome.hit = session.GetHost().GetFaults().GetAtCallHitCount() > 0;
            return Encode(outcome);
        });
    pool.WaitAll();
}

} // namespace Sweep
