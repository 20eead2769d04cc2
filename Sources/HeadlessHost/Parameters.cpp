#include "HeadlessHost/Parameters.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Headless {

namespace {

constexpr std::size_t RecordSize = sizeof(API_AddParType);

void SetName(API_AddParType& record, const std::string& name) {
    const std::size_t length = std::min(name.size(), static_cast<std::size_t>(API_NameLen - 1));
    std::memcpy(record.name, name.data(), length);
    record.name[length] = '\0';
}

Parameter Declared(const std::string& name, Int32 type) {
    Parameter parameter;
    parameter.record.typeID = type;
    SetName(parameter.record, name);
    return parameter;
}

Parameter DeclaredArray(const std::string& name, Int32 type, Int32 dim1, Int32 dim2) {
    Parameter parameter = Declared(name, type);
    parameter.record.typeMod = API_ParArray;
    parameter.record.dim1 = dim1;
    parameter.record.dim2 = dim2;
    return parameter;
}

std::vector<char> TextUnits(const std::vector<GS::UniString>& texts) {
    std::vector<char> bytes;
    for (const GS::UniString& text : texts) {
        const std::u16string& units = text.GetUnits();
        const std::size_t start = bytes.size();
        bytes.resize(start + (units.size() + 1) * sizeof(char16_t), 0);
        std::memcpy(bytes.data() + start, units.data(), units.size() * sizeof(char16_t));
    }
    return bytes;
}

std::string FormatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.10g", value);
    return text;
}

} // namespace

Parameter::Parameter() {
    std::memset(&record, 0, RecordSize);
}

std::string Parameter::GetName() const {
    const char* end = static_cast<const char*>(std::memchr(record.name, '\0', API_NameLen));
    return std::string(record.name, end != nullptr ? end : record.name + API_NameLen);
}

double Parameter::GetReal() const {
    double value = 0.0;
    std::memcpy(&value, &record.value, sizeof(value));
    return value;
}

GS::UniString Parameter::GetText() const {
    char16_t units[API_UniLongNameLen];
    std::memcpy(units, record.value.uStr, sizeof(units));
    USize length = 0;
    while (length < API_UniLongNameLen && units[length] != 0)
        ++length;
    return GS::UniString(units, length);
}

std::vector<double> Parameter::GetNumbers() const {
    std::vector<double> values(arrayData.size() / sizeof(double));
    if (!values.empty())
        std::memcpy(values.data(), arrayData.data(), values.size() * sizeof(double));
    return values;
}

std::vector<GS::UniString> Parameter::GetTexts() const {
    std::vector<GS::UniString> texts;
    const std::size_t unitCount = arrayData.size() / sizeof(char16_t);
    std::u16string current;
    bool open = false;
    for (std::size_t i = 0; i < unitCount; ++i) {
        char16_t unit = 0;
        std::memcpy(&unit, arrayData.data() + i * sizeof(char16_t), sizeof(unit));
        if (unit == 0) {
            texts.emplace_back(current);
            current.clear();
            open = false;
        } else {
            current += unit;
            open = true;
        }
    }
    if (open)
        texts.emplace_back(current);
    return texts;
}

Parameter Parameter::Real(const std::string& name, double value, Int32 type) {
    Parameter parameter = Declared(name, type);
    parameter.record.value.real = value;
    return parameter;
}

Parameter Parameter::Text(const std::string& name, const GS::UniString& value) {
    Parameter parameter = Declared(name, APIParT_CString);
    const std::u16string& units = value.GetUnits();
    const std::size_t length = std::min(units.size(), static_cast<std::size_t>(API_UniLongNameLen - 1));
    std::memcpy(parameter.record.value.uStr, units.data(), length * sizeof(char16_t));
    return parameter;
}

Parameter Parameter::NumberArray(const std::string& name, Int32 dim1, Int32 dim2,
                                 const std::vector<double>& values, Int32 type) {
    Parameter parameter = DeclaredArray(name, type, dim1, dim2);
    parameter.arrayData.resize(values.size() * sizeof(double));
    if (!values.empty())
        std::memcpy(parameter.arrayData.data(), values.data(), parameter.arrayData.size());
    return parameter;
}

