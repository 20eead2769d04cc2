#include "Scenario/JsonReader.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace Scenario {

std::string KeyPath(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string IndexPath(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string DescribeType(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return "a boolean";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
        return "a number";
    case Json::value_t::string:
        return "a text";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::object:
        return "an object";
    default:
        return "an unsupported value";
    }
}

namespace {

void WrongType(const Json& value, const std::string& path, const char* expected, Diagnostics& diagnostics) {
    diagnostics.Add(path, std::string("expected ") + expected + ", found " + DescribeType(value));
}

std::optional<std::int32_t> ParseCodeText(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const long long value = hex ? static_cast<long long>(std::strtoull(text.c_str() + 2, &end, 16))
                                : std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0')
        return std::nullopt;
    if (hex && value >= 0 && value <= 0xFFFFFFFFLL)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    if (!hex && value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(value);
    return std::nullopt;
}

} // namespace

std::optional<std::string> ReadString(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    if (!value.is_string()) {
        WrongType(value, path, "a text", diagnostics);
        return std::nullopt;
    }
    return value.get<std::string>();
}

std::optional<double> ReadNumber(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    if (!value.is_number()) {
        WrongType(value, path, "a number", diagnostics);
        return std::nullopt;
    }
    return value.get<double>();
}

std::optional<std::int64_t> ReadInteger(const Json& value, const std::string& path, Diagnostics& diagnostics,
                                        std::int64_t min, std::int64_t max) {
    std::int64_t result = 0;
    if (value.is_number_integer()) {
        result = value.get<std::int64_t>();
    } else if (value.is_number_unsigned()) {
        const std::uint64_t unsignedValue = value.get<std::uint64_t>();
        if (unsignedValue > static_cast<std::uint64_t>(max)) {
            diagnostics.Add(path, "expected a whole number from " + std::to_string(min) + " to " +
                                      std::to_string(max) + ", found " + value.dump());
            return std::nullopt;
        }
        result = static_cast<std::int64_t>(unsignedValue);
    } else if (value.is_number_float() && std::floor(value.get<double>()) == value.get<double>() &&
               std::fabs(value.get<double>()) < 9.0e15) {
        result = static_cast<std::int64_t>(value.get<double>());
    } else {
        if (value.is_number())
            diagnostics.Add(path, "expected a whole number, found " + value.dump());
        else
            WrongType(value, path, "a whole number", diagnostics);
        return std::nullopt;
    }
    if (result < min || result > max) {
        diagnostics.Add(path, "expected a whole number from " + std::to_string(min) + " to " +
                                  std::to_string(max) + ", found " + std::to_string(result));
        return std::nullopt;
    }
    return result;
}

std::optional<bool> ReadBool(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    if (!value.is_boolean()) {
        WrongType(value, path, "true or false", diagnostics);
        return std::nullopt;
    }
    return value.get<bool>();
}

std::optional<Point> ReadPoint(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    if (!value.is_array() || value.size() != 2 || !value[0].is_number() || !value[1].is_number()) {
        diagnostics.Add(path, "expected a point [x, y], found " +
                                  (value.is_array() ? value.dump() : DescribeType(value)));
        return std::nullopt;
    }
    return Point{value[0].get<double>(), value[1].get<double>()};
}

std::optional<std::vector<Point>> ReadPoints(const Json& value, const std::string& path,
                                             Diagnostics& diagnostics) {
    if (!value.is_array()) {
        WrongType(value, path, "an array of points", diagnostics);
        return std::nullopt;
    }
    std::vector<Point> points;
    bool ok = true;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::optional<Point> point = ReadPoint(value[i], IndexPath(path, i), diagnostics);
        ok = ok && point.has_value();
        if (point)
            points.push_back(*point);
    }
    if (!ok)
        return std::nullopt;
    return points;
}

std::optional<std::vector<std::string>> ReadStrings(const Json& value, const std::string& path,
                                                    Diagnostics& diagnostics) {
    if (!value.is_array()) {
        WrongType(value, path, "an array of texts", diagnostics);
        return std::nullopt;
    }
    std::vector<std::string> texts;
    bool ok = true;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::optional<std::string> text = ReadString(value[i], IndexPath(path, i), diagnostics);
        ok = ok && text.has_value();
        if (text)
            texts.push_back(*text);
    }
    if (!ok)
        return std::nullopt;
    return texts;
}

