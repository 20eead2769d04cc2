#include "Formats/LibPart/SectionContent.hpp"

#include "Formats/LibPart/ParameterTable.hpp"
#include "Formats/Utf.hpp"

namespace LibPartFormat {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t GuidSize = 16;

std::string CheckUtf8(const std::string& text, const char* what) {
    const std::size_t bad = Formats::FindInvalidUtf8(text);
    if (bad == std::string::npos)
        return {};
    return std::string("the ") + what + " is not valid UTF-8 at byte " + std::to_string(bad);
}

std::string DecodeUtf8Text(CheckedReader& in, const char* what) {
    const std::size_t at = in.Position();
    const std::string text(in.Raw(in.Remaining(), what));
    const std::size_t bad = Formats::FindInvalidUtf8(text);
    if (bad != std::string::npos)
        in.Fail(at + bad, std::string("the ") + what + " is not valid UTF-8 here");
    return text;
}

// Works for a const part and a mutable one alike.
template <class Part>
auto ScriptOf(SectionId id, Part& part) -> decltype(&part.script2D) {
    switch (id) {
    case SectionId::MasterScript:
        return &part.masterScript;
    case SectionId::Script2D:
        return &part.script2D;
    case SectionId::UiScript:
        return &part.uiScript;
    case SectionId::ParameterScript:
        return &part.parameterScript;
    default:
        return nullptr;
    }
}

void EncodeAncestry(const LibPart& part, Formats::ByteWriter& out) {
    out.U32(static_cast<std::uint32_t>(part.ancestry.size()));
    for (const Guid& guid : part.ancestry)
        out.Raw(guid.stored.data(), guid.stored.size());
}

void DecodeAncestry(CheckedReader& in, LibPart& part) {
    const std::uint32_t count = in.U32("the ancestor count");
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::string_view bytes = in.Raw(GuidSize, "an ancestor GUID");
        Guid guid;
        std::copy(bytes.begin(), bytes.end(), guid.stored.begin());
        part.ancestry.push_back(guid);
    }
    in.ExpectEnd("ancestry");
}

void EncodeMacros(const LibPart& part, Formats::ByteWriter& out) {
    out.U32(static_cast<std::uint32_t>(part.macros.size()));
    for (const std::u16string& macro : part.macros)
        out.CountedUtf16(macro);
}

void DecodeMacros(CheckedReader& in, LibPart& part) {
    const std::uint32_t count = in.U32("the macro count");
    for (std::uint32_t k = 0; k < count; ++k)
        part.macros.push_back(in.CountedUtf16("a macro name"));
    in.ExpectEnd("macro list");
}

void DecodeComment(CheckedReader& in, LibPart& part) {
    const std::size_t at = in.Position();
    if (in.Remaining() < ByteOrderMark.size() ||
        in.Raw(ByteOrderMark.size(), "the byte-order mark") != ByteOrderMark)
        in.Fail(at, "the description must start with the UTF-8 byte-order mark EF BB BF");
    part.comment = DecodeUtf8Text(in, "description");
}

} // namespace

std::string CheckSectionTexts(const LibPart& part) {
    const std::pair<const std::string*, const char*> texts[] = {
        {&part.masterScript, "master script"}, {&part.script2D, "2D script"},
        {&part.uiScript, "interface script"},  {&part.parameterScript, "parameter script"},
        {&part.comment, "description"},
    };
    for (const auto& [text, what] : texts)
        if (std::string problem = CheckUtf8(*text, what); !problem.empty())
            return problem;
    return {};
}

void EncodeSection(SectionId id, const LibPart& part, Formats::ByteWriter& out) {
    switch (id) {
    case SectionId::Ancestry:
        return EncodeAncestry(part, out);
    case SectionId::Macros:
        return EncodeMacros(part, out);
    case SectionId::Parameters:
        return EncodeParameterTable(part.parameters, out);
    case SectionId::Copyright:
        out.CountedUtf16(part.author);
        return out.CountedUtf16(part.license);
    case SectionId::Keywords:
        return out.CountedUtf16(part.keywords);
    case SectionId::Comment:
        out.Raw(ByteOrderMark);
        return out.Raw(part.comment);
    default:
        return out.Raw(*ScriptOf(id, part));
    }
}

void DecodeSection(SectionId id, CheckedReader& in, LibPart& part) {
    switch (id) {
    case SectionId::Ancestry:
        return DecodeAncestry(in, part);
    case SectionId::Macros:
        return DecodeMacros(in, part);
    case SectionId::Parameters:
        part.parameters = DecodeParameterTable(in);
        return;
    case SectionId::Copyright:
        part.author = in.CountedUtf16("the author");
        part.license = in.CountedUtf16("the license");
        return in.ExpectEnd("copyright");
    case SectionId::Keywords:
        part.keywords = in.CountedUtf16("the keywords");
        return in.ExpectEnd("keywords");
    case SectionId::Comment:
        return DecodeComment(in, part);
    default:
        *ScriptOf(id, part) = DecodeUtf8Text(in, "script");
        return;
    }
}

} // namespace LibPartFormat
