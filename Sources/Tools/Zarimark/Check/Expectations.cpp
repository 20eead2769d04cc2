#include "Check/Expectations.hpp"

#include <algorithm>

#include "Check/Evaluators.hpp"
#include "Check/Matching.hpp"

namespace Check {

namespace {

using Test = Scenario::Expectation::Test;
using Json = nlohmann::json;

std::string Condition(const Scenario::Expectation& expectation) {
    return expectation.match.is_null() ? "" : " with " + Short(expectation.match);
}

bool IsMatch(const Json& entry, const Json& match) {
    return match.is_null() || Matches(entry, match, TextMatch::Whole);
}

std::string CheckContains(const Scenario::Expectation& expectation, const Json& actual,
                          const std::string& where) {
    const bool whole = expectation.test == Test::Contains || expectation.test == Test::NotContains;
    const bool found = Contains(actual, expectation.value, whole ? TextMatch::Whole : TextMatch::Part);
    if (expectation.test == Test::Contains || expectation.test == Test::ContainsText)
        return found ? ""
                     : where + " does not contain " + Short(expectation.value) + " (it is " + Short(actual) +
                           ")";
    return found ? where + " contains " + Short(expectation.value) : "";
}

std::string CheckCount(const Scenario::Expectation& expectation, const Json& actual,
                       const std::string& where) {
    std::size_t count = 0;
    if (actual.is_array() || actual.is_object()) {
        for (const Json& entry : actual)
            count += IsMatch(entry, expectation.match) ? 1 : 0;
    }
    return expectation.value.is_number_integer() && count == expectation.value.get<std::size_t>()
               ? ""
               : where + " has " + std::to_string(count) + " entries" + Condition(expectation) +
                     ", expected " + Short(expectation.value);
}

std::string CheckKeys(const Scenario::Expectation& expectation, const Json& actual,
                      const std::string& where) {
    std::vector<std::string> keys;
    if (actual.is_object()) {
        for (auto entry = actual.begin(); entry != actual.end(); ++entry) {
            if (IsMatch(entry.value(), expectation.match))
                keys.push_back(entry.key());
        }
    }
    std::vector<std::string> expected = expectation.value.get<std::vector<std::string>>();
    std::sort(keys.begin(), keys.end());
    std::sort(expected.begin(), expected.end());
    return keys == expected ? ""
                            : where + " has the entries " + Short(Json(keys)) + Condition(expectation) +
                                  ", expected " + Short(Json(expected));
}

std::string Evaluate(const Scenario::Expectation& expectation, const Json& report);

// Every part is told; after a missing whole its parts are not.
std::string CheckAll(const Scenario::Expectation& expectation, const Json& report) {
    std::string problems;
    for (const Scenario::Expectation& part : expectation.parts) {
        const std::string problem = Evaluate(part, report);
        if (problem.empty())
            continue;
        problems += (problems.empty() ? "" : "; ") + problem;
        if (part.test == Test::Exists)
            break;
    }
    return problems;
}

std::string Evaluate(const Scenario::Expectation& expectation, const Json& report) {
    if (expectation.test == Test::All)
        return CheckAll(expectation, report);
    Json::json_pointer pointer;
    try {
        pointer = Json::json_pointer(expectation.pointer);
    } catch (const Json::exception&) {
        return "\"" + expectation.pointer + "\" is not a location in the report";
    }
    const bool present = report.contains(pointer);
    const std::string where = expectation.pointer.empty() ? "the report" : expectation.pointer;
    if (expectation.test == Test::Missing)
        return present ? where + " exists, expected it not to" : "";
    if (!present)
        return where + " does not exist";
    const Json& actual = report.at(pointer);
    switch (expectation.test) {
    case Test::Equals:
        return actual == expectation.value
                   ? ""
                   : where + " is " + Short(actual) + ", expected " + Short(expectation.value);
    case Test::Contains:
    case Test::NotContains:
    case Test::ContainsText:
    case Test::NotContainsText:
        return CheckContains(expectation, actual, where);
    case Test::Count:
        return CheckCount(expectation, actual, where);
    case Test::Keys:
        return CheckKeys(expectation, actual, where);
    case Test::Near:
        return CheckNear(actual, expectation, where);
    case Test::Alert:
    case Test::NoAlert:
        return CheckAlertShown(actual, expectation);
    case Test::StepAlerts:
        return CheckStepAlerts(actual, expectation);
    default:
        return "";
    }
}

} // namespace

std::vector<std::string> CheckExpectations(const std::vector<Scenario::Expectation>& expectations,
                                           const nlohmann::ordered_json& report) {
    const Json plain = Json::parse(report.dump());
    std::vector<std::string> failures;
    for (const Scenario::Expectation& expectation : expectations) {
        const std::string problem = Evaluate(expectation, plain);
        if (!problem.empty())
            failures.push_back(expectation.path + ": " + problem);
    }
    return failures;
}

} // namespace Check