std::optional<std::int32_t> ReadCode(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    if (value.is_number_integer() || value.is_number_unsigned()) {
        const std::int64_t number = value.is_number_unsigned()
                                        ? static_cast<std::int64_t>(value.get<std::uint64_t>())
                                        : value.get<std::int64_t>();
        if (number >= std::numeric_limits<std::int32_t>::min() && number <= 0xFFFFFFFFLL)
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    } else if (value.is_string()) {
        if (const std::optional<std::int32_t> code = ParseCodeText(value.get<std::string>()))
            return code;
    }
    diagnostics.Add(path, "expected a result code (a number, or a text such as \"0x8106012F\"), found " +
                              (value.is_primitive() ? value.dump() : DescribeType(value)));
    return std::nullopt;
}

ObjectReader::ObjectReader(const Json& value, std::string path, Diagnostics& diagnostics)
    : path_(std::move(path)), diagnostics_(diagnostics) {
    if (value.is_object())
        object_ = &value;
    else
        WrongType(value, path_.empty() ? "(top level)" : path_, "an object", diagnostics_);
}

bool ObjectReader::Has(const std::string& key) const {
    return object_ != nullptr && object_->contains(key);
}

const Json* ObjectReader::Get(const std::string& key, bool required) {
    known_.insert(key);
    if (object_ == nullptr)
        return nullptr;
    const auto found = object_->find(key);
    if (found == object_->end()) {
        if (required)
            diagnostics_.Add(PathOf(key), "missing (required here)");
        return nullptr;
    }
    return &*found;
}

std::optional<std::string> ObjectReader::String(const std::string& key, bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadString(*value, PathOf(key), diagnostics_) : std::nullopt;
}

std::optional<double> ObjectReader::Number(const std::string& key, bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadNumber(*value, PathOf(key), diagnostics_) : std::nullopt;
}

std::optional<std::int64_t> ObjectReader::Integer(const std::string& key, std::int64_t min, std::int64_t max,
                                                  bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadInteger(*value, PathOf(key), diagnostics_, min, max) : std::nullopt;
}

std::optional<bool> ObjectReader::Bool(const std::string& key, bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadBool(*value, PathOf(key), diagnostics_) : std::nullopt;
}

std::optional<Point> ObjectReader::PointField(const std::string& key, bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadPoint(*value, PathOf(key), diagnostics_) : std::nullopt;
}

std::optional<std::vector<Point>> ObjectReader::Points(const std::string& key, bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadPoints(*value, PathOf(key), diagnostics_) : std::nullopt;
}

std::optional<std::vector<std::string>> ObjectReader::Strings(const std::string& key, bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadStrings(*value, PathOf(key), diagnostics_) : std::nullopt;
}

std::optional<std::int32_t> ObjectReader::Code(const std::string& key, bool required) {
    const Json* value = Get(key, required);
    return value != nullptr ? ReadCode(*value, PathOf(key), diagnostics_) : std::nullopt;
}

void ObjectReader::AllowAll() {
    if (object_ == nullptr)
        return;
    for (auto item = object_->begin(); item != object_->end(); ++item)
        known_.insert(item.key());
}

void ObjectReader::Finish() {
    if (object_ == nullptr)
        return;
    for (auto item = object_->begin(); item != object_->end(); ++item) {
        if (known_.count(item.key()) != 0)
            continue;
        std::string allowed;
        for (const std::string& key : known_)
            allowed += (allowed.empty() ? "" : ", ") + key;
        diagnostics_.Add(PathOf(item.key()),
                         "unknown field" +
                             (allowed.empty() ? std::string() : " (allowed here: " + allowed + ")"));
    }
}

} // namespace Scenario
