#ifndef ZARIMARK_PARAMETERRECORD_HPP
#define ZARIMARK_PARAMETERRECORD_HPP

#include <string>

#include "GSRoot/Array.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// Typed access to a host parameter list: a handle of 1600-byte records back to back. Every
// read stays inside the record's fixed fields and inside the array handle's size.

USize GetParameterCount(const API_AddParType* const* params);
API_AddParType& GetParameter(API_AddParType** params, UIndex index);

// A parameter name as the host compares it: 8-bit, ASCII case-insensitive, up to the first
// zero byte. The record's name field is read no further than its 32 bytes.
class ParameterName {
public:
    explicit ParameterName(const GS::UniString& name);
    bool Matches(const API_AddParType& record) const;

private:
    std::string name_;
};

bool IsArrayParameter(const API_AddParType& record);
// An array the per-room numbers may go into: flagged as an array and not of the text type.
bool IsNumericArrayParameter(const API_AddParType& record);
bool IsScalarTextParameter(const API_AddParType& record);

// The scalar text value, up to its terminating zero or the end of the value field.
GS::UniString GetScalarText(const API_AddParType& record);
// False, and the record unchanged, when the text with its zero does not fit the value field.
bool SetScalarText(API_AddParType& record, const GS::UniString& text);

GSSize GetArrayDataSize(const API_AddParType& record);
// Resizes the array data keeping its leading bytes; a record without data gets a fresh handle.
GSErrCode ResizeArrayData(API_AddParType& record, GSSize byteCount);

// rows x columns doubles, row by row; the leading values are written, the rest keep their bytes.
GSErrCode WriteRealArray(API_AddParType& record, Int32 rows, Int32 columns, const GS::Array<double>& values);

// texts.GetSize() x 1 zero-terminated UTF-16 texts packed one after the other.
GSErrCode WriteTextArray(API_AddParType& record, const GS::Array<GS::UniString>& texts);
GS::Array<GS::UniString> ReadTextArray(const API_AddParType& record);

} // namespace Zarimark

#endif
