#include "AddOn/Zarimark/ParameterRecord.hpp"

#include <cstring>

#include "GSRoot/CH.hpp"
#include "GSRoot/MemoryHandle.hpp"

namespace Zarimark {

namespace {

constexpr GSSize ParameterRecordSize = sizeof(API_AddParType);
constexpr USize ScalarTextCapacity = API_UniLongNameLen;

char* ArrayData(const API_AddParType& record) {
    return record.value.array != nullptr ? *record.value.array : nullptr;
}

} // namespace

USize GetParameterCount(const API_AddParType* const* params) {
    if (params == nullptr)
        return 0;
    return static_cast<USize>(BMGetHandleSize(reinterpret_cast<GSConstHandle>(params)) / ParameterRecordSize);
}

API_AddParType& GetParameter(API_AddParType** params, UIndex index) {
    return (*params)[index];
}

ParameterName::ParameterName(const GS::UniString& name) : name_(name.ToCStr().Get()) {}

bool ParameterName::Matches(const API_AddParType& record) const {
    const auto recordLength = static_cast<Int32>(strnlen(record.name, API_NameLen));
    return CHCompareTexts(record.name, recordLength, name_.c_str(), static_cast<Int32>(name_.size()),
                          CS_CaseInsensitive, CC_Default) == 0;
}

bool IsArrayParameter(const API_AddParType& record) {
    return record.typeMod == API_ParArray;
}

bool IsNumericArrayParameter(const API_AddParType& record) {
    return record.typeID != APIParT_CString && IsArrayParameter(record);
}

bool IsScalarTextParameter(const API_AddParType& record) {
    return record.typeID == APIParT_CString && !IsArrayParameter(record);
}

GS::UniString GetScalarText(const API_AddParType& record) {
    return GS::UniString::FromField(record.value.uStr, ScalarTextCapacity);
}

bool SetScalarText(API_AddParType& record, const GS::UniString& text) {
    if (text.GetLength() >= ScalarTextCapacity)
        return false;
    std::memcpy(record.value.uStr, text.ToUStr(), (text.GetLength() + 1) * sizeof(char16_t));
    return true;
}

GSSize GetArrayDataSize(const API_AddParType& record) {
    return record.value.array != nullptr ? BMGetHandleSize(record.value.array) : 0;
}

GSErrCode ResizeArrayData(API_AddParType& record, GSSize byteCount) {
    if (record.value.array != nullptr)
        return BMReallocHandle(record.value.array, byteCount, REALLOC_MOVEABLE, 0);
    if (byteCount == 0)
        return NoError;
    GSHandle fresh = BMAllocateHandle(byteCount, ALLOCATE_CLEAR, 0);
    if (fresh == nullptr)
        return ErrMemoryFull;
    record.value.array = fresh;
    return NoError;
}

GSErrCode WriteRealArray(API_AddParType& record, Int32 rows, Int32 columns, const GS::Array<double>& values) {
    const GSSize count = static_cast<GSSize>(rows) * columns;
    const GSErrCode err = ResizeArrayData(record, count * static_cast<GSSize>(sizeof(double)));
    if (err != NoError)
        return err;
    record.dim1 = rows;
    record.dim2 = columns;
    char* data = ArrayData(record);
    for (UIndex i = 0; i < values.GetSize() && static_cast<GSSize>(i) < count; ++i)
        std::memcpy(data + i * sizeof(double), &values[i], sizeof(double));
    return NoError;
}

GSErrCode WriteTextArray(API_AddParType& record, const GS::Array<GS::UniString>& texts) {
    GSSize unitCount = 0;
    for (const GS::UniString& text : texts)
        unitCount += text.GetLength() + 1;
    const GSErrCode err = ResizeArrayData(record, unitCount * static_cast<GSSize>(sizeof(char16_t)));
    if (err != NoError)
        return err;
    record.dim1 = static_cast<Int32>(texts.GetSize());
    record.dim2 = 1;
    char* data = ArrayData(record);
    for (const GS::UniString& text : texts) {
        const std::size_t bytes = (text.GetLength() + 1) * sizeof(char16_t);
        std::memcpy(data, text.ToUStr(), bytes);
        data += bytes;
    }
    return NoError;
}

GS::Array<GS::UniString> ReadTextArray(const API_AddParType& record) {
    GS::Array<GS::UniString> texts;
    const char* data = ArrayData(record);
    const GSSize unitCount = GetArrayDataSize(record) / static_cast<GSSize>(sizeof(char16_t));
    std::u16string current;
    for (GSSize i = 0; i < unitCount; ++i) {
        char16_t unit = 0;
        std::memcpy(&unit, data + i * sizeof(char16_t), sizeof(char16_t));
        if (unit == 0) {
            texts.Push(GS::UniString(std::move(current)));
            current.clear();
        } else {
            current.push_back(unit);
        }
    }
    // An unterminated tail is still a text: nothing past the data is read for it.
    if (!current.empty())
        texts.Push(GS::UniString(std::move(current)));
    return texts;
}

} // namespace Zarimark
