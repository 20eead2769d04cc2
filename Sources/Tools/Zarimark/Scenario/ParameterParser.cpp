#include <limits>
#include <map>

#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

const std::map<std::string, std::int32_t>& TypeCodes() {
    static const std::map<std::string, std::int32_t> codes = {
        {"integer", 1}, {"length", 2}, {"angle", 3}, {"real", 4}, {"pen", 11}, {"text", 12}, {"boolean", 13}};
    return codes;
}

std::optional<std::int32_t> ReadTypeCode(const Json& value, const std::string& path,
                                         Diagnostics& diagnostics) {
    if (value.is_number_integer())
        return ReadInteger(value, path, diagnostics, 0, 0x7FFFFFFF).value_or(0);
    if (value.is_string()) {
        const auto found = TypeCodes().find(value.get<std::string>());
        if (found != TypeCodes().end())
            return found->second;
    }
    diagnostics.Add(path, "expected a parameter type (integer, length, angle, real, pen, text, boolean, or a "
                          "type number), found " +
                              (value.is_primitive() ? value.dump() : DescribeType(value)));
    return std::nullopt;
}

bool ReadArrayRows(const Json& value, const std::string& path, Diagnostics& diagnostics,
                   ParameterValue& out) {
    // [x, y] is a column (N x 1); [[a, b], [c, d]] is N rows of M columns.
    const bool nested = !value.empty() && value[0].is_array();
    out.rows = static_cast<std::int32_t>(value.size());
    out.columns = nested ? static_cast<std::int32_t>(value[0].size()) : 1;
    bool texts = false;
    bool numbers = false;
    for (std::size_t row = 0; row < value.size(); ++row) {
        const Json& cells = value[row];
        if (nested != cells.is_array() || (nested && cells.size() != static_cast<std::size_t>(out.columns))) {
            diagnostics.Add(IndexPath(path, row), "every row of an array parameter must have the same shape");
            return false;
        }
        for (std::size_t column = 0; column < (nested ? cells.size() : 1); ++column) {
            const Json& cell = nested ? cells[column] : cells;
            const std::string cellPath =
                nested ? IndexPath(IndexPath(path, row), column) : IndexPath(path, row);
            if (cell.is_string()) {
                texts = true;
                out.texts.push_back(cell.get<std::string>());
            } else if (cell.is_number() || cell.is_boolean()) {
                numbers = true;
                out.numbers.push_back(cell.is_boolean() ? (cell.get<bool>() ? 1.0 : 0.0)
                                                        : cell.get<double>());
            } else {
                diagnostics.Add(cellPath, "expected a number or a text, found " + DescribeType(cell));
                return false;
            }
        }
    }
    if (texts && numbers) {
        diagnostics.Add(path, "an array parameter holds either numbers or texts, not both");
        return false;
    }
    out.shape = texts ? ParameterValue::Shape::TextArray : ParameterValue::Shape::NumberArray;
    return true;
}

std::optional<ParameterValue> ReadValue(const std::string& name, const Json& value, const std::string& path,
                                        Diagnostics& diagnostics) {
    ParameterValue result;
    result.name = name;
    result.path = path;
    if (name.empty() || name.size() > 31) {
        diagnostics.Add(path, "a parameter name has 1 to 31 characters: \"" + name + "\"");
        return std::nullopt;
    }
    if (value.is_string()) {
        result.shape = ParameterValue::Shape::Text;
        result.text = value.get<std::string>();
    } else if (value.is_boolean()) {
        result.shape = ParameterValue::Shape::Bool;
        result.number = value.get<bool>() ? 1.0 : 0.0;
    } else if (value.is_number()) {
        result.shape = ParameterValue::Shape::Number;
        result.number = value.get<double>();
    } else if (value.is_array()) {
        if (!ReadArrayRows(value, path, diagnostics, result))
            return std::nullopt;
    } else {
        diagnostics.Add(path, "expected a parameter value (number, text, boolean or array), found " +
                                  DescribeType(value));
        return std::nullopt;
    }
    return result;
}

