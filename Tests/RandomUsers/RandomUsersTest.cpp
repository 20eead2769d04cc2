#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/state.h>

#include "RandomProject.hpp"
#include "ScenarioPlayer.hpp"
#include "UserActions.hpp"
#include "UserModel.hpp"

namespace RandomUsers {

namespace {

struct Tally {
    std::size_t cases = 0;
    std::size_t steps = 0;
    std::size_t gaveUp = 0;
    ScenarioPlayer::Coverage reached;

    void Add(const ScenarioPlayer& player) {
        ++cases;
        steps += player.GetStepsPlayed();
        gaveUp += player.HasStopped() ? 1 : 0;
        const ScenarioPlayer::Coverage coverage = player.GetCoverage();
        reached.alerts += coverage.alerts;
        reached.dialogs += coverage.dialogs;
        reached.elementChanges += coverage.elementChanges;
        reached.staleSteps += coverage.staleSteps;
    }
    void Print() const {
        std::cout << cases << " cases passed, " << steps << " steps played, " << gaveUp
                  << " ended early by a user who gave up on an alert; the user met " << reached.alerts
                  << " alerts and " << reached.dialogs << " dialogs, the add-on changed elements "
                  << reached.elementChanges << " times, " << reached.staleSteps
                  << " steps left a stamp stale (and told)\n";
    }
};

// Another build of the module (ZM_RANDOM_USERS_MODULE), for a long run beside a build that
// replaces the module under it.
std::string ModulePath() {
    const char* module = std::getenv("ZM_RANDOM_USERS_MODULE");
    return module != nullptr ? module : ZM_TEST_MODULE_PATH;
}

void PrintFailure() {
    const FailureRecord& failure = LastFailure();
    const std::string text = FormatScenario(failure.scenario);
    const std::filesystem::path file = std::filesystem::absolute("random-user-failure.json");
    std::ofstream(file) << text;
    std::cout << "\nThe shortest failing sequence found, as a scenario for `zarimark check`:\n"
              << text << "It broke: " << failure.findings << "\nWritten to " << file.string() << "\n";
}

} // namespace

// Random projects, random users: after every step the runner holds the add-on to the rules of
// every run (no escaped exception, no leaked memo, no state left changed, no half link, no
// silently stale stamp, no write outside the Teamwork workspace without consent). A failure
// shrinks to a short sequence, printed and written as a scenario file.
TEST(RandomUsers, NoStepOfARandomUserBreaksARule) {
    // Bounded and seeded for ctest, so that CI plays the same users every time;
    // RC_PARAMS="max_success=5000 max_size=20" (no seed: a new one each run) runs longer.
    setenv("RC_PARAMS", "seed=20261208 max_success=100 max_size=25", 0);
    Tally tally;
    const std::string module = ModulePath();
    const bool held = rc::check("no step of a random user breaks a rule", [&tally, &module] {
        const Json project = (*GenProject()).json;
        ScenarioPlayer player(project, module);
        try {
            rc::state::check(MakeUserModel(project), player, &GenUserAction);
        } catch (const std::exception& error) {
            LastFailure() = {player.ToScenario(), error.what()};
            throw;
        }
        tally.Add(player);
    });
    tally.Print();
    if (!held)
        PrintFailure();
    EXPECT_TRUE(held);
}

} // namespace RandomUsers
