#include <gtest/gtest.h>

#include "Check/Expectations.hpp"
#include "Scenario/ScenarioParsers.hpp"

namespace {

using Kind = Scenario::Expectation::Test;

Scenario::Expectation Expect(const std::string& pointer, Kind test, nlohmann::json value = nullptr) {
    Scenario::Expectation expectation;
    expectation.pointer = pointer;
    expectation.test = test;
    expectation.value = std::move(value);
    expectation.path = "expect[0]";
    return expectation;
}

// Alerts of steps 1, 3 and 4 (the last without "during", as a report that does not tell).
const nlohmann::ordered_json Report = nlohmann::ordered_json::parse(R"({
    "elements": {"a/b": {"links": ["s"]},
                 "bath": {"parameters": {"area": 7.5, "cats": [1, 3], "areas": [[8, 8], [7.5, 7.25]], "name": "Bath"}}},
    "stamps": {"stamp-1": {"apartmentId": "A1", "story": 0, "rooms": ["living", "bath"], "lines": ["Area LIV 24.00 m²"]}},
    "alerts": [
        {"step": 1, "id": 31019, "title": "Zarimark Warning", "text": "Some rooms in the project have no accessible Apartment ID!", "answer": 1, "during": "action"},
        {"step": 3, "id": 31012, "title": "Zarimark Error", "text": "Some Zarimarks could not be updated!", "answer": 1, "during": "echo"},
        {"step": 3, "id": 0, "title": "Zarimark", "text": "Please choose a ZARI ID!", "answer": 1, "during": "action"},
        {"step": 4, "id": 31001, "title": "Zarimark Error", "text": "", "answer": 1}],
    "debugLines": ["ZM: Can't get room list.\n"],
    "host": {"selection": ["stamp-10", "living"], "changes": [{"operation": "HostLinkElements", "arguments": "bath, stamp-10"}]}})");

const std::string AllAlerts =
    R"([31019 "Some rooms in the project have no accessible Apartment ID!", 31012 "Some Zarimarks could not )"
    R"(be updated!", 0 "Please choose a ZARI ID!", 31001 "Zarimark Error"])";

std::vector<std::string> Failures(const Scenario::Expectation& expectation) {
    return Check::CheckExpectations({expectation}, Report);
}

// One expectation as written in a step's (stepPointer "/steps/3") or the top-level expect list.
struct Case {
    const char* expectation;
    std::string failure; // empty: it holds
    const char* stepPointer = "";
};

std::string PathOf(const char* stepPointer) {
    const std::string pointer = stepPointer;
    return pointer.empty() ? "expect" : "steps[" + pointer.substr(pointer.rfind('/') + 1) + "].expect";
}

std::string IssuesOf(const Scenario::Diagnostics& diagnostics) {
    std::string text;
    for (const Scenario::Issue& issue : diagnostics.GetIssues())
        text += issue.ToString() + "\n";
    return text;
}

void CheckCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectation);
        Scenario::Diagnostics diagnostics;
        const auto list =
            Scenario::ReadExpectationList(Scenario::Json::array({Scenario::Json::parse(c.expectation)}),
                                          PathOf(c.stepPointer), diagnostics, c.stepPointer);
        ASSERT_TRUE(diagnostics.Empty()) << IssuesOf(diagnostics);
        const auto failures = Check::CheckExpectations(list, Report);
        EXPECT_EQ(failures,
                  c.failure.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.failure});
    }
}