std::optional<ParameterValue> ReadEntry(const Json& entry, const std::string& path,
                                        Diagnostics& diagnostics) {
    ObjectReader reader(entry, path, diagnostics);
    if (!reader.IsObject())
        return std::nullopt;
    const std::optional<std::string> name = reader.String("name", true);
    const Json* value = reader.Get("value", true);
    const Json* type = reader.Get("type");
    reader.Finish();
    if (!name || value == nullptr)
        return std::nullopt;
    std::optional<ParameterValue> result = ReadValue(*name, *value, reader.PathOf("value"), diagnostics);
    if (result && type != nullptr) {
        result->typeCode = ReadTypeCode(*type, reader.PathOf("type"), diagnostics);
        if (result->typeCode && *result->typeCode == 12 && result->shape != ParameterValue::Shape::Text &&
            result->shape != ParameterValue::Shape::TextArray)
            diagnostics.Add(reader.PathOf("value"), "a text parameter needs a text value");
    }
    return result;
}

} // namespace

std::vector<ParameterValue> ReadParameterValues(const Json& value, const std::string& path,
                                                Diagnostics& diagnostics) {
    std::vector<ParameterValue> values;
    if (value.is_object()) {
        for (auto item = value.begin(); item != value.end(); ++item) {
            if (auto read = ReadValue(item.key(), item.value(), KeyPath(path, item.key()), diagnostics))
                values.push_back(std::move(*read));
        }
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (auto read = ReadEntry(value[i], IndexPath(path, i), diagnostics))
                values.push_back(std::move(*read));
        }
    } else {
        diagnostics.Add(path, "expected parameters as an object {\"name\": value} or an array of "
                              "{\"name\", \"value\", \"type\"}, found " +
                                  DescribeType(value));
    }
    return values;
}

std::optional<Reservation> ReadReservation(const Json& value, const std::string& path,
                                           Diagnostics& diagnostics) {
    const std::optional<std::string> text = ReadString(value, path, diagnostics);
    if (!text)
        return std::nullopt;
    if (*text == "free")
        return Reservation::Free;
    if (*text == "me")
        return Reservation::ThisUser;
    if (*text == "other")
        return Reservation::OtherMember;
    diagnostics.Add(path, "expected \"free\", \"me\" or \"other\", found \"" + *text + "\"");
    return std::nullopt;
}

namespace {

// JSON has no NaN or infinity; the texts "NaN", "Infinity" and "-Infinity" stand for them.
std::optional<double> ReadArea(ObjectReader& reader, const std::string& key) {
    const Json* value = reader.Get(key);
    if (value == nullptr)
        return std::nullopt;
    if (value->is_string()) {
        const std::string text = value->get<std::string>();
        if (text == "NaN")
            return std::numeric_limits<double>::quiet_NaN();
        if (text == "Infinity")
            return std::numeric_limits<double>::infinity();
        if (text == "-Infinity")
            return -std::numeric_limits<double>::infinity();
    }
    if (value->is_number())
        return value->get<double>();
    reader.GetDiagnostics().Add(reader.PathOf(key),
                                "expected a number (or \"NaN\", \"Infinity\", "
                                "\"-Infinity\"), found " +
                                    (value->is_primitive() ? value->dump() : DescribeType(*value)));
    return std::nullopt;
}

} // namespace

AreaDesc ReadAreas(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    AreaDesc areas;
    ObjectReader reader(value, path, diagnostics);
    areas.a = ReadArea(reader, "a");
    areas.b = ReadArea(reader, "b");
    areas.c = ReadArea(reader, "c");
    areas.d = ReadArea(reader, "d");
    areas.e = ReadArea(reader, "e");
    reader.Finish();
    return areas;
}

std::optional<std::vector<ParameterValue>> ReadParametersField(ObjectReader& reader, bool required) {
    const Json* parameters = reader.Get("parameters", required);
    if (parameters == nullptr)
        return std::nullopt;
    return ReadParameterValues(*parameters, reader.PathOf("parameters"), reader.GetDiagnostics());
}

} // namespace Scenario
