#include "Check/Evaluators.hpp"
#include "Check/Matching.hpp"

namespace Check {

namespace {

using Json = nlohmann::json;

// An alert is named by its resource ID or by its whole title or text, as answers name it.
bool IsAlert(const Json& alert, const Json& wanted) {
    if (!alert.is_object())
        return false;
    if (wanted.is_string())
        return alert.value("title", Json()) == wanted || alert.value("text", Json()) == wanted;
    return alert.value("id", Json()) == wanted;
}

std::string Describe(const Json& alert) {
    if (!alert.is_object() || !alert.value("text", Json()).is_string())
        return Short(alert);
    const std::string text = alert.value("text", std::string());
    return alert.value("id", Json()).dump() + " " +
           Json(text.empty() ? alert.value("title", std::string()) : text).dump();
}

// "[31012 "Some Zarimarks could not be updated!"]", the first few of a long list.
std::string DescribeAll(const std::vector<Json>& alerts, const char* suffixField = nullptr) {
    constexpr std::size_t shown = 8;
    std::string text;
    for (std::size_t i = 0; i < alerts.size() && i < shown; ++i) {
        text += (i == 0 ? "" : ", ") + Describe(alerts[i]);
        if (suffixField != nullptr)
            text += std::string(" ") + suffixField + " " + alerts[i].value(suffixField, Json()).dump();
    }
    if (alerts.size() > shown)
        text += ", ... (" + std::to_string(alerts.size()) + " in all)";
    return "[" + text + "]";
}

std::string DescribeWanted(const Json& wanted) {
    std::string text;
    for (const Json& entry : wanted)
        text += (text.empty() ? "" : ", ") + entry.dump();
    return "[" + text + "]";
}

std::vector<Json> Entries(const Json& alerts) {
    return alerts.is_array() ? alerts.get<std::vector<Json>>() : std::vector<Json>{};
}

} // namespace

std::string CheckAlertShown(const Json& alerts, const Scenario::Expectation& expectation) {
    const bool answer = expectation.match.contains("answer");
    std::string wanted = "alert " + expectation.value.dump();
    if (answer)
        wanted += " answered " + expectation.match["answer"].dump();
    for (const Json& alert : Entries(alerts)) {
        if (!IsAlert(alert, expectation.value) ||
            (!expectation.match.is_null() && !Matches(alert, expectation.match, TextMatch::Whole)))
            continue;
        if (expectation.test == Scenario::Expectation::Test::NoAlert)
            return wanted + " was shown in step [" + alert.value("step", Json()).dump() +
                   "], expected it not to be";
        return "";
    }
    if (expectation.test == Scenario::Expectation::Test::NoAlert)
        return "";
    return "no " + wanted + " was shown; the alerts were " +
           DescribeAll(Entries(alerts), answer ? "answer" : nullptr);
}

std::string CheckStepAlerts(const Json& alerts, const Scenario::Expectation& expectation) {
    const Json& step = expectation.match["step"];
    const Json during = expectation.match.value("during", Json());
    std::string which = "alerts in step [" + step.dump() + "]";
    if (!during.is_null())
        which += " during " + during.dump();
    std::vector<Json> found;
    for (const Json& alert : Entries(alerts)) {
        if (!alert.is_object() || alert.value("step", Json()) != step)
            continue;
        if (!during.is_null() && !alert.contains("during"))
            return "alerts in step [" + step.dump() +
                   "] do not say whether they came during the action or the echo (the report has no "
                   "\"during\")";
        if (during.is_null() || alert["during"] == during)
            found.push_back(alert);
    }
    bool same = found.size() == expectation.value.size();
    for (std::size_t i = 0; same && i < found.size(); ++i)
        same = IsAlert(found[i], expectation.value[i]);
    return same ? ""
                : which + " were " + DescribeAll(found) + ", expected " + DescribeWanted(expectation.value);
}

} // namespace Check