Parameter Parameter::TextArray(const std::string& name, Int32 dim1, Int32 dim2,
                               const std::vector<GS::UniString>& values) {
    Parameter parameter = DeclaredArray(name, APIParT_CString, dim1, dim2);
    parameter.arrayData = TextUnits(values);
    return parameter;
}

const Parameter* FindParameter(const ParameterList& parameters, const std::string& name) {
    for (const Parameter& parameter : parameters) {
        if (parameter.GetName() == name)
            return &parameter;
    }
    return nullptr;
}

Parameter* FindParameter(ParameterList& parameters, const std::string& name) {
    return const_cast<Parameter*>(FindParameter(static_cast<const ParameterList&>(parameters), name));
}

GSHandle EncodeParameters(const ParameterList& parameters) {
    GSHandle handle =
        BMAllocateHandle(static_cast<GSSize>(parameters.size() * RecordSize), ALLOCATE_CLEAR, 0);
    if (handle == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        API_AddParType record = parameters[i].record;
        if (parameters[i].IsArray()) {
            const std::vector<char>& data = parameters[i].arrayData;
            record.value.array = BMAllocateHandle(static_cast<GSSize>(data.size()), ALLOCATE_CLEAR, 0);
            if (record.value.array != nullptr && !data.empty())
                std::memcpy(*record.value.array, data.data(), data.size());
        }
        std::memcpy(*handle + i * RecordSize, &record, RecordSize);
    }
    return handle;
}

ParameterList DecodeParameters(GSConstHandle handle) {
    ParameterList parameters;
    if (handle == nullptr)
        return parameters;
    const std::size_t count = static_cast<std::size_t>(BMGetHandleSize(handle)) / RecordSize;
    parameters.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        Parameter& parameter = parameters[i];
        std::memcpy(&parameter.record, *handle + i * RecordSize, RecordSize);
        if (!parameter.IsArray())
            continue;
        GSConstHandle array = parameter.record.value.array;
        if (array != nullptr) {
            const auto size = static_cast<std::size_t>(BMGetHandleSize(array));
            parameter.arrayData.assign(*array, *array + size);
        }
        parameter.record.value.array = nullptr;
    }
    return parameters;
}

void FreeParameterHandle(GSHandle* handle) {
    if (handle == nullptr || *handle == nullptr)
        return;
    const std::size_t count = static_cast<std::size_t>(BMGetHandleSize(*handle)) / RecordSize;
    for (std::size_t i = 0; i < count; ++i) {
        API_AddParType record;
        std::memcpy(&record, **handle + i * RecordSize, RecordSize);
        if (record.typeMod == API_ParArray && record.value.array != nullptr)
            BMKillHandle(&record.value.array);
    }
    BMKillHandle(handle);
}

ParameterList CarryOverParameters(const ParameterList& current, const ParameterList& newPart) {
    ParameterList result = newPart;
    for (Parameter& parameter : result) {
        const Parameter* old = FindParameter(current, parameter.GetName());
        if (old != nullptr && old->GetType() == parameter.GetType() &&
            old->IsArray() == parameter.IsArray()) {
            std::memcpy(&parameter.record.value, &old->record.value, sizeof(parameter.record.value));
            parameter.record.dim1 = old->record.dim1;
            parameter.record.dim2 = old->record.dim2;
            parameter.arrayData = old->arrayData;
        }
    }
    return result;
}

std::string DescribeParameterValue(const Parameter& parameter) {
    const bool text = parameter.GetType() == APIParT_CString;
    if (!parameter.IsArray())
        return text ? "\"" + parameter.GetText().ToUtf8() + "\"" : FormatNumber(parameter.GetReal());
    std::string description = "[";
    const Int32 columns = std::max(parameter.GetDim2(), 1);
    if (text) {
        const std::vector<GS::UniString> texts = parameter.GetTexts();
        for (std::size_t i = 0; i < texts.size(); ++i)
            description +=
                (i == 0 ? "" : (i % columns == 0 ? "; " : ", ")) + ("\"" + texts[i].ToUtf8() + "\"");
    } else {
        const std::vector<double> numbers = parameter.GetNumbers();
        for (std::size_t i = 0; i < numbers.size(); ++i)
            description += (i == 0 ? "" : (i % columns == 0 ? "; " : ", ")) + FormatNumber(numbers[i]);
    }
    return description + "]";
}

} // namespace Headless
