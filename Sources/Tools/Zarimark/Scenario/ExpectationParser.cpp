#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

using Test = Expectation::Test;

std::string Escape(const std::string& token) {
    std::string escaped;
    for (const char c : token) {
        if (c == '~')
            escaped += "~0";
        else if (c == '/')
            escaped += "~1";
        else
            escaped += c;
    }
    return escaped;
}

std::string Pointer(std::initializer_list<std::string> tokens) {
    std::string pointer;
    for (const std::string& token : tokens)
        pointer += "/" + Escape(token);
    return pointer;
}

struct Builder {
    ObjectReader& reader;
    Expectation& expectation;
    std::optional<std::int64_t> step; // set in a step's expectations

    void Set(std::string pointer, Test test, nlohmann::json value = nullptr) {
        expectation.pointer = std::move(pointer);
        expectation.test = test;
        expectation.value = std::move(value);
    }
    nlohmann::json Value(const char* key) {
        const Json* value = reader.Get(key);
        return value != nullptr ? nlohmann::json::parse(value->dump()) : nlohmann::json();
    }
    std::string Text(const char* key) { return reader.String(key, true).value_or(""); }
    void Problem(const std::string& key, const std::string& message) {
        reader.GetDiagnostics().Add(key.empty() ? reader.GetPath() : reader.PathOf(key), message);
    }
};

bool IsNumeric(const nlohmann::json& value) {
    if (!value.is_array())
        return value.is_number();
    return !value.empty() && std::all_of(value.begin(), value.end(), IsNumeric);
}

// "near": a number or a (nested) array of numbers, with the "within" it needs.
void ReadNear(Builder& b, std::string pointer) {
    b.Set(std::move(pointer), Test::Near, b.Value("near"));
    if (!IsNumeric(b.expectation.value))
        b.Problem("near",
                  "expected a number or a non-empty array of numbers, found " + b.reader.Get("near")->dump());
    const std::optional<double> within = b.reader.Number("within", true);
    if (within && !(*within >= 0.0 && std::isfinite(*within)))
        b.Problem("within", "expected a number not below 0");
    b.expectation.within = within.value_or(0.0);
}

// "containsText" / "notContainsText" look for part of a text, at any depth of an object.
void CheckTextValue(Builder& b, const char* key) {
    const Json* value = b.reader.Get(key);
    if (value != nullptr && !value->is_string() && !value->is_object())
        b.Problem(key,
                  "expected a text, or an object whose texts are looked for, found " + DescribeType(*value));
}

// {"at": pointer, "equals" | "contains" | "containsText" | "near" | "exists" | "count" | ...: ...}
void ReadGeneric(Builder& b) {
    b.expectation.pointer = b.Text("at");
    if (!b.expectation.pointer.empty() && b.expectation.pointer[0] != '/')
        b.reader.GetDiagnostics().Add(b.reader.PathOf("at"), "a location in the report starts with '/'");
    const std::vector<std::pair<const char*, Test>> tests = {{"equals", Test::Equals},
                                                             {"contains", Test::Contains},
                                                             {"notContains", Test::NotContains},
                                                             {"count", Test::Count},
                                                             {"containsText", Test::ContainsText},
                                                             {"notContainsText", Test::NotContainsText},
                                                             {"near", Test::Near},
                                                             {"exists", Test::Exists}};
    int given = 0;
    for (const auto& [key, test] : tests) {
        if (!b.reader.Has(key))
            continue;
        ++given;
        b.expectation.test = test;
        b.expectation.value = b.Value(key);
        if (test == Test::Near)
            ReadNear(b, b.expectation.pointer);
        else if (test == Test::ContainsText || test == Test::NotContainsText)
            CheckTextValue(b, key);
        else if (test == Test::Exists)
            b.Set(b.expectation.pointer, b.reader.Bool(key).value_or(true) ? Test::Exists : Test::Missing);
    }
    if (given != 1)
        b.Problem("", "give exactly one of \"equals\", \"contains\", \"notContains\", \"containsText\", "
                      "\"notContainsText\", \"near\", \"exists\", \"count\"");
}

void ReadElement(Builder& b) {
    const std::string id = b.Text("element");
    if (b.reader.Has("parameter")) {
        std::string pointer = Pointer({"elements", id, "parameters", b.Text("parameter")});
        if (b.reader.Has("equals") == b.reader.Has("near"))
            b.Problem("", "give one of \"equals\" and \"near\" for the parameter");
        if (b.reader.Has("near"))
            ReadNear(b, std::move(pointer));
        else
            b.Set(std::move(pointer), Test::Equals, b.Value("equals"));
    } else if (b.reader.Has("links")) {
        b.Set(Pointer({"elements", id, "links"}), Test::Equals, b.Value("links"));
    } else {
        const bool exists = b.reader.Bool("exists", true).value_or(true);
        b.Set(Pointer({"elements", id}), exists ? Test::Exists : Test::Missing);
    }
}

