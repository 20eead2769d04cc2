#include <dlfcn.h>

#include <gtest/gtest.h>

#include "Run/ScenarioSession.hpp"
#include "Scenario/ScenarioReader.hpp"

namespace {

// The warning is answered so that it would not come again, had anything of the run survived it.
const char* const StopsEarly = R"({
    "project": {
        "elements": [{"type": "zone", "id": "living", "apartmentId": "A1"}, {"type": "zone", "id": "store"}],
        "labelDefaults": {"part": "Zarimark.gsm"}},
    "steps": [
        {"action": "openProject"},
        {"action": "select", "elements": ["living"]},
        {"action": "menu", "item": "Create Zarimark",
         "answers": [{"alert": 31019, "button": "Don't Show This Again"}],
         "expect": [{"stampCount": 2}, {"alertCount": 1}]},
        {"action": "move", "element": "stamp-2", "offset": [1, 0]},
        {"action": "undo", "expect": [{"stampCount": 0}]}],
    "expect": [{"stampCount": 0}]})";

bool ModuleLoaded() {
    void* handle = dlopen(ZM_TEST_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        dlclose(handle);
    return handle != nullptr;
}

Report::Json Play(const Scenario::Scenario& scenario) {
    Run::ScenarioSession session(scenario, ZM_TEST_MODULE_PATH);
    const Run::RunFailure failure = session.Run(true);
    EXPECT_EQ(failure.kind, Run::RunFailure::Kind::Scenario);
    EXPECT_EQ(failure.path, "steps[3].element");
    // What the steps before found is kept; the failed step counts as played.
    EXPECT_EQ(session.GetStepsPlayed(), 4u);
    EXPECT_EQ(session.GetCheckedExpectationCount(), 2u);
    const std::vector<std::string>& failures = session.GetExpectationFailures();
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures.empty() ? "" : failures[0].substr(0, 19), "steps[2].expect[0]:");
    return session.BuildReport();
}

TEST(ScenarioSessionTest, AStepThatCannotRunKeepsEarlierFindingsAndTheNextSessionStartsClean) {
    const Scenario::ReadResult read = Scenario::ReadScenarioText(StopsEarly);
    ASSERT_TRUE(read.scenario);
    const Report::Json first = Play(*read.scenario);
    EXPECT_FALSE(ModuleLoaded());
    ASSERT_EQ(first["steps"].size(), 4u);
    EXPECT_EQ(first["steps"][3]["notes"].back(),
              "the run stops here: steps[3].element: no element \"stamp-2\" exists at this step");
    // Neither the host, the module nor the platform's logs remember the first session.
    EXPECT_EQ(Play(*read.scenario), first);
}

// The hall joins A1 without the add-on being told: both stamps are silently stale after step 3.
const char* const LeftStale = R"({
    "project": {
        "elements": [{"type": "zone", "id": "living", "apartmentId": "A1"}, {"type": "zone", "id": "hall", "apartmentId": "A2"}],
        "labelDefaults": {"part": "Zarimark.gsm"}},
    "steps": [
        {"action": "openProject"},
        {"action": "select", "elements": ["living", "hall"]},
        {"action": "menu", "item": "Create Zarimark"},
        {"action": "changeZone", "zone": "hall", "apartmentId": "A1", "notify": false}]%s})";

TEST(ScenarioSessionTest, BrokenRulesAreCollectedInRunAndCheckAlikeUnlessTheScenarioMeansThem) {
    struct Case {
        const char* expect;
        bool check;
        std::vector<std::string> violations;
    };
    const Case cases[] = {
        {"", false, {"steps[3]: stamp-1", "steps[3]: stamp-2"}},
        {"", true, {"steps[3]: stamp-1", "steps[3]: stamp-2"}},
        {R"(, "expect": [{"silentlyStale": ["stamp-2"]}])", true, {"steps[3]: stamp-1"}},
    };
    for (const Case& c : cases) {
        std::string text = LeftStale;
        text.replace(text.find("%s"), 2, c.expect);
        SCOPED_TRACE(text);
        const Scenario::ReadResult read = Scenario::ReadScenarioText(text);
        ASSERT_TRUE(read.scenario);
        Run::ScenarioSession session(*read.scenario, ZM_TEST_MODULE_PATH);
        EXPECT_FALSE(session.Run(c.check));
        std::vector<std::string> found;
        for (const Run::Violation& violation : session.GetViolations()) {
            EXPECT_EQ(violation.kind, Run::Violation::Kind::SilentlyStale);
            EXPECT_EQ(violation.step, 3u);
            found.push_back(violation.path + ": " + violation.message.substr(0, 7));
        }
        EXPECT_EQ(found, c.violations);
        // Each step's calls are where the sweep finds them: the create command made the most.
        const Run::SessionRecord& record = session.GetRecord();
        ASSERT_EQ(record.steps.size(), 4u);
        EXPECT_EQ(record.steps[2].firstCall, record.steps[1].endCall);
        EXPECT_GT(record.steps[2].endCall - record.steps[2].firstCall, 20u);
        EXPECT_EQ(record.steps[3].endCall, record.steps[3].firstCall);
    }
}

} // namespace
