#ifndef LIBPARTPACKER_XMLFILE_HPP
#define LIBPARTPACKER_XMLFILE_HPP

#include <pugixml.hpp>

#include <initializer_list>
#include <string>

namespace LibPartPacker {

// A parsed source file with strict access helpers: every problem throws a SourceFailure that
// names the file and line.
class XmlFile {
public:
    XmlFile(std::string text, std::string fileName);

    pugi::xml_node Root(const char* expectedName) const;
    std::string Where(pugi::xml_node node) const;
    [[noreturn]] void Fail(pugi::xml_node node, const std::string& message) const;

    // Refuses child elements not listed, text between elements, and attributes not listed.
    void AllowOnly(pugi::xml_node node, std::initializer_list<const char*> children,
                   std::initializer_list<const char*> attributes = {}) const;
    void AllowAttributes(pugi::xml_node node, std::initializer_list<const char*> attributes) const;
    // The one child element of that name; missing or repeated is an error.
    pugi::xml_node Single(pugi::xml_node node, const char* name) const;
    // The element's text (its text and CDATA parts joined); child elements are an error.
    std::string Text(pugi::xml_node node) const;
    std::string Attribute(pugi::xml_node node, const char* name) const;

private:
    std::size_t LineOf(std::ptrdiff_t offset) const;

    std::string text;
    std::string fileName;
    pugi::xml_document document;
};

// Surrounding spaces, tabs and line breaks removed.
std::string Trimmed(const std::string& text);

} // namespace LibPartPacker

#endif