// What a stamp shows, each property a text list, a text (or null) or a story number.
bool CheckStampProperty(Builder& b, const std::string& key) {
    if (key == "lines" || key == "rooms")
        return b.reader.Strings(key).has_value();
    if (key == "story")
        return b.reader.Integer(key, -32768, 32767).has_value();
    const Json* value = b.reader.Get(key);
    return value->is_null() || ReadString(*value, b.reader.PathOf(key), b.reader.GetDiagnostics());
}

// With several properties each one is checked, once the stamp is there.
void ReadStamp(Builder& b) {
    const std::string id = b.Text("stamp");
    int given = 0;
    std::vector<Expectation> parts(1); // the first: the stamp exists
    for (const char* key : {"lines", "rooms", "apartmentId", "story"}) {
        if (!b.reader.Has(key))
            continue;
        ++given;
        if (!CheckStampProperty(b, key))
            continue;
        Expectation& part = parts.emplace_back();
        part.pointer = Pointer({"stamps", id, key});
        part.value = b.Value(key);
    }
    if (given == 0) {
        const bool exists = b.reader.Bool("exists").value_or(true);
        b.Set(Pointer({"stamps", id}), exists ? Test::Exists : Test::Missing);
    } else if (parts.size() == 2) {
        b.Set(parts[1].pointer, Test::Equals, parts[1].value);
    } else if (parts.size() > 2) {
        b.Set(Pointer({"stamps", id}), Test::All);
        parts[0].pointer = b.expectation.pointer;
        parts[0].test = Test::Exists;
        b.expectation.parts = std::move(parts);
    }
}

// An alert by resource ID, or by its whole title or text.
nlohmann::json AlertName(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    if (value.is_string())
        return value.get<std::string>();
    if (!value.is_number()) {
        diagnostics.Add(path,
                        "expected an alert ID or an alert's title or text, found " + DescribeType(value));
        return nullptr;
    }
    return ReadInteger(value, path, diagnostics, 0, 32767).value_or(0);
}

void ReadAlert(Builder& b) {
    b.Set("/alerts", b.reader.Bool("shown").value_or(true) ? Test::Alert : Test::NoAlert,
          AlertName(*b.reader.Get("alert"), b.reader.PathOf("alert"), b.reader.GetDiagnostics()));
    if (const std::optional<std::int64_t> answer = b.reader.Integer("answer", 1, 3))
        b.expectation.match = nlohmann::json{{"answer", *answer}};
}

// The alerts of this step, in order; "during" keeps those of the action or those of the echo.
void ReadStepAlerts(Builder& b) {
    const Json& list = *b.reader.Get("alerts");
    nlohmann::json names = nlohmann::json::array();
    if (!list.is_array())
        b.Problem("alerts", "expected an array of alert IDs and texts, found " + DescribeType(list));
    for (std::size_t i = 0; list.is_array() && i < list.size(); ++i)
        names.push_back(
            AlertName(list[i], IndexPath(b.reader.PathOf("alerts"), i), b.reader.GetDiagnostics()));
    b.Set("/alerts", Test::StepAlerts, names);
    b.expectation.match = nlohmann::json{{"step", b.step.value_or(-1)}};
    if (const std::optional<std::string> during = b.reader.String("during")) {
        if (*during != "action" && *during != "echo")
            b.Problem("during", "expected \"action\" or \"echo\", found \"" + *during + "\"");
        b.expectation.match["during"] = *during;
    }
    if (!b.step)
        b.Problem("alerts", "only the expectations of a step can list its alerts");
}

// In a step: that step's alerts; at the top level: the whole run's.
void ReadAlertCount(Builder& b) {
    b.Set("/alerts", Test::Count, b.reader.Integer("alertCount", 0, 0x7FFFFFFF, true).value_or(0));
    if (b.step)
        b.expectation.match = nlohmann::json{{"step", *b.step}};
}

// "/steps/3" -> 3; none at the top level.
std::optional<std::int64_t> StepIndex(const std::string& stepPointer) {
    const std::size_t slash = stepPointer.rfind('/');
    if (stepPointer.empty() || slash == std::string::npos)
        return std::nullopt;
    return std::stoll(stepPointer.substr(slash + 1));
}

using Reader = std::function<void(Builder&)>;

