#ifndef FORMATS_LIBPART_LIBPART_HPP
#define FORMATS_LIBPART_LIBPART_HPP

#include "Formats/LibPart/Guid.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace LibPartFormat {

// The host's parameter type numbers.
enum class ParamType : std::int32_t {
    Integer = 1,
    Length = 2,
    Angle = 3,
    RealNum = 4,
    PenColor = 11,
    Text = 12,
    Boolean = 13,
};

constexpr std::uint16_t ArrayFlag = 2;    // the host's array marker in a parameter record
constexpr std::size_t MaxNameLength = 31; // the host's name field is 32 bytes with the zero
constexpr std::size_t MaxTextUnits = 255; // scalar texts and descriptions: 256 units with the zero

bool IsKnownParamType(std::int32_t typeCode);

// One parameter with its default value. A scalar has dimensions 0 x 0 and one value; an array
// has rows x columns values stored row by row. Texts live in `texts`, every other type in
// `numbers`; the other vector stays empty.
struct Parameter {
    std::string name;
    std::u16string description;
    ParamType type = ParamType::RealNum;
    bool isArray = false;
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::vector<double> numbers;
    std::vector<std::u16string> texts;

    bool IsText() const { return type == ParamType::Text; }
    std::size_t ValueCount() const;
    bool operator==(const Parameter& other) const;
    bool operator!=(const Parameter& other) const { return !(*this == other); }
};

// Empty when the parameter can be stored and read back; otherwise what is wrong with it.
std::string CheckParameter(const Parameter& parameter);

// Where a section sat in the file it was read from; not used by Write.
struct SectionPlace {
    std::string code;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::uint16_t version = 0;
};

// The in-memory library part. `name` is the part's file name ("Zarimark.gsm"); the file does
// not store it, so Read takes it from its caller.
struct LibPart {
    std::string name;
    Guid mainGuid;
    Guid revisionGuid;
    std::vector<Guid> ancestry; // nearest subtype first
    std::vector<std::u16string> macros;
    std::string masterScript; // UTF-8, as are the other scripts
    std::string script2D;
    std::string uiScript;
    std::string parameterScript;
    std::vector<Parameter> parameters;
    std::u16string author;
    std::u16string license;
    std::u16string keywords;
    std::string comment; // UTF-8 without the byte-order mark the file stores
    std::vector<SectionPlace> sections;

    const Parameter* FindParameter(const std::string& parameterName) const;
    // Equal in content; the section places of a part that was read do not count.
    bool SameContent(const LibPart& other) const;
};

} // namespace LibPartFormat

#endif
