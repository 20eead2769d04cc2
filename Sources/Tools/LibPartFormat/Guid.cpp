#include "LibPartFormat/Guid.hpp"

#include "TextCodec/GuidText.hpp"

namespace LibPartFormat {

std::optional<Guid> Guid::Parse(std::string_view text) {
    Guid guid;
    if (!TextCodec::ParseGuidText(text, &guid.stored))
        return std::nullopt;
    return guid;
}

std::string Guid::ToString() const {
    return TextCodec::FormatGuidText(stored);
}

} // namespace LibPartFormat
