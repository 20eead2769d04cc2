#ifndef ZARIMARK_CHECK_EXPECTATIONS_HPP
#define ZARIMARK_CHECK_EXPECTATIONS_HPP

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Scenario/ScenarioModel.hpp"

namespace Check {

// "expect[2]: /stamps/stamp-1/lines is [...], expected [...]" for each expectation that fails.
std::vector<std::string> CheckExpectations(const std::vector<Scenario::Expectation>& expectations,
                                           const nlohmann::ordered_json& report);

} // namespace Check

#endif