const std::vector<std::pair<const char*, Reader>>& Shorthands() {
    static const std::vector<std::pair<const char*, Reader>> shorthands = {
        {"at", ReadGeneric},
        {"element", ReadElement},
        {"stamp", ReadStamp},
        {"alert", ReadAlert},
        {"alerts", ReadStepAlerts},
        {"stampCount", [](Builder& b) { b.Set("/stamps", Test::Count, b.Value("stampCount")); }},
        {"apartment",
         [](Builder& b) {
             const std::string id = b.Text("apartment");
             b.Set(Pointer({"apartments", id}), Test::Equals, b.Value("rooms"));
             if (!b.reader.Has("rooms"))
                 b.reader.GetDiagnostics().Add(b.reader.PathOf("rooms"), "missing (required here)");
         }},
        {"roomsWithoutApartmentId",
         [](Builder& b) {
             b.Set("/roomsWithoutApartmentId", Test::Equals, b.Value("roomsWithoutApartmentId"));
         }},
        {"inconsistentRooms",
         [](Builder& b) { b.Set("/inconsistentRooms", Test::Equals, b.Value("inconsistentRooms")); }},
        {"staleStamps",
         [](Builder& b) {
             b.Set("/stampStatus", Test::Count,
                   b.reader.Integer("staleStamps", 0, 0x7FFFFFFF, true).value_or(0));
             b.expectation.match = nlohmann::json{{"status", "stale"}};
         }},
        {"silentlyStale",
         [](Builder& b) {
             b.Set("/stampStatus", Test::Keys,
                   b.reader.Strings("silentlyStale", true).value_or(std::vector<std::string>{}));
             b.expectation.match = nlohmann::json{{"silentlyStale", true}};
         }},
        {"alertCount", ReadAlertCount},
        {"paletteVisible",
         [](Builder& b) { b.Set("/palette/visible", Test::Equals, b.Value("paletteVisible")); }},
        {"paletteRooms", [](Builder& b) { b.Set("/palette/rooms", Test::Equals, b.Value("paletteRooms")); }},
        {"paletteStamps",
         [](Builder& b) { b.Set("/palette/stamps", Test::Equals, b.Value("paletteStamps")); }},
        {"debugLine", [](Builder& b) { b.Set("/debugLines", Test::ContainsText, b.Text("debugLine")); }},
        {"noDebugLine",
         [](Builder& b) { b.Set("/debugLines", Test::NotContainsText, b.Text("noDebugLine")); }},
        {"undoStep",
         [](Builder& b) {
             b.Set("/undoSteps", Test::Contains, nlohmann::json{{"name", b.Value("undoStep")}});
         }},
        {"undoStepCount", [](Builder& b) { b.Set("/undoSteps", Test::Count, b.Value("undoStepCount")); }},
        {"outstandingMemos",
         [](Builder& b) { b.Set("/host/outstandingMemos", Test::Equals, b.Value("outstandingMemos")); }},
        {"updateCycle", [](Builder& b) { b.Set("/host/updateCycle", Test::Equals, b.Value("updateCycle")); }},
        {"preferences", [](Builder& b) { b.Set("/preferences", Test::Equals, b.Value("preferences")); }},
    };
    return shorthands;
}

std::optional<Expectation> ReadOne(const Json& value, const std::string& path, Diagnostics& diagnostics,
                                   const std::string& stepPointer) {
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return std::nullopt;
    Expectation expectation;
    expectation.path = path;
    Builder builder{reader, expectation, StepIndex(stepPointer)};
    if (reader.Has("stepResult")) {
        if (stepPointer.empty())
            diagnostics.Add(reader.PathOf("stepResult"),
                            "only the expectations of a step can check its result");
        builder.Set(stepPointer + "/result", Test::Equals, reader.Code("stepResult").value_or(0));
        reader.Finish();
        return expectation;
    }
    for (const auto& [key, read] : Shorthands()) {
        if (reader.Has(key)) {
            expectation.shorthand = key;
            read(builder);
            reader.Finish();
            return expectation;
        }
    }
    std::string known = "stepResult";
    for (const auto& entry : Shorthands())
        known += std::string(", ") + entry.first;
    diagnostics.Add(path, "unknown expectation (it starts with one of: " + known + ")");
    return std::nullopt;
}

} // namespace

std::vector<Expectation> ReadExpectationList(const Json& value, const std::string& path,
                                             Diagnostics& diagnostics, const std::string& stepPointer) {
    std::vector<Expectation> expectations;
    if (!value.is_array()) {
        diagnostics.Add(path, "expected an array of expectations, found " + DescribeType(value));
        return expectations;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (auto expectation = ReadOne(value[i], IndexPath(path, i), diagnostics, stepPointer))
            expectations.push_back(std::move(*expectation));
    }
    return expectations;
}

std::vector<Expectation> ReadExpectations(const Json& value, const std::string& path,
                                          Diagnostics& diagnostics) {
    return ReadExpectationList(value, path, diagnostics, "");
}

} // namespace Scenario