TEST(ExpectationTest, EqualsComparesWholeValues) {
    EXPECT_TRUE(Failures(Expect("/elements/a~1b/links", Kind::Equals, {"s"})).empty());
    const auto failures = Failures(Expect("/elements/a~1b/links", Kind::Equals, {"s", "t"}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "expect[0]: /elements/a~1b/links is [\"s\"], expected [\"s\",\"t\"]");
}

TEST(ExpectationTest, ContainsComparesTextsWholeAndContainsTextByPart) {
    CheckCases({
        {R"({"at": "/host/selection", "contains": "living"})", ""},
        {R"({"at": "/host/selection", "contains": "stamp-1"})",
         R"(expect[0]: /host/selection does not contain "stamp-1" (it is ["stamp-10","living"]))"},
        {R"({"at": "/host/selection", "containsText": "stamp-1"})", ""},
        {R"({"at": "/host/selection", "notContains": "stamp-1"})", ""},
        {R"({"at": "/host/selection", "notContainsText": "stamp-1"})",
         R"(expect[0]: /host/selection contains "stamp-1")"},
        {R"({"at": "/host/changes", "contains": {"arguments": "bath, stamp-1"}})",
         R"(expect[0]: /host/changes does not contain {"arguments":"bath, stamp-1"} (it is )"
         R"([{"arguments":"bath, stamp-10","operation":"HostLinkElements"}]))"},
        {R"({"at": "/host/changes", "containsText": {"operation": "HostLink", "arguments": "stamp-1"}})", ""},
        {R"({"at": "/host/changes", "contains": {"operation": "HostLinkElements"}})", ""},
        {R"({"at": "/alerts", "contains": {"id": 31019, "answer": 1}})", ""},
        {R"({"at": "/alerts", "notContains": {"id": 31020}})", ""},
        {R"({"at": "/debugLines/0", "contains": "room list"})", ""},
        {R"({"at": "/stamps", "contains": "stamp-1"})", ""},
        {R"({"at": "/stamps", "notContains": "stamp-"})", ""},
        {R"({"debugLine": "Can't get room list"})", ""},
        {R"({"noDebugLine": "room list"})", "expect[0]: /debugLines contains \"room list\""},
    });
}

TEST(ExpectationTest, StepAlertsAreExactlyTheGivenOnesInOrder) {
    const std::string step3 = R"(steps[3].expect[0]: alerts in step [3] )";
    CheckCases({
        {R"({"alerts": [31012, "Please choose a ZARI ID!"]})", "", "/steps/3"},
        {R"({"alerts": ["Zarimark Error", "Zarimark"]})", "", "/steps/3"},
        {R"({"alerts": [31010, 31012]})",
         step3 + R"(were [31012 "Some Zarimarks could not be updated!", 0 "Please choose a ZARI ID!"], )"
                 R"(expected [31010, 31012])",
         "/steps/3"},
        {R"({"alerts": ["Please choose a ZARI ID!", 31012]})",
         step3 + R"(were [31012 "Some Zarimarks could not be updated!", 0 "Please choose a ZARI ID!"], )"
                 R"(expected ["Please choose a ZARI ID!", 31012])",
         "/steps/3"},
        {R"({"alerts": [31012, "Please choose"]})",
         step3 + R"(were [31012 "Some Zarimarks could not be updated!", 0 "Please choose a ZARI ID!"], )"
                 R"(expected [31012, "Please choose"])",
         "/steps/3"},
        {R"({"alerts": [31012], "during": "echo"})", "", "/steps/3"},
        {R"({"alerts": [31012], "during": "action"})",
         step3 + R"(during "action" were [0 "Please choose a ZARI ID!"], expected [31012])", "/steps/3"},
        {R"({"alerts": []})", "", "/steps/2"},
        {R"({"alerts": [31019]})", R"(steps[2].expect[0]: alerts in step [2] were [], expected [31019])",
         "/steps/2"},
        {R"({"alerts": ["Zarimark Error"]})", "", "/steps/4"},
        {R"({"alerts": [31001], "during": "action"})",
         R"(steps[4].expect[0]: alerts in step [4] do not say whether they came during the action or the )"
         R"(echo (the report has no "during"))",
         "/steps/4"},
    });
}

TEST(ExpectationTest, AlertShownByIdOrWholeTitleOrText) {
    CheckCases({
        {R"({"alert": 31019})", ""},
        {R"({"alert": "Zarimark Warning"})", ""},
        {R"({"alert": "Some Zarimarks could not be updated!", "answer": 1})", ""},
        {R"({"alert": "Some Zarimarks"})",
         R"(expect[0]: no alert "Some Zarimarks" was shown; the alerts were )" + AllAlerts},
        {R"({"alert": 31012, "answer": 3})",
         R"(expect[0]: no alert 31012 answered 3 was shown; the alerts were [31019 "Some rooms in the project )"
         R"(have no accessible Apartment ID!" answer 1, 31012 "Some Zarimarks could not be updated!" answer 1, )"
         R"(0 "Please choose a ZARI ID!" answer 1, 31001 "Zarimark Error" answer 1])"},
        {R"({"alert": 31020, "shown": false})", ""},
        {R"({"alert": 31012, "shown": false})",
         "expect[0]: alert 31012 was shown in step [3], expected it not to be"},
    });
}

TEST(ExpectationTest, AlertCountInAStepCountsThatStepsAlerts) {
    CheckCases({
        {R"({"alertCount": 2})", "", "/steps/3"},
        {R"({"alertCount": 0})", "", "/steps/2"},
        {R"({"alertCount": 4})", R"(steps[3].expect[0]: /alerts has 2 entries with {"step":3}, expected 4)",
         "/steps/3"},
        {R"({"alertCount": 4})", ""},
        {R"({"alertCount": 2})", "expect[0]: /alerts has 4 entries, expected 2"},
    });
}

