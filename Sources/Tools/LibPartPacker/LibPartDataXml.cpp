#include "LibPartDataXml.hpp"

#include "Formats/Utf.hpp"
#include "XmlFile.hpp"

namespace LibPartPacker {

namespace {

using LibPartFormat::Guid;
using LibPartFormat::LibPart;

Guid GuidOf(const XmlFile& file, pugi::xml_node node) {
    const std::string text = Trimmed(file.Text(node));
    const std::optional<Guid> guid = Guid::Parse(text);
    if (!guid)
        file.Fail(node, "\"" + text + "\" is not a GUID of the form XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX");
    return *guid;
}

std::string Utf8Of(const XmlFile& file, pugi::xml_node node) {
    return Trimmed(file.Text(node));
}

std::u16string Utf16Of(const XmlFile& file, pugi::xml_node node) {
    std::u16string text;
    if (!Formats::Utf8ToUtf16(Utf8Of(file, node), &text))
        file.Fail(node, "the text is not valid UTF-8");
    return text;
}

void ReadIdentification(const XmlFile& file, pugi::xml_node node, LibPart& part) {
    file.AllowOnly(node, {"MainGUID", "RevisionGUID"});
    part.mainGuid = GuidOf(file, file.Single(node, "MainGUID"));
    part.revisionGuid = GuidOf(file, file.Single(node, "RevisionGUID"));
}

void ReadAncestry(const XmlFile& file, pugi::xml_node node, LibPart& part) {
    file.AllowOnly(node, {"MainGUID"});
    for (pugi::xml_node ancestor : node.children("MainGUID"))
        part.ancestry.push_back(GuidOf(file, ancestor));
    if (part.ancestry.empty())
        file.Fail(node, "<Ancestry> needs the subtype's <MainGUID>");
}

void ReadMacros(const XmlFile& file, pugi::xml_node node, LibPart& part) {
    file.AllowOnly(node, {"Macro"});
    for (pugi::xml_node macro : node.children("Macro"))
        part.macros.push_back(Utf16Of(file, macro));
}

void ReadCopyright(const XmlFile& file, pugi::xml_node node, LibPart& part) {
    file.AllowOnly(node, {"Author", "License"});
    part.author = Utf16Of(file, file.Single(node, "Author"));
    part.license = Utf16Of(file, file.Single(node, "License"));
}

// The stored description is three lines: what the part is, who made it, where to find them.
void ReadComment(const XmlFile& file, pugi::xml_node node, pugi::xml_node author, LibPart& part) {
    file.AllowOnly(node, {"Description", "WebAddress"});
    part.comment = Utf8Of(file, file.Single(node, "Description")) + "\n" + Utf8Of(file, author) + "\n" +
                   Utf8Of(file, file.Single(node, "WebAddress"));
}

} // namespace

void ParseLibPartData(std::string text, const std::string& fileName, LibPart& part) {
    const XmlFile file(std::move(text), fileName);
    const pugi::xml_node root = file.Root("LibpartData");
    file.AllowOnly(root, {"Identification", "Ancestry", "CalledMacros", "Copyright", "Keywords", "Comment"});
    ReadIdentification(file, file.Single(root, "Identification"), part);
    ReadAncestry(file, file.Single(root, "Ancestry"), part);
    ReadMacros(file, file.Single(root, "CalledMacros"), part);
    const pugi::xml_node copyright = file.Single(root, "Copyright");
    ReadCopyright(file, copyright, part);
    part.keywords = Utf16Of(file, file.Single(root, "Keywords"));
    ReadComment(file, file.Single(root, "Comment"), copyright.child("Author"), part);
}

} // namespace LibPartPacker
