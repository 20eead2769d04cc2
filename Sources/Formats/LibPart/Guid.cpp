#include "Formats/LibPart/Guid.hpp"

#include "Formats/GuidText.hpp"

namespace LibPartFormat {

std::optional<Guid> Guid::Parse(std::string_view text) {
    Guid guid;
    if (!Formats::ParseGuidText(text, &guid.stored))
        return std::nullopt;
    return guid;
}

std::string Guid::ToString() const {
    return Formats::FormatGuidText(stored);
}

} // namespace LibPartFormat