TEST(ExpectationTest, StampPropertiesAreEachChecked) {
    CheckCases({
        {R"({"stamp": "stamp-1", "rooms": ["living", "bath"], "story": 0, "apartmentId": "A1",
             "lines": ["Area LIV 24.00 m²"]})",
         ""},
        {R"({"stamp": "stamp-1", "rooms": ["bath"], "apartmentId": "A1", "story": 1})",
         R"(expect[0]: /stamps/stamp-1/rooms is ["living","bath"], expected ["bath"]; )"
         R"(/stamps/stamp-1/story is 0, expected 1)"},
        {R"({"stamp": "stamp-1", "apartmentId": null})",
         R"(expect[0]: /stamps/stamp-1/apartmentId is "A1", expected null)"},
        {R"({"stamp": "stamp-9", "rooms": [], "story": 0})", "expect[0]: /stamps/stamp-9 does not exist"},
        {R"({"stamp": "stamp-9", "exists": false})", ""},
    });
}

TEST(ExpectationTest, NearAllowsTheGivenDifferenceItemByItem) {
    const std::string area = "expect[0]: /elements/bath/parameters/";
    CheckCases({
        {R"({"element": "bath", "parameter": "area", "near": 7.5004, "within": 0.001})", ""},
        {R"({"element": "bath", "parameter": "area", "near": 8, "within": 0.25})",
         area + "area is 7.5, expected 8 within 0.25 (it is off by 0.5)"},
        {R"({"element": "bath", "parameter": "area", "equals": 7.5})", ""},
        {R"({"element": "bath", "parameter": "areas", "near": [[8, 8], [7.5, 7.5]], "within": 0.25})", ""},
        {R"({"element": "bath", "parameter": "areas", "near": [[8, 8], [7.5, 7.5]], "within": 0.125})",
         area +
             "areas is [[8,8],[7.5,7.25]], expected [[8,8],[7.5,7.5]] within 0.125 ([1][1] is off by 0.25)"},
        {R"({"element": "bath", "parameter": "areas", "near": [8, 8, 7.5], "within": 1})",
         area + "areas is [[8,8],[7.5,7.25]], expected [8,8,7.5] within 1.0 (it is not of the same shape)"},
        {R"({"element": "bath", "parameter": "areas", "near": [8, 8], "within": 1})",
         area + "areas is [[8,8],[7.5,7.25]], expected [8,8] within 1.0 ([0] is not a number)"},
        {R"({"element": "bath", "parameter": "name", "near": 1, "within": 1})",
         area + R"(name is "Bath", expected 1 within 1.0 (it is not a number))"},
        {R"({"at": "/elements/bath/parameters/cats", "near": [1, 3], "within": 0})", ""},
        {R"({"element": "bath", "parameter": "depth", "near": 1, "within": 1})",
         area + "depth does not exist"},
    });
}

TEST(ExpectationTest, ExistenceAndCounts) {
    EXPECT_TRUE(Failures(Expect("/elements/a~1b", Kind::Exists)).empty());
    EXPECT_EQ(Failures(Expect("/elements/c", Kind::Exists)),
              std::vector<std::string>{"expect[0]: /elements/c does not exist"});
    EXPECT_TRUE(Failures(Expect("/elements/c", Kind::Missing)).empty());
    EXPECT_TRUE(Failures(Expect("/stamps", Kind::Count, 1)).empty());
    EXPECT_EQ(Failures(Expect("/alerts", Kind::Count, 2)),
              std::vector<std::string>{"expect[0]: /alerts has 4 entries, expected 2"});
}

TEST(ExpectationTest, CountsAndKeysCanBeLimitedToMatchingEntries) {
    const nlohmann::ordered_json report = nlohmann::ordered_json::parse(R"({"stampStatus": {
        "b": {"status": "stale", "silentlyStale": true}, "a": {"status": "stale", "silentlyStale": true},
        "c": {"status": "current", "silentlyStale": false}}})");
    Scenario::Expectation stale = Expect("/stampStatus", Kind::Count, 2);
    stale.match = {{"status", "stale"}};
    EXPECT_TRUE(Check::CheckExpectations({stale}, report).empty());
    stale.value = 3;
    EXPECT_EQ(Check::CheckExpectations({stale}, report),
              std::vector<std::string>{
                  "expect[0]: /stampStatus has 2 entries with {\"status\":\"stale\"}, expected 3"});
    Scenario::Expectation silent = Expect("/stampStatus", Kind::Keys, {"a", "b"});
    silent.match = {{"silentlyStale", true}};
    EXPECT_TRUE(Check::CheckExpectations({silent}, report).empty());
    silent.value = {"a"};
    EXPECT_EQ(Check::CheckExpectations({silent}, report),
              std::vector<std::string>{"expect[0]: /stampStatus has the entries [\"a\",\"b\"] with "
                                       "{\"silentlyStale\":true}, expected [\"a\"]"});
}

