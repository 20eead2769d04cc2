#include "HeadlessHost/RecordText.hpp"

#include <algorithm>

namespace Headless {

void CopyText(const GS::UniString& text, char16_t* target, std::size_t capacity) {
    const std::u16string& units = text.GetUnits();
    const std::size_t length = std::min(units.size(), capacity - 1);
    std::copy(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(length), target);
    std::fill(target + length, target + capacity, u'\0');
}

GS::UniString ReadText(const char16_t* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return GS::UniString(text, static_cast<USize>(length));
}

} // namespace Headless
