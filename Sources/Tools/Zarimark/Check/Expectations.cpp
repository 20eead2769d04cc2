#include "Check/Expectations.hpp"

#include <algorithm>

namespace Check {

namespace {

using Test = Scenario::Expectation::Test;
using Json = nlohmann::json;

std::string Short(const Json& value) {
    std::string text = value.dump();
    return text.size() > 200 ? text.substr(0, 197) + "..." : text;
}

bool Contains(const Json& actual, const Json& expected) {
    if (actual.is_array()) {
        for (const Json& item : actual) {
            if (Matches(item, expected))
                return true;
        }
        return false;
    }
    if (actual.is_object())
        return expected.is_string() && actual.contains(expected.get<std::string>());
    if (actual.is_string() && expected.is_string())
        return actual.get<std::string>().find(expected.get<std::string>()) != std::string::npos;
    return false;
}

std::string Condition(const Scenario::Expectation& expectation) {
    return expectation.match.is_null() ? "" : " with " + Short(expectation.match);
}

std::string Evaluate(const Scenario::Expectation& expectation, const Json& report) {
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
    case Test::Exists:
        return "";
    case Test::Equals:
        return actual == expectation.value
                   ? ""
                   : where + " is " + Short(actual) + ", expected " + Short(expectation.value);
    case Test::Contains:
        return Contains(actual, expectation.value) ? ""
                                                   : where + " does not contain " + Short(expectation.value) +
                                                         " (it is " + Short(actual) + ")";
    case Test::NotContains:
        return Contains(actual, expectation.value) ? where + " contains " + Short(expectation.value) : "";
    case Test::Count: {
        std::size_t count = 0;
        if (actual.is_array() || actual.is_object()) {
            for (const Json& entry : actual)
                count += expectation.match.is_null() || Matches(entry, expectation.match) ? 1 : 0;
        }
        return expectation.value.is_number_integer() && count == expectation.value.get<std::size_t>()
                   ? ""
                   : where + " has " + std::to_string(count) + " entries" + Condition(expectation) +
                         ", expected " + Short(expectation.value);
    }
    case Test::Keys: {
        std::vector<std::string> keys;
        if (actual.is_object()) {
            for (auto entry = actual.begin(); entry != actual.end(); ++entry) {
                if (expectation.match.is_null() || Matches(entry.value(), expectation.match))
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
    default:
        return "";
    }
}

} // namespace

bool Matches(const Json& actual, const Json& expected) {
    if (expected.is_object() && actual.is_object()) {
        for (auto item = expected.begin(); item != expected.end(); ++item) {
            if (!actual.contains(item.key()) || !Matches(actual.at(item.key()), item.value()))
                return false;
        }
        return true;
    }
    if (expected.is_string() && actual.is_string())
        return actual.get<std::string>().find(expected.get<std::string>()) != std::string::npos;
    return actual == expected;
}

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
