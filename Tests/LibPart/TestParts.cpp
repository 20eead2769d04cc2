#include "TestParts.hpp"

#include "Formats/LibPart/LibPartFile.hpp"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace LibPartTests {

using namespace LibPartFormat;

namespace {

Parameter Scalar(const std::string& name, ParamType type, double value) {
    Parameter parameter;
    parameter.name = name;
    parameter.type = type;
    parameter.numbers = {value};
    return parameter;
}

Parameter Array(const std::string& name, ParamType type, std::int32_t rows, std::int32_t columns) {
    Parameter parameter;
    parameter.name = name;
    parameter.type = type;
    parameter.isArray = true;
    parameter.rows = rows;
    parameter.columns = columns;
    return parameter;
}

} // namespace

LibPart SamplePart() {
    LibPart part;
    part.name = "Sample.gsm";
    part.mainGuid = *Guid::Parse("013BD535-32AB-49CE-AAD9-580F3229FDAC");
    part.revisionGuid = *Guid::Parse("bb8967e8-9c6f-4d84-b27d-99b27afab3bd");
    part.ancestry = {*Guid::Parse("F938E33A-329D-4A36-BE3E-85E126820996"),
                     *Guid::Parse("00000000-0000-0000-0000-000000000001")};
    part.macros = {u"Frame Macro", u"Größe"};
    part.masterScript = "a = 1\n";
    part.script2D = "TEXT2 0, 0, \"Fläche m²\"\n";
    part.uiScript = "";
    part.parameterScript = "VALUES \"x\" 1, 2\n";
    part.author = u"Zarimark Developers";
    part.license = u"Commercial";
    part.keywords = u"Zarimark Label";
    part.comment = "Label Object\nZarimark Developers\nhttps://zarimark.example";

    Parameter length = Scalar("A", ParamType::Length, 1.25);
    length.description = u"Width";
    Parameter text;
    text.name = "zm_apartmentId";
    text.type = ParamType::Text;
    text.texts = {u"Wohnung 𝄞 7"};
    Parameter areas = Array("zm_roomAreasInZari", ParamType::RealNum, 2, 4);
    areas.numbers = {1, 2, 3, 4, 5.5, -6, 7e-3, 8e10};
    Parameter empty = Array("zm_ZoneCatExists", ParamType::RealNum, 0, 1);
    Parameter codes = Array("zm_ZoneCatCodes", ParamType::Text, 3, 1);
    codes.texts = {u"LIV", u"", u"Ünterkunft"};
    part.parameters = {length,
                       text,
                       areas,
                       empty,
                       codes,
                       Scalar("zm_areaColumn", ParamType::Integer, 3),
                       Scalar("zm_frame", ParamType::Boolean, 1),
                       Scalar("zm_angle", ParamType::Angle, 90),
                       Scalar("zm_pen", ParamType::PenColor, 12)};
    return part;
}

Bytes SampleFile() {
    WriteResult written = Write(SamplePart());
    if (!written.Ok())
        throw std::runtime_error("the sample part does not write: " + written.error);
    return written.bytes;
}

Bytes PackedFile() {
    std::ifstream in(ZM_PACKED_LIBPART, std::ios::binary);
    if (!in)
        throw std::runtime_error("the packed library part is missing: " ZM_PACKED_LIBPART);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U32At(const Bytes& bytes, std::size_t offset) {
    return std::uint32_t(bytes.at(offset)) | std::uint32_t(bytes.at(offset + 1)) << 8 |
           std::uint32_t(bytes.at(offset + 2)) << 16 | std::uint32_t(bytes.at(offset + 3)) << 24;
}

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t k = 0; k < 4; ++k)
        bytes.at(offset + k) = static_cast<std::uint8_t>(value >> (8 * k));
}

std::vector<DirectoryEntry> Directory(const Bytes& file) {
    std::vector<DirectoryEntry> entries;
    for (std::size_t at = 128; at < 288; at += 16) {
        const std::string stored(file.begin() + static_cast<std::ptrdiff_t>(at),
                                 file.begin() + static_cast<std::ptrdiff_t>(at + 4));
        entries.push_back(
            {std::string(stored.rbegin(), stored.rend()), U32At(file, at + 4), U32At(file, at + 8)});
    }
    return entries;
}

DirectoryEntry SectionOf(const Bytes& file, const std::string& code) {
    for (const DirectoryEntry& entry : Directory(file))
        if (entry.code == code)
            return entry;
    throw std::runtime_error("no section " + code);
}

} // namespace LibPartTests