TEST(ExpectationTest, AnUnusableLocationFailsInsteadOfThrowing) {
    const auto failures = Failures(Expect("elements", Kind::Exists));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("is not a location in the report"), std::string::npos);
}

// Reading: every problem is reported with its path, as the scenario file is refused.
struct BadCase {
    const char* expectation;
    const char* issue;
    const char* stepPointer = "/steps/3";
};

TEST(ExpectationReaderTest, BadNewExpectationsAreReportedWithTheirPaths) {
    const std::vector<BadCase> cases = {
        {R"({"alerts": [31012]})", "expect[0].alerts: only the expectations of a step can list its alerts",
         ""},
        {R"({"alerts": 31012})",
         "steps[3].expect[0].alerts: expected an array of alert IDs and texts, found a number"},
        {R"({"alerts": [true]})",
         "steps[3].expect[0].alerts[0]: expected an alert ID or an alert's title or text, found a boolean"},
        {R"({"alerts": [99999]})",
         "steps[3].expect[0].alerts[0]: expected a whole number from 0 to 32767, found 99999"},
        {R"({"alerts": [], "during": "later"})",
         R"(steps[3].expect[0].during: expected "action" or "echo", found "later")"},
        {R"({"alerts": [], "during": 1})", "steps[3].expect[0].during: expected a text, found a number"},
        {R"({"alerts": [], "when": 1})",
         "steps[3].expect[0].when: unknown field (allowed here: alerts, during)"},
        {R"({"alertCount": "2"})", "steps[3].expect[0].alertCount: expected a whole number, found a text"},
        {R"({"alertCount": -1})",
         "expect[0].alertCount: expected a whole number from 0 to 2147483647, found -1", ""},
        {R"({"alert": [1]})",
         "expect[0].alert: expected an alert ID or an alert's title or text, found an array", ""},
        {R"({"alert": 1, "answer": 4})", "expect[0].answer: expected a whole number from 1 to 3, found 4",
         ""},
        {R"({"stamp": "s", "rooms": "bath"})",
         "steps[3].expect[0].rooms: expected an array of texts, found a text"},
        {R"({"stamp": "s", "lines": [], "story": "1"})",
         "steps[3].expect[0].story: expected a whole number, found a text"},
        {R"({"stamp": "s", "apartmentId": 1})",
         "steps[3].expect[0].apartmentId: expected a text, found a number"},
        {R"({"stamp": "s", "rooms": [], "exists": true})",
         "steps[3].expect[0].exists: unknown field (allowed here: rooms, stamp)"},
        {R"({"element": "e", "parameter": "p", "near": 1})",
         "steps[3].expect[0].within: missing (required here)"},
        {R"({"element": "e", "parameter": "p", "near": "1", "within": 1})",
         R"(steps[3].expect[0].near: expected a number or a non-empty array of numbers, found "1")"},
        {R"({"element": "e", "parameter": "p", "near": [[1], []], "within": 1})",
         "steps[3].expect[0].near: expected a number or a non-empty array of numbers, found [[1],[]]"},
        {R"({"element": "e", "parameter": "p", "near": 1, "within": -1})",
         "steps[3].expect[0].within: expected a number not below 0"},
        {R"({"element": "e", "parameter": "p", "equals": 1, "near": 1, "within": 1})",
         R"(steps[3].expect[0]: give one of "equals" and "near" for the parameter)"},
        {R"({"element": "e", "parameter": "p"})", R"(steps[3].expect[0]: give one of "equals" and "near")"},
        {R"({"element": "e", "parameter": "p", "equals": 1, "within": 1})",
         "steps[3].expect[0].within: unknown field (allowed here: element, equals, parameter)"},
        {R"({"at": "/x", "containsText": 1})", "steps[3].expect[0].containsText: expected a text, or an "
                                               "object whose texts are looked for, found a number"},
        {R"({"at": "/x", "contains": 1, "notContainsText": "a"})", "steps[3].expect[0]: give exactly one of"},
        {R"({"at": "/x", "near": 1})", "steps[3].expect[0].within: missing (required here)"},
        {R"({"debugLine": 1})", "steps[3].expect[0].debugLine: expected a text, found a number"},
    };
    for (const BadCase& c : cases) {
        Scenario::Diagnostics diagnostics;
        Scenario::ReadExpectationList(Scenario::Json::array({Scenario::Json::parse(c.expectation)}),
                                      PathOf(c.stepPointer), diagnostics, c.stepPointer);
        EXPECT_NE(IssuesOf(diagnostics).find(c.issue), std::string::npos) << c.expectation << " gave:\n"
                                                                          << IssuesOf(diagnostics);
    }
}

} // namespace
