#include "HeadlessHost/CallDescriber.hpp"
#include "Host/APIGuid.hpp"

#include <cstdio>
#include <cstring>

#include "GSRoot/Guid.hpp"

namespace Headless {

namespace {

// Eight digits, or sixteen for a value that needs them (a memo mask).
std::string HexText(UInt64 value) {
    char text[24];
    if (value > 0xFFFFFFFFu)
        std::snprintf(text, sizeof(text), "0x%016llX", static_cast<unsigned long long>(value));
    else
        std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

} // namespace

std::string CallDescriber::Show(const API_Guid& guid) const {
    return namer_ ? namer_(guid) : APIGuidToString(guid);
}

std::string CallDescriber::Show(const GS::Array<API_Guid>& guids) const {
    std::string text;
    for (const API_Guid& guid : guids)
        Join(text, Show(guid));
    return text;
}

std::string CallDescriber::Show(const API_Element* element) const {
    return element != nullptr ? Show(element->header.guid) : "null";
}

std::string CallDescriber::Show(const API_Elem_Head* header) const {
    return header != nullptr ? Show(header->guid) : "null";
}

std::string CallDescriber::Show(const API_ElemType* type) const {
    return type != nullptr ? Show(type->typeID) : "null";
}

std::string CallDescriber::Show(const API_Neig& neig) const {
    return Show(neig.neigID) + ", " + Show(neig.guid);
}

std::string CallDescriber::Show(const API_LibPart* libPart) const {
    if (libPart == nullptr)
        return "null";
    const char* end = static_cast<const char*>(std::memchr(libPart->ownUnID, '\0', sizeof(libPart->ownUnID)));
    return std::string(libPart->ownUnID, end != nullptr ? end : libPart->ownUnID + sizeof(libPart->ownUnID));
}

std::string CallDescriber::Show(const API_Attribute* attribute) const {
    return attribute != nullptr ? Show(attribute->header.typeID) + ", " + Show(attribute->header.index)
                                : "null";
}

std::string CallDescriber::Show(const GS::UniString& text) const {
    return "\"" + text.ToUtf8() + "\"";
}

std::string CallDescriber::Show(const Keys::Hex& number) const {
    return HexText(number.value);
}

std::string CallDescriber::Show(const Keys::FourChars& code) const {
    const char chars[] = {static_cast<char>(code.code >> 24), static_cast<char>(code.code >> 16),
                          static_cast<char>(code.code >> 8), static_cast<char>(code.code), '\0'};
    return "'" + std::string(chars) + "'";
}

std::string CallDescriber::Show(const Keys::IfTrue& flag) const {
    return flag.condition ? flag.text : "";
}

std::string CallDescriber::Show(const Keys::TypeOf& type) const {
    return type.element != nullptr ? Show(type.element->header.type.typeID) : "null";
}

std::string CallDescriber::Show(const Keys::FlagsOf& flags) const {
    return flags.attribute != nullptr ? HexText(static_cast<UInt16>(flags.attribute->header.flags)) : "";
}

} // namespace Headless
