#ifndef ZARIMARK_SCENARIO_JSONREADER_HPP
#define ZARIMARK_SCENARIO_JSONREADER_HPP

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Scenario/Diagnostics.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Scenario {

// Keys keep the file's order: parameter lists written as objects are ordered.
using Json = nlohmann::ordered_json;

std::string KeyPath(const std::string& path, const std::string& key);
std::string IndexPath(const std::string& path, std::size_t index);
std::string DescribeType(const Json& value); // "a number", "an array", ...

// Typed reads of single values; each reports a wrong type at `path` and gives nothing.
std::optional<std::string> ReadString(const Json& value, const std::string& path, Diagnostics& diagnostics);
std::optional<double> ReadNumber(const Json& value, const std::string& path, Diagnostics& diagnostics);
std::optional<std::int64_t> ReadInteger(const Json& value, const std::string& path, Diagnostics& diagnostics,
                                        std::int64_t min, std::int64_t max);
std::optional<bool> ReadBool(const Json& value, const std::string& path, Diagnostics& diagnostics);
std::optional<Point> ReadPoint(const Json& value, const std::string& path, Diagnostics& diagnostics);
std::optional<std::vector<Point>> ReadPoints(const Json& value, const std::string& path,
                                             Diagnostics& diagnostics);
std::optional<std::vector<std::string>> ReadStrings(const Json& value, const std::string& path,
                                                    Diagnostics& diagnostics);
// A result code: a number, or a text "0x8106012F" / "-2129788927".
std::optional<std::int32_t> ReadCode(const Json& value, const std::string& path, Diagnostics& diagnostics);

// Reads the fields of one JSON object and, at Finish, reports every field nobody asked for.
class ObjectReader {
public:
    ObjectReader(const Json& value, std::string path, Diagnostics& diagnostics);

    bool IsObject() const { return object_ != nullptr; }
    const std::string& GetPath() const { return path_; }
    Diagnostics& GetDiagnostics() { return diagnostics_; }
    bool Has(const std::string& key) const;
    // The value of a field (marked as known), or null. `required` reports a missing field.
    const Json* Get(const std::string& key, bool required = false);
    std::string PathOf(const std::string& key) const { return KeyPath(path_, key); }
    void Allow(const std::string& key) { known_.insert(key); }
    void AllowAll(); // nothing more to say about this object's fields

    std::optional<std::string> String(const std::string& key, bool required = false);
    std::optional<double> Number(const std::string& key, bool required = false);
    std::optional<std::int64_t> Integer(const std::string& key, std::int64_t min, std::int64_t max,
                                        bool required = false);
    std::optional<bool> Bool(const std::string& key, bool required = false);
    std::optional<Point> PointField(const std::string& key, bool required = false);
    std::optional<std::vector<Point>> Points(const std::string& key, bool required = false);
    std::optional<std::vector<std::string>> Strings(const std::string& key, bool required = false);
    std::optional<std::int32_t> Code(const std::string& key, bool required = false);

    // Reports unknown fields, naming the ones that are allowed here.
    void Finish();

private:
    const Json* object_ = nullptr;
    std::string path_;
    Diagnostics& diagnostics_;
    std::set<std::string> known_;
};

} // namespace Scenario

#endif
