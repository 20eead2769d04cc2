#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <list>
#include <map>
#include <thread>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "Host/HostCodes.hpp"
#include "Scenario/ScenarioReader.hpp"
#include "Sweep/ChildPool.hpp"
#include "Sweep/FaultPlay.hpp"
#include "Sweep/Reproducer.hpp"

namespace {

using namespace std::chrono_literals;

TEST(FaultPlanTest, EveryCallFailsOnceAndFromThereOnWithTheCodesItsOperationCanGive) {
    const std::vector<Sweep::Fault> faults =
        Sweep::PlanFaults({{"HostListElements"}, {}, {"HostGetElement", "HostDeleteElements"}});
    // A refusal only where the host checks whether the user may edit: 2 + 2 + 6 * 2.
    ASSERT_EQ(faults.size(), 16u);
    struct Expected {
        std::size_t index, step;
        int call;
        std::size_t number;
        GSErrCode code;
        bool persistent;
    };
    for (const Expected& e :
         {Expected{0, 0, 1, 1, APIERR_GENERAL, false}, Expected{1, 0, 1, 1, APIERR_GENERAL, true},
          Expected{2, 2, 1, 2, APIERR_GENERAL, false}, Expected{4, 2, 2, 3, APIERR_GENERAL, false},
          Expected{7, 2, 2, 3, APIERR_LOCKEDELEM, true}, Expected{15, 2, 2, 3, APIERR_GROUPED, true}}) {
        const Sweep::Fault& fault = faults[e.index];
        EXPECT_EQ(fault.step, e.step) << e.index;
        EXPECT_EQ(fault.call, e.call) << e.index;
        EXPECT_EQ(fault.number, e.number) << e.index;
        EXPECT_EQ(fault.code, e.code) << e.index;
        EXPECT_EQ(fault.persistent, e.persistent) << e.index;
    }
    EXPECT_EQ(Sweep::DescribeFault(faults[7]),
              "call 2 of step [2] (HostDeleteElements) fails with 0x8106012F, and every later call too");
}

TEST(ChildPoolTest, TellsHowEachChildEndedAndWhatItWrote) {
    std::map<std::size_t, Sweep::ChildEnd> ends;
    Sweep::ChildPool pool(2, 300ms, [&](const Sweep::ChildEnd& end) { ends[end.tag] = end; });
    for (std::size_t tag = 0; tag < 4; ++tag) {
        const int fd = pool.Fork(tag);
        if (fd < 0)
            continue;
        if (tag == 0)
            Sweep::EndChild(fd, std::string(200000, 'x')); // more than a pipe holds at once
        if (tag == 1)
            std::abort();
        if (tag == 2)
            _exit(3);
        std::this_thread::sleep_for(10s);
        _exit(0);
    }
    pool.WaitAll();
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_TRUE(ends[0].Normal());
    EXPECT_EQ(ends[0].output.size(), 200000u);
    EXPECT_EQ(ends[1].kind, Sweep::ChildEnd::Kind::Signalled);
    EXPECT_EQ(ends[1].Describe(300ms), "was killed by signal 6 (Aborted)");
    EXPECT_EQ(ends[2].Describe(300ms), "exited with 3");
    EXPECT_EQ(ends[3].Describe(300ms), "was still running after 0.3 s and was killed");
}

TEST(FaultPlayTest, ResultsGoThroughTheirTextWholeOrNotAtAll) {
    Sweep::FaultResult result;
    result.fault = 7;
    result.outcome.hit = true;
    result.outcome.stoppedEarly = "steps[4].element: no element";
    result.outcome.problems.push_back({Sweep::Finding::HalfLink, 3, "steps[3]", "a -> b has no partner"});
    const std::string text = Sweep::EncodeResult(result) + Sweep::EncodeResult(Sweep::FaultResult{8, {}});
    std::vector<Sweep::FaultResult> read;
    ASSERT_TRUE(Sweep::DecodeResults(text, read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].fault, 7u);
    EXPECT_TRUE(read[0].outcome.hit);
    EXPECT_EQ(read[0].outcome.stoppedEarly, result.outcome.stoppedEarly);
    ASSERT_EQ(read[0].outcome.problems.size(), 1u);
    EXPECT_EQ(read[0].outcome.problems[0].finding, Sweep::Finding::HalfLink);
    EXPECT_EQ(read[0].outcome.problems[0].message, "a -> b has no partner");
    EXPECT_TRUE(read[1].outcome.problems.empty());
    // A child that died while writing leaves a line cut short.
    read.clear();
    EXPECT_FALSE(Sweep::DecodeResults(text.substr(0, text.size() - 5), read));
}

class ReproducerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::path(::testing::TempDir()) / ("reproducers-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "a");
        std::filesystem::create_directories(folder_ / "b");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    Sweep::UnitSweep Unit(const std::string& file, const char* text, std::optional<std::size_t> run) {
        std::ofstream(file) << text;
        Scenario::ReadResult read = Scenario::ReadScenarioFile(file);
        EXPECT_TRUE(read.scenario) << (read.issues.empty() ? "" : read.issues[0].ToString());
        scenarios_.push_back(std::move(*read.scenario));
        const Scenario::Scenario& scenario = scenarios_.back();
        return Sweep::UnitSweep{Sweep::Unit{file, run ? &scenario.runs[*run] : &scenario, run}, {}, {}, {}};
    }
    static nlohmann::ordered_json Read(const std::string& path) {
        std::ifstream file(path);
        return nlohmann::ordered_json::parse(file);
    }

    std::filesystem::path folder_;
    std::list<Scenario::Scenario> scenarios_;
};

TEST_F(ReproducerTest, TheFaultComesRightBeforeItsStepAndOnlySilentlyStaleExpectationsStay) {
    const char* const text = R"({"description": "two runs", "runs": [{"steps": []}, {
        // the second run
        "description": "a room change", "steps": [
            {"action": "openProject", "expect": [{"stampCount": 0}, {"silentlyStale": ["s"]}]},
            {"action": "changeZone", "zone": "z", "number": "2", "expect": [{"stampCount": 1}]}],
        "expect": [{"stampCount": 1}],
        "project": {"elements": [{"type": "zone", "id": "z"}]}}]})";
    const Sweep::UnitSweep unit = Unit((folder_ / "a" / "case.json").string(), text, 1);
    Sweep::Reproducers reproducers((folder_ / "out").string());
    const Sweep::Fault fault{1, 4, 9, "HostChangeElement", APIERR_LOCKEDELEM, true};
    const Sweep::Problem problem{Sweep::Finding::LeakedMemo, 1, "runs[1].steps[1]", "1 memo never went back"};
    const std::string path = reproducers.Write(unit, &fault, problem);
    EXPECT_EQ(std::filesystem::path(path).filename(), "case-run1-leaked-memo-step1-HostChangeElement.json");
    const nlohmann::ordered_json written = Read(path);
    EXPECT_EQ(
        written["description"],
        "zarimark sweep: leaked memo at runs[1].steps[1] when call 4 of step [1] (HostChangeElement) fails "
        "with 0x8106012F, and every later call too: 1 memo never went back. The scenario: a room change");
    EXPECT_EQ(written.begin().key(), "description");
    const auto& steps = written["steps"];
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0]["expect"], nlohmann::ordered_json::parse(R"([{"silentlyStale": ["s"]}])"));
    EXPECT_EQ(steps[1]["action"], "fault");
    EXPECT_EQ(steps[1]["call"], 4);
    EXPECT_EQ(steps[1]["code"], "0x8106012F");
    EXPECT_EQ(steps[1]["repeat"], true);
    EXPECT_FALSE(steps[2].contains("expect"));
    EXPECT_FALSE(written.contains("expect"));
    // It is a scenario of its own, with the fault without an operation.
    const Scenario::ReadResult read = Scenario::ReadScenarioFile(path);
    ASSERT_TRUE(read.scenario);
    EXPECT_EQ(read.scenario->steps[1].action.operation, "");

    // One per unit, finding, operation and step; a file of the same name elsewhere gets a number.
    const Sweep::Fault once{1, 4, 9, "HostChangeElement", APIERR_GENERAL, false};
    EXPECT_EQ(reproducers.Write(unit, &once, problem), "");
    const Sweep::UnitSweep other = Unit((folder_ / "b" / "case.json").string(), text, 1);
    EXPECT_EQ(std::filesystem::path(reproducers.Write(other, &once, problem)).filename(),
              "case-run1-leaked-memo-step1-HostChangeElement-2.json");
    const Sweep::Problem crash{Sweep::Finding::Crash, 1, "", "the run was killed by signal 6 (Aborted)"};
    EXPECT_NE(reproducers.Write(unit, &once, crash), "");
    EXPECT_EQ(std::filesystem::path(reproducers.Write(unit, nullptr, crash)).filename(),
              "case-run1-crash-step1-no-fault.json");
}

} // namespace
