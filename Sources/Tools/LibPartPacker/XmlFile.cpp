#include "XmlFile.hpp"

#include "SourceFailure.hpp"

#include <algorithm>
#include <cstring>

namespace LibPartPacker {

namespace {

bool Listed(const char* name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(),
                       [name](const char* listed) { return std::strcmp(name, listed) == 0; });
}

bool IsText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

} // namespace

XmlFile::XmlFile(std::string source, std::string name) : text(std::move(source)), fileName(std::move(name)) {
    const pugi::xml_parse_result parsed =
        document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        throw SourceFailure{fileName + ":" + std::to_string(LineOf(parsed.offset)) + ": " +
                            parsed.description()};
}

std::size_t XmlFile::LineOf(std::ptrdiff_t offset) const {
    const std::size_t end =
        std::min(text.size(), static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
    return 1 + static_cast<std::size_t>(
                   std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

std::string XmlFile::Where(pugi::xml_node node) const {
    return fileName + ":" + std::to_string(LineOf(node.offset_debug()));
}

void XmlFile::Fail(pugi::xml_node node, const std::string& message) const {
    throw SourceFailure{Where(node) + ": " + message};
}

pugi::xml_node XmlFile::Root(const char* expectedName) const {
    const pugi::xml_node root = document.document_element();
    if (std::strcmp(root.name(), expectedName) != 0)
        Fail(root, std::string("the root element must be <") + expectedName + ">, not <" + root.name() + ">");
    return root;
}

void XmlFile::AllowOnly(pugi::xml_node node, std::initializer_list<const char*> children,
                        std::initializer_list<const char*> attributes) const {
    for (pugi::xml_node child : node.children()) {
        if (IsText(child) && !Trimmed(child.value()).empty())
            Fail(child, std::string("unexpected text in <") + node.name() + ">");
        if (child.type() == pugi::node_element && !Listed(child.name(), children))
            Fail(child, std::string("unknown element <") + child.name() + "> in <" + node.name() + ">");
    }
    AllowAttributes(node, attributes);
}

void XmlFile::AllowAttributes(pugi::xml_node node, std::initializer_list<const char*> attributes) const {
    for (pugi::xml_attribute attribute : node.attributes())
        if (!Listed(attribute.name(), attributes))
            Fail(node, std::string("unknown attribute ") + attribute.name() + " on <" + node.name() + ">");
}

pugi::xml_node XmlFile::Single(pugi::xml_node node, const char* name) const {
    const pugi::xml_node found = node.child(name);
    if (!found)
        Fail(node, std::string("<") + node.name() + "> needs a <" + name + ">");
    if (found.next_sibling(name))
        Fail(found.next_sibling(name), std::string("<") + name + "> given twice in <" + node.name() + ">");
    return found;
}

std::string XmlFile::Text(pugi::xml_node node) const {
    std::string joined;
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element)
            Fail(child, std::string("<") + node.name() + "> holds text only, not <" + child.name() + ">");
        if (IsText(child))
            joined += child.value();
    }
    return joined;
}

std::string XmlFile::Attribute(pugi::xml_node node, const char* name) const {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        Fail(node, std::string("<") + node.name() + "> needs the attribute " + name);
    return attribute.value();
}

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace LibPartPacker
