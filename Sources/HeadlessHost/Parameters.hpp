#ifndef HEADLESSHOST_PARAMETERS_HPP
#define HEADLESSHOST_PARAMETERS_HPP

#include <string>
#include <vector>

#include "GSRoot/MemoryHandle.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Headless {

// One library-part parameter as the host keeps it: the 1600-byte record exactly as the add-on
// wrote it, except that an array's data lives in `arrayData` (record.value.array is null here).
// Keeping the raw record makes a memo round trip byte-exact; the accessors decode it.
struct Parameter {
    API_AddParType record;
    std::vector<char> arrayData;

    Parameter();

    std::string GetName() const; // up to the first zero, at most 32 bytes
    Int32 GetType() const { return record.typeID; }
    bool IsArray() const { return record.typeMod == API_ParArray; }
    Int32 GetDim1() const { return record.dim1; }
    Int32 GetDim2() const { return record.dim2; }
    double GetReal() const;        // scalar numeric value
    GS::UniString GetText() const; // scalar text value, up to its zero (at most 256 units)
    // Numeric array: every whole double of the data, row by row.
    std::vector<double> GetNumbers() const;
    // Text array: the zero-terminated texts of the data in order (a missing last zero ends the text).
    std::vector<GS::UniString> GetTexts() const;

    // Builders. Names longer than 31 bytes are cut; texts longer than 255 units are cut.
    static Parameter Real(const std::string& name, double value, Int32 type = APIParT_RealNum);
    static Parameter Text(const std::string& name, const GS::UniString& value);
    static Parameter NumberArray(const std::string& name, Int32 dim1, Int32 dim2,
                                 const std::vector<double>& values, Int32 type = APIParT_RealNum);
    static Parameter TextArray(const std::string& name, Int32 dim1, Int32 dim2,
                               const std::vector<GS::UniString>& values);
};

using ParameterList = std::vector<Parameter>;

// The first parameter of that exact name, or null.
const Parameter* FindParameter(const ParameterList& parameters, const std::string& name);
Parameter* FindParameter(ParameterList& parameters, const std::string& name);

// A fresh handle of records (BMAllocateHandle) whose arrays are fresh handles too.
GSHandle EncodeParameters(const ParameterList& parameters);
// A deep copy of a handle of records; a null handle gives an empty list.
ParameterList DecodeParameters(GSConstHandle handle);
// Releases the array handles of every record, then the handle itself; sets it to null.
void FreeParameterHandle(GSHandle* handle);

// The parameters of `newPart` with the values of `current` kept where a parameter of the same
// name, type and array flag exists in both (a label given another library part).
ParameterList CarryOverParameters(const ParameterList& current, const ParameterList& newPart);

// Short human-readable text of a value ("2", "\"A1\"", "[1, 2; 3, 4]"), for reports and logs.
std::string DescribeParameterValue(const Parameter& parameter);

} // namespace Headless

#endif
