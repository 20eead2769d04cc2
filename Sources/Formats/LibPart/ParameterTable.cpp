#include "Formats/LibPart/ParameterTable.hpp"

#include <set>

namespace LibPartFormat {

namespace {

constexpr std::size_t MinTextValueSize = 4; // its unit count
constexpr std::size_t NumberValueSize = 8;

std::string Quoted(const std::string& name) {
    return "parameter \"" + name + "\"";
}

void DecodeType(CheckedReader& in, Parameter& parameter) {
    const std::size_t at = in.Position();
    const std::int32_t typeCode = in.I32("the parameter's type code");
    if (!IsKnownParamType(typeCode))
        in.Fail(at, Quoted(parameter.name) + " has unknown type code " + std::to_string(typeCode) +
                        ", expected 1, 2, 3, 4, 11, 12 or 13");
    parameter.type = static_cast<ParamType>(typeCode);
    const std::size_t flagAt = in.Position();
    const std::uint16_t arrayFlag = in.U16("the parameter's array flag");
    if (arrayFlag != 0 && arrayFlag != ArrayFlag)
        in.Fail(flagAt, Quoted(parameter.name) + " has array flag " + std::to_string(arrayFlag) +
                            ", expected 0 (scalar) or 2 (array)");
    parameter.isArray = arrayFlag == ArrayFlag;
}

void DecodeShape(CheckedReader& in, Parameter& parameter) {
    const std::size_t at = in.Position();
    parameter.rows = in.I32("the parameter's first dimension");
    parameter.columns = in.I32("the parameter's second dimension");
    const bool scalarOk = !parameter.isArray && parameter.rows == 0 && parameter.columns == 0;
    const bool arrayOk = parameter.isArray && parameter.rows >= 0 && parameter.columns >= 1;
    if (!scalarOk && !arrayOk)
        in.Fail(at, Quoted(parameter.name) + " has dimensions " + std::to_string(parameter.rows) + " x " +
                        std::to_string(parameter.columns) +
                        (parameter.isArray ? ", expected at least 0 x 1 for an array"
                                           : ", expected 0 x 0 for a scalar"));
}

void DecodeValues(CheckedReader& in, Parameter& parameter) {
    const std::size_t count = parameter.ValueCount();
    const std::size_t each = parameter.IsText() ? MinTextValueSize : NumberValueSize;
    if (count > in.Remaining() / each)
        in.Fail(in.Position(), Quoted(parameter.name) + " declares " + std::to_string(count) +
                                   " values but only " + std::to_string(in.Remaining()) + " bytes remain");
    for (std::size_t k = 0; k < count; ++k) {
        if (parameter.IsText())
            parameter.texts.push_back(in.CountedUtf16("a text value"));
        else
            parameter.numbers.push_back(in.F64("a number value"));
    }
}

Parameter DecodeParameter(CheckedReader& in) {
    Parameter parameter;
    const std::size_t nameAt = in.Position();
    const std::uint32_t nameLength = in.U32("the parameter's name length");
    if (nameLength == 0 || nameLength > MaxNameLength)
        in.Fail(nameAt, "parameter name length " + std::to_string(nameLength) + ", expected 1 to " +
                            std::to_string(MaxNameLength));
    parameter.name = std::string(in.Raw(nameLength, "the parameter's name"));
    parameter.description = in.CountedUtf16("the parameter's description");
    DecodeType(in, parameter);
    DecodeShape(in, parameter);
    DecodeValues(in, parameter);
    if (const std::string problem = CheckParameter(parameter); !problem.empty())
        in.Fail(nameAt, Quoted(parameter.name) + ": " + problem);
    return parameter;
}

void EncodeParameter(const Parameter& parameter, Formats::ByteWriter& out) {
    out.U32(static_cast<std::uint32_t>(parameter.name.size()));
    out.Raw(parameter.name);
    out.CountedUtf16(parameter.description);
    out.I32(static_cast<std::int32_t>(parameter.type));
    out.U16(parameter.isArray ? ArrayFlag : 0);
    out.I32(parameter.rows);
    out.I32(parameter.columns);
    for (double number : parameter.numbers)
        out.F64(number);
    for (const std::u16string& text : parameter.texts)
        out.CountedUtf16(text);
}

} // namespace

std::string CheckParameterTable(const std::vector<Parameter>& parameters) {
    std::set<std::string> names;
    for (const Parameter& parameter : parameters) {
        if (const std::string problem = CheckParameter(parameter); !problem.empty())
            return Quoted(parameter.name) + ": " + problem;
        if (!names.insert(parameter.name).second)
            return Quoted(parameter.name) + " is declared twice";
    }
    return {};
}

void EncodeParameterTable(const std::vector<Parameter>& parameters, Formats::ByteWriter& out) {
    out.U32(static_cast<std::uint32_t>(parameters.size()));
    for (const Parameter& parameter : parameters)
        EncodeParameter(parameter, out);
}

std::vector<Parameter> DecodeParameterTable(CheckedReader& in) {
    const std::uint32_t count = in.U32("the parameter count");
    std::vector<Parameter> parameters;
    std::set<std::string> names;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::size_t at = in.Position();
        Parameter parameter = DecodeParameter(in);
        if (!names.insert(parameter.name).second)
            in.Fail(at, Quoted(parameter.name) + " is declared twice");
        parameters.push_back(std::move(parameter));
    }
    in.ExpectEnd("parameter table");
    return parameters;
}

} // namespace LibPartFormat
