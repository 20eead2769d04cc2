#include <gtest/gtest.h>

#include "Check/Expectations.hpp"

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

const nlohmann::ordered_json Report = nlohmann::ordered_json::parse(R"({
    "elements": {"a/b": {"links": ["s"]}},
    "alerts": [{"id": 31019, "text": "Some rooms in the project have no accessible Apartment ID!", "answer": 1}],
    "debugLines": ["ZM: Can't get room list.\n"],
    "stamps": {}})");

std::vector<std::string> Failures(const Scenario::Expectation& expectation) {
    return Check::CheckExpectations({expectation}, Report);
}

TEST(ExpectationTest, EqualsComparesWholeValues) {
    EXPECT_TRUE(Failures(Expect("/elements/a~1b/links", Kind::Equals, {"s"})).empty());
    const auto failures = Failures(Expect("/elements/a~1b/links", Kind::Equals, {"s", "t"}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "expect[0]: /elements/a~1b/links is [\"s\"], expected [\"s\",\"t\"]");
}

TEST(ExpectationTest, ContainsMatchesObjectsByTheirGivenFieldsAndTextsByPart) {
    EXPECT_TRUE(Failures(Expect("/alerts", Kind::Contains, {{"id", 31019}})).empty());
    EXPECT_TRUE(
        Failures(Expect("/alerts", Kind::Contains, {{"text", "no accessible Apartment ID"}})).empty());
    EXPECT_FALSE(Failures(Expect("/alerts", Kind::Contains, {{"id", 31019}, {"answer", 3}})).empty());
    EXPECT_TRUE(Failures(Expect("/debugLines", Kind::Contains, "Can't get room list")).empty());
    EXPECT_TRUE(Failures(Expect("/alerts", Kind::NotContains, {{"id", 31001}})).empty());
    EXPECT_FALSE(Failures(Expect("/alerts", Kind::NotContains, {{"id", 31019}})).empty());
}

TEST(ExpectationTest, ExistenceAndCounts) {
    EXPECT_TRUE(Failures(Expect("/elements/a~1b", Kind::Exists)).empty());
    EXPECT_EQ(Failures(Expect("/elements/c", Kind::Exists)),
              std::vector<std::string>{"expect[0]: /elements/c does not exist"});
    EXPECT_TRUE(Failures(Expect("/elements/c", Kind::Missing)).empty());
    EXPECT_TRUE(Failures(Expect("/stamps", Kind::Count, 0)).empty());
    EXPECT_EQ(Failures(Expect("/alerts", Kind::Count, 2)),
              std::vector<std::string>{"expect[0]: /alerts has 1 entries, expected 2"});
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

} // namespace
