#ifndef ZARIMARK_CHECK_EVALUATORS_HPP
#define ZARIMARK_CHECK_EVALUATORS_HPP

#include <string>

#include <nlohmann/json.hpp>

#include "Scenario/ScenarioModel.hpp"

// The tests that need more than a comparison. Each gives "" when the expectation holds, and
// otherwise what the report shows instead.
namespace Check {

// `actual` (at `where`) is a number, or an array of the expected shape, within the tolerance.
std::string CheckNear(const nlohmann::json& actual, const Scenario::Expectation& expectation,
                      const std::string& where);

// Alert / NoAlert over the report's alert list.
std::string CheckAlertShown(const nlohmann::json& alerts, const Scenario::Expectation& expectation);

// StepAlerts: exactly the expected alerts, in order, among those of one step (and kind).
std::string CheckStepAlerts(const nlohmann::json& alerts, const Scenario::Expectation& expectation);

} // namespace Check

#endif
