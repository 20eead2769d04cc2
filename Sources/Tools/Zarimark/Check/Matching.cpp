#include "Check/Matching.hpp"

namespace Check {

using Json = nlohmann::json;

bool Matches(const Json& actual, const Json& expected, TextMatch texts) {
    if (expected.is_object() && actual.is_object()) {
        for (auto item = expected.begin(); item != expected.end(); ++item) {
            if (!actual.contains(item.key()) || !Matches(actual.at(item.key()), item.value(), texts))
                return false;
        }
        return true;
    }
    if (texts == TextMatch::Part && expected.is_string() && actual.is_string())
        return actual.get_ref<const std::string&>().find(expected.get_ref<const std::string&>()) !=
               std::string::npos;
    return actual == expected;
}

bool Contains(const Json& actual, const Json& expected, TextMatch texts) {
    if (actual.is_array()) {
        for (const Json& item : actual) {
            if (Matches(item, expected, texts))
                return true;
        }
        return false;
    }
    if (actual.is_object())
        return expected.is_string() && actual.contains(expected.get<std::string>());
    return actual.is_string() && expected.is_string() && Matches(actual, expected, TextMatch::Part);
}

std::string Short(const Json& value) {
    std::string text = value.dump();
    return text.size() > 200 ? text.substr(0, 197) + "..." : text;
}

} // namespace Check
