#ifndef ZARIMARK_SCENARIO_SCENARIOREADER_HPP
#define ZARIMARK_SCENARIO_SCENARIOREADER_HPP

#include <optional>
#include <string>
#include <vector>

#include "Scenario/Diagnostics.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Scenario {

struct ReadResult {
    std::optional<Scenario> scenario; // set only when the whole file is sound
    std::vector<Issue> issues;
};

// Reads and validates a whole scenario text. A JSON syntax error is reported with its line and
// column; every other problem with its path into the file.
ReadResult ReadScenarioText(const std::string& text);
ReadResult ReadScenarioFile(const std::string& fileName);

} // namespace Scenario

#endif
