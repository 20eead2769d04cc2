#include "Run/ParameterConversion.hpp"

#include <algorithm>

namespace Run {

namespace {

using Shape = Scenario::ParameterValue::Shape;

bool IsTextShape(Shape shape) {
    return shape == Shape::Text || shape == Shape::TextArray;
}

bool IsArrayShape(Shape shape) {
    return shape == Shape::NumberArray || shape == Shape::TextArray;
}

std::vector<GS::UniString> ToUniStrings(const std::vector<std::string>& texts) {
    std::vector<GS::UniString> result;
    result.reserve(texts.size());
    for (const std::string& text : texts)
        result.emplace_back(text);
    return result;
}

} // namespace

bool ToHostParameter(const Scenario::ParameterValue& value, const Headless::Parameter* declared,
                     Headless::Parameter* result, std::string* error) {
    Int32 type = value.typeCode.value_or(IsTextShape(value.shape)     ? APIParT_CString
                                         : value.shape == Shape::Bool ? APIParT_Boolean
                                                                      : APIParT_RealNum);
    if (declared != nullptr && !value.typeCode) {
        const bool declaredText = declared->GetType() == APIParT_CString;
        if (declaredText != IsTextShape(value.shape)) {
            *error = std::string("the library part declares \"") + value.name + "\" as " +
                     (declaredText ? "a text" : "a number") + " parameter";
            return false;
        }
        if (declared->IsArray() != IsArrayShape(value.shape) &&
            !(value.shape == Shape::NumberArray && value.rows == 0)) {
            *error = std::string("the library part declares \"") + value.name + "\" as " +
                     (declared->IsArray() ? "an array" : "a single value");
            return false;
        }
        type = declared->GetType();
    }
    switch (value.shape) {
    case Shape::Number:
    case Shape::Bool:
        *result = Headless::Parameter::Real(value.name, value.number, type);
        break;
    case Shape::Text:
        if (GS::UniString(value.text).GetLength() > 255) {
            *error = "a text value holds at most 255 UTF-16 units";
            return false;
        }
        *result = Headless::Parameter::Text(value.name, GS::UniString(value.text));
        break;
    case Shape::NumberArray:
        if (declared != nullptr && declared->GetType() == APIParT_CString && value.rows == 0)
            *result = Headless::Parameter::TextArray(value.name, 0, 1, {});
        else
            *result =
                Headless::Parameter::NumberArray(value.name, value.rows, value.columns, value.numbers, type);
        break;
    case Shape::TextArray:
        *result =
            Headless::Parameter::TextArray(value.name, value.rows, value.columns, ToUniStrings(value.texts));
        break;
    }
    if (declared != nullptr) {
        // The description and flags of the declaration stay; only the value is the scenario's.
        std::copy(std::begin(declared->record.uDescname), std::end(declared->record.uDescname),
                  std::begin(result->record.uDescname));
        result->record.flags = declared->record.flags;
        result->record.index = declared->record.index;
    }
    return true;
}

bool MergeParameterValues(const Headless::ParameterList& declared,
                          const std::vector<Scenario::ParameterValue>& values,
                          const std::vector<std::string>& without, Headless::ParameterList* result,
                          std::string* errorPath, std::string* error) {
    *result = declared;
    for (const Scenario::ParameterValue& value : values) {
        Headless::Parameter* existing = Headless::FindParameter(*result, value.name);
        Headless::Parameter converted;
        if (!ToHostParameter(value, existing, &converted, error)) {
            *errorPath = value.path;
            return false;
        }
        if (existing != nullptr)
            *existing = converted;
        else
            result->push_back(converted);
    }
    for (const std::string& name : without) {
        result->erase(
            std::remove_if(result->begin(), result->end(),
                           [&](const Headless::Parameter& parameter) { return parameter.GetName() == name; }),
            result->end());
    }
    return true;
}

} // namespace Run
