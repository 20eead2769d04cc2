#ifndef ZARIMARK_CHECK_MATCHING_HPP
#define ZARIMARK_CHECK_MATCHING_HPP

#include <string>

#include <nlohmann/json.hpp>

// How expected values are matched against parts of the report.
namespace Check {

enum class TextMatch { Whole, Part };

// An expected object matches an object holding at least its fields with matching values; an
// expected text matches a text equal to it (Whole) or containing it (Part); anything else when equal.
bool Matches(const nlohmann::json& actual, const nlohmann::json& expected, TextMatch texts);

// An array holds a matching item; an object has the key `expected`; a text contains the text
// `expected` whichever the TextMatch, as a single text has no items to compare whole.
bool Contains(const nlohmann::json& actual, const nlohmann::json& expected, TextMatch texts);

// The value as JSON, cut to a readable length for a message.
std::string Short(const nlohmann::json& value);

} // namespace Check

#endif
