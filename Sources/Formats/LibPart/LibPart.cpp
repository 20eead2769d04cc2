#include "Formats/LibPart/LibPart.hpp"

#include <cmath>
#include <limits>

namespace LibPartFormat {

namespace {

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

std::string CheckName(const std::string& name) {
    if (name.empty() || name.size() > MaxNameLength)
        return "the name must have 1 to " + std::to_string(MaxNameLength) + " characters, it has " +
               std::to_string(name.size());
    if (!IsNameStart(name[0]))
        return "the name must start with a letter or an underscore";
    for (char c : name)
        if (!IsNameChar(c))
            return "the name may hold only letters, digits and underscores";
    return {};
}

std::string CheckShape(const Parameter& parameter) {
    if (!parameter.isArray && (parameter.rows != 0 || parameter.columns != 0))
        return "a scalar has dimensions 0 x 0, not " + std::to_string(parameter.rows) + " x " +
               std::to_string(parameter.columns);
    if (parameter.isArray && (parameter.rows < 0 || parameter.columns < 1))
        return "an array needs at least 0 rows and 1 column, not " + std::to_string(parameter.rows) + " x " +
               std::to_string(parameter.columns);
    const std::size_t expected = parameter.ValueCount();
    const std::size_t held = parameter.IsText() ? parameter.texts.size() : parameter.numbers.size();
    const std::size_t other = parameter.IsText() ? parameter.numbers.size() : parameter.texts.size();
    if (held != expected || other != 0)
        return "expected " + std::to_string(expected) + (parameter.IsText() ? " text" : " number") +
               " values, found " + std::to_string(held) + " and " + std::to_string(other) +
               " of the other kind";
    return {};
}

std::string CheckNumber(ParamType type, double value, std::size_t index) {
    const std::string where = "value " + std::to_string(index) + " ";
    if (!std::isfinite(value))
        return where + "is not a finite number";
    const bool whole =
        value == std::floor(value) && std::fabs(value) <= std::numeric_limits<std::int32_t>::max();
    if ((type == ParamType::Integer || type == ParamType::PenColor) && !whole)
        return where + "must be a whole 32-bit number";
    if (type == ParamType::Boolean && value != 0.0 && value != 1.0)
        return where + "of a boolean must be 0 or 1";
    return {};
}

std::string CheckText(const Parameter& parameter, const std::u16string& text, std::size_t index) {
    const std::string where = "text " + std::to_string(index) + " ";
    if (text.find(u'\0') != std::u16string::npos)
        return where + "holds a zero unit, which would cut it short";
    if (!parameter.isArray && text.size() > MaxTextUnits)
        return where + "has " + std::to_string(text.size()) + " UTF-16 units, at most " +
               std::to_string(MaxTextUnits) + " fit a scalar text";
    return {};
}

std::string CheckValues(const Parameter& parameter) {
    for (std::size_t k = 0; k < parameter.numbers.size(); ++k)
        if (std::string problem = CheckNumber(parameter.type, parameter.numbers[k], k); !problem.empty())
            return problem;
    for (std::size_t k = 0; k < parameter.texts.size(); ++k)
        if (std::string problem = CheckText(parameter, parameter.texts[k], k); !problem.empty())
            return problem;
    return {};
}

} // namespace

bool IsKnownParamType(std::int32_t typeCode) {
    switch (static_cast<ParamType>(typeCode)) {
    case ParamType::Integer:
    case ParamType::Length:
    case ParamType::Angle:
    case ParamType::RealNum:
    case ParamType::PenColor:
    case ParamType::Text:
    case ParamType::Boolean:
        return true;
    }
    return false;
}

std::size_t Parameter::ValueCount() const {
    if (!isArray)
        return 1;
    if (rows < 0 || columns < 0)
        return 0;
    return static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
}

bool Parameter::operator==(const Parameter& other) const {
    return name == other.name && description == other.description && type == other.type &&
           isArray == other.isArray && rows == other.rows && columns == other.columns &&
           numbers == other.numbers && texts == other.texts;
}

std::string CheckParameter(const Parameter& parameter) {
    std::string problem = CheckName(parameter.name);
    if (problem.empty() && parameter.description.size() > MaxTextUnits)
        problem = "the description has " + std::to_string(parameter.description.size()) +
                  " UTF-16 units, at most " + std::to_string(MaxTextUnits) + " fit";
    if (problem.empty() && !IsKnownParamType(static_cast<std::int32_t>(parameter.type)))
        problem = "unknown type code " + std::to_string(static_cast<std::int32_t>(parameter.type));
    if (problem.empty())
        problem = CheckShape(parameter);
    if (problem.empty())
        problem = CheckValues(parameter);
    return problem;
}

const Parameter* LibPart::FindParameter(const std::string& parameterName) const {
    for (const Parameter& parameter : parameters)
        if (parameter.name == parameterName)
            return &parameter;
    return nullptr;
}

bool LibPart::SameContent(const LibPart& other) const {
    return name == other.name && mainGuid == other.mainGuid && revisionGuid == other.revisionGuid &&
           ancestry == other.ancestry && macros == other.macros && masterScript == other.masterScript &&
           script2D == other.script2D && uiScript == other.uiScript &&
           parameterScript == other.parameterScript && parameters == other.parameters &&
           author == other.author && license == other.license && keywords == other.keywords &&
           comment == other.comment;
}

} // namespace LibPartFormat
