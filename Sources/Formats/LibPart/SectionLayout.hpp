#ifndef FORMATS_LIBPART_SECTIONLAYOUT_HPP
#define FORMATS_LIBPART_SECTIONLAYOUT_HPP

#include <cstddef>
#include <cstdint>
#include <string>

namespace LibPartFormat {

enum class SectionId {
    Ancestry,
    Macros,
    MasterScript,
    Script2D,
    Parameters,
    Copyright,
    Keywords,
    Comment,
    UiScript,
    ParameterScript
};

struct SectionKind {
    SectionId id;
    const char* code;
    std::uint16_t version;
};

// The sections of a part in the order Write lays them out.
constexpr SectionKind SectionKinds[] = {
    {SectionId::Ancestry, "ANCS", 1},      {SectionId::Macros, "MCRS", 2},
    {SectionId::MasterScript, "1DSC", 20}, {SectionId::Script2D, "2DSC", 20},
    {SectionId::Parameters, "PARD", 27},   {SectionId::Copyright, "CPYR", 1},
    {SectionId::Keywords, "KWRD", 1},      {SectionId::Comment, "CTXT", 20},
    {SectionId::UiScript, "UISC", 20},     {SectionId::ParameterScript, "VLSC", 20},
};
constexpr std::size_t SectionKindCount = sizeof SectionKinds / sizeof SectionKinds[0];

// The three codes the file header names after the section count.
constexpr const char* HeaderCodes[] = {".LSM", "GSAC", "HEAD"};

// Four-character codes are 32-bit little-endian words in the file, so their bytes appear reversed.
std::string StoredCode(const std::string& code);
std::string CodeFromStored(const std::string& stored);

const SectionKind* FindSectionKind(const std::string& code);

} // namespace LibPartFormat

#endif
