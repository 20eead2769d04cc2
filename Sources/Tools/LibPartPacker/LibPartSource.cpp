#include "LibPartSource.hpp"

#include "Formats/Utf.hpp"
#include "LibPartDataXml.hpp"
#include "ParamListXml.hpp"
#include "SourceFailure.hpp"

#include <fstream>
#include <sstream>

namespace LibPartPacker {

namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SourceFailure{path.string() + ": cannot be opened"};
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        throw SourceFailure{path.string() + ": cannot be read"};
    return content.str();
}

// Editors may save a byte-order mark; the stored scripts never carry one.
std::string ReadScript(const std::filesystem::path& path) {
    std::string script = ReadWholeFile(path);
    if (script.compare(0, 3, "\xEF\xBB\xBF") == 0)
        script.erase(0, 3);
    const std::size_t bad = Formats::FindInvalidUtf8(script);
    if (bad != std::string::npos)
        throw SourceFailure{path.string() + ": not valid UTF-8 at byte " + std::to_string(bad)};
    return script;
}

LibPartFormat::LibPart Load(const std::filesystem::path& folder, const std::string& name) {
    LibPartFormat::LibPart part;
    part.name = name;
    const std::filesystem::path data = folder / "libpartdata.xml";
    ParseLibPartData(ReadWholeFile(data), data.string(), part);
    const std::filesystem::path params = folder / "paramlist.xml";
    part.parameters = ParseParamList(ReadWholeFile(params), params.string());
    const std::filesystem::path scripts = folder / "scripts";
    part.masterScript = ReadScript(scripts / "1d.gdl");
    part.script2D = ReadScript(scripts / "2d.gdl");
    part.uiScript = ReadScript(scripts / "ui.gdl");
    part.parameterScript = ReadScript(scripts / "vl.gdl");
    return part;
}

} // namespace

SourceResult LoadLibPartSource(const std::filesystem::path& folder, const std::string& name) {
    SourceResult result;
    try {
        result.part = Load(folder, name);
    } catch (const SourceFailure& failure) {
        result.error = failure.message;
    }
    return result;
}

} // namespace LibPartPacker
