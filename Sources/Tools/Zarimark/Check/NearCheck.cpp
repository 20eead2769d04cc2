#include <cmath>

#include "Check/Evaluators.hpp"
#include "Check/Matching.hpp"

namespace Check {

namespace {

using Json = nlohmann::json;

std::string Subject(const std::string& place) {
    return place.empty() ? "it" : place;
}

// Why `actual` is not within `within` of `expected`, naming the first item that is not; ""
// when it is. A NaN is near nothing.
std::string Off(const Json& actual, const Json& expected, double within, const std::string& place) {
    if (expected.is_array()) {
        if (!actual.is_array() || actual.size() != expected.size())
            return Subject(place) + " is not of the same shape";
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::string off =
                Off(actual[i], expected[i], within, place + "[" + std::to_string(i) + "]");
            if (!off.empty())
                return off;
        }
        return "";
    }
    if (!actual.is_number())
        return Subject(place) + " is not a number";
    const double difference = std::fabs(actual.get<double>() - expected.get<double>());
    return difference <= within ? "" : Subject(place) + " is off by " + Json(difference).dump();
}

} // namespace

std::string CheckNear(const Json& actual, const Scenario::Expectation& expectation,
                      const std::string& where) {
    const std::string off = Off(actual, expectation.value, expectation.within, "");
    if (off.empty())
        return "";
    return where + " is " + Short(actual) + ", expected " + Short(expectation.value) + " within " +
           Json(expectation.within).dump() + " (" + off + ")";
}

} // namespace Check
