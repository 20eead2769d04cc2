#ifndef ZARIMARK_RUN_STEPRUNNER_HPP
#define ZARIMARK_RUN_STEPRUNNER_HPP

#include <string>
#include <vector>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Run/RunFailure.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Run {

struct ActionOutcome {
    GSErrCode result = NoError; // what the host or the add-on answered
    std::vector<std::string> notes;
    RunFailure failure; // the action could not be played at all
};

// Plays one action of a scenario as the user would. A batch runs all its actions as one user
// action, so their events come in one batch.
ActionOutcome RunAction(Headless::HeadlessHost& host, const Scenario::Action& action);

// One line that says what the action does, for the report.
std::string SummarizeAction(const Scenario::Action& action);

} // namespace Run

#endif
