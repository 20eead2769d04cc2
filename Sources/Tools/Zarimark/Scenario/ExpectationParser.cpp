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
};

// {"at": pointer, "equals" | "contains" | "notContains" | "exists" | "count": ...}
void ReadGeneric(Builder& b) {
    b.expectation.pointer = b.Text("at");
    if (!b.expectation.pointer.empty() && b.expectation.pointer[0] != '/')
        b.reader.GetDiagnostics().Add(b.reader.PathOf("at"), "a location in the report starts with '/'");
    const std::vector<std::pair<const char*, Test>> tests = {{"equals", Test::Equals},
                                                             {"contains", Test::Contains},
                                                             {"notContains", Test::NotContains},
                                                             {"count", Test::Count}};
    int given = 0;
    for (const auto& [key, test] : tests) {
        if (b.reader.Has(key)) {
            ++given;
            b.expectation.test = test;
            b.expectation.value = b.Value(key);
        }
    }
    if (b.reader.Has("exists")) {
        ++given;
        b.expectation.test = b.reader.Bool("exists").value_or(true) ? Test::Exists : Test::Missing;
    }
    if (given != 1)
        b.reader.GetDiagnostics().Add(
            b.reader.GetPath(),
            "give exactly one of \"equals\", \"contains\", \"notContains\", \"exists\", \"count\"");
}

void ReadElement(Builder& b) {
    const std::string id = b.Text("element");
    if (b.reader.Has("parameter")) {
        const std::string name = b.Text("parameter");
        b.Set(Pointer({"elements", id, "parameters", name}), Test::Equals, b.Value("equals"));
        if (!b.reader.Has("equals"))
            b.reader.GetDiagnostics().Add(b.reader.PathOf("equals"), "missing (required here)");
    } else if (b.reader.Has("links")) {
        b.Set(Pointer({"elements", id, "links"}), Test::Equals, b.Value("links"));
    } else {
        const bool exists = b.reader.Bool("exists", true).value_or(true);
        b.Set(Pointer({"elements", id}), exists ? Test::Exists : Test::Missing);
    }
}

void ReadStamp(Builder& b) {
    const std::string id = b.Text("stamp");
    int given = 0;
    for (const char* key : {"lines", "rooms", "apartmentId", "story"}) {
        if (b.reader.Has(key)) {
            ++given;
            b.Set(Pointer({"stamps", id, key}), Test::Equals, b.Value(key));
        }
    }
    if (given == 0) {
        const bool exists = b.reader.Bool("exists").value_or(true);
        b.Set(Pointer({"stamps", id}), exists ? Test::Exists : Test::Missing);
    } else if (given > 1) {
        b.reader.GetDiagnostics().Add(b.reader.GetPath(), "one stamp expectation checks one of lines, rooms, "
                                                          "apartmentId, story");
    }
}

void ReadAlert(Builder& b) {
    nlohmann::json match;
    const Json* alert = b.reader.Get("alert");
    if (alert->is_string())
        match["text"] = alert->get<std::string>();
    else
        match["id"] =
            ReadInteger(*alert, b.reader.PathOf("alert"), b.reader.GetDiagnostics(), 0, 32767).value_or(0);
    if (b.reader.Has("answer"))
        match["answer"] = b.Value("answer");
    const bool shown = b.reader.Bool("shown").value_or(true);
    b.Set("/alerts", shown ? Test::Contains : Test::NotContains, match);
}

using Reader = std::function<void(Builder&)>;

const std::vector<std::pair<const char*, Reader>>& Shorthands() {
    static const std::vector<std::pair<const char*, Reader>> shorthands = {
        {"at", ReadGeneric},
        {"element", ReadElement},
        {"stamp", ReadStamp},
        {"alert", ReadAlert},
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
        {"alertCount", [](Builder& b) { b.Set("/alerts", Test::Count, b.Value("alertCount")); }},
        {"paletteVisible",
         [](Builder& b) { b.Set("/palette/visible", Test::Equals, b.Value("paletteVisible")); }},
        {"paletteRooms", [](Builder& b) { b.Set("/palette/rooms", Test::Equals, b.Value("paletteRooms")); }},
        {"paletteStamps",
         [](Builder& b) { b.Set("/palette/stamps", Test::Equals, b.Value("paletteStamps")); }},
        {"debugLine", [](Builder& b) { b.Set("/debugLines", Test::Contains, b.Value("debugLine")); }},
        {"noDebugLine", [](Builder& b) { b.Set("/debugLines", Test::NotContains, b.Value("noDebugLine")); }},
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
    Builder builder{reader, expectation};
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
