#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "Cli/Commands.hpp"
#include "Formats/LibPart/LibPartFile.hpp"
#include "Formats/Utf.hpp"

namespace Cli {

namespace {

std::string Utf8(const std::u16string& text) {
    std::string utf8;
    return Formats::Utf16ToUtf8(text, &utf8) ? utf8 : "(not valid UTF-16)";
}

const char* TypeName(LibPartFormat::ParamType type) {
    switch (type) {
    case LibPartFormat::ParamType::Integer:
        return "integer";
    case LibPartFormat::ParamType::Length:
        return "length";
    case LibPartFormat::ParamType::Angle:
        return "angle";
    case LibPartFormat::ParamType::RealNum:
        return "real";
    case LibPartFormat::ParamType::PenColor:
        return "pen";
    case LibPartFormat::ParamType::Text:
        return "text";
    case LibPartFormat::ParamType::Boolean:
        return "boolean";
    }
    return "?";
}

std::string Values(const LibPartFormat::Parameter& parameter) {
    std::string text;
    const std::size_t count = parameter.IsText() ? parameter.texts.size() : parameter.numbers.size();
    for (std::size_t i = 0; i < count && i < 12; ++i) {
        text += i == 0 ? "" : ", ";
        if (parameter.IsText()) {
            text += "\"" + Utf8(parameter.texts[i]) + "\"";
        } else {
            std::ostringstream number;
            number << parameter.numbers[i];
            text += number.str();
        }
    }
    if (count > 12)
        text += ", ...";
    return parameter.isArray ? "[" + text + "]" : text;
}

void Print(const LibPartFormat::LibPart& part, std::size_t size, std::ostream& out) {
    out << part.name << ": a valid library part file of " << size << " bytes\n";
    out << "main GUID      " << part.mainGuid.ToString() << "\n";
    out << "revision GUID  " << part.revisionGuid.ToString() << "\n";
    for (const LibPartFormat::Guid& ancestor : part.ancestry)
        out << "subtype of     " << ancestor.ToString() << "\n";
    out << "author         " << Utf8(part.author) << " (" << Utf8(part.license) << ")\n";
    out << "keywords       " << Utf8(part.keywords) << "\n";
    std::string comment = part.comment;
    for (std::size_t at = comment.find('\n'); at != std::string::npos; at = comment.find('\n', at + 1))
        comment.replace(at, 1, "\n               ");
    out << "description    " << comment << "\n";
    out << "scripts        master " << part.masterScript.size() << " bytes, 2D " << part.script2D.size()
        << " bytes, UI " << part.uiScript.size() << " bytes, parameter " << part.parameterScript.size()
        << " bytes\n";
    out << "sections\n";
    for (const LibPartFormat::SectionPlace& section : part.sections)
        out << "  " << section.code << " at " << section.offset << ", " << section.length
            << " bytes, version " << section.version << "\n";
    out << "parameters (" << part.parameters.size() << ")\n";
    for (const LibPartFormat::Parameter& parameter : part.parameters) {
        out << "  " << parameter.name << "  " << TypeName(parameter.type);
        if (parameter.isArray)
            out << " " << parameter.rows << " x " << parameter.columns;
        out << " = " << Values(parameter) << "\n";
    }
}

} // namespace

int ShowLibPart(const std::string& file, std::ostream& out, std::ostream& err) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        err << "cannot read \"" << file << "\"\n";
        return ExitBadInput;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(stream),
                                          std::istreambuf_iterator<char>()};
    const std::size_t slash = file.rfind('/');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    const LibPartFormat::ReadResult read = LibPartFormat::Read(name, bytes);
    if (!read.Ok()) {
        err << file << ": not a valid library part file: " << read.problem.Describe() << "\n";
        return ExitBadInput;
    }
    Print(*read.part, bytes.size(), out);
    return ExitOk;
}

} // namespace Cli
