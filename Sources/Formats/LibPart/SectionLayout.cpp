#include "Formats/LibPart/SectionLayout.hpp"

#include <algorithm>

namespace LibPartFormat {

std::string StoredCode(const std::string& code) {
    return std::string(code.rbegin(), code.rend());
}

std::string CodeFromStored(const std::string& stored) {
    return std::string(stored.rbegin(), stored.rend());
}

const SectionKind* FindSectionKind(const std::string& code) {
    const auto* found = std::find_if(std::begin(SectionKinds), std::end(SectionKinds),
                                     [&code](const SectionKind& kind) { return code == kind.code; });
    return found == std::end(SectionKinds) ? nullptr : found;
}

} // namespace LibPartFormat
