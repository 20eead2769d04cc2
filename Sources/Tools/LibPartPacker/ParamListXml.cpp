#include "ParamListXml.hpp"

#include "Formats/Utf.hpp"
#include "XmlFile.hpp"

#include <charconv>
#include <cstring>
#include <iterator>
#include <set>

namespace LibPartPacker {

namespace {

using LibPartFormat::Parameter;
using LibPartFormat::ParamType;

struct KindName {
    const char* element;
    ParamType type;
};

constexpr KindName Kinds[] = {
    {"Integer", ParamType::Integer}, {"Length", ParamType::Length},     {"Angle", ParamType::Angle},
    {"RealNum", ParamType::RealNum}, {"PenColor", ParamType::PenColor}, {"String", ParamType::Text},
    {"Boolean", ParamType::Boolean},
};

const KindName* FindKind(const char* element) {
    for (const KindName& kind : Kinds)
        if (std::strcmp(kind.element, element) == 0)
            return &kind;
    return nullptr;
}

// Texts are written as GDL string literals: quoted with " or '.
std::u16string QuotedText(const XmlFile& file, pugi::xml_node node) {
    const std::string literal = Trimmed(file.Text(node));
    if (literal.size() < 2 || (literal.front() != '"' && literal.front() != '\'') ||
        literal.back() != literal.front())
        file.Fail(node, "a text must be a quoted string such as \"Total\", found " + literal);
    std::u16string text;
    if (!Formats::Utf8ToUtf16(literal.substr(1, literal.size() - 2), &text))
        file.Fail(node, "the text is not valid UTF-8");
    return text;
}

double Number(const XmlFile& file, pugi::xml_node node) {
    const std::string literal = Trimmed(file.Text(node));
    double value = 0;
    const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (literal.empty() || error != std::errc() || end != literal.data() + literal.size())
        file.Fail(node, "expected a number, found \"" + literal + "\"");
    return value;
}

std::int32_t Dimension(const XmlFile& file, pugi::xml_node node, const char* attribute,
                       std::int32_t minimum) {
    const std::string literal = file.Attribute(node, attribute);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    if (literal.empty() || error != std::errc() || end != literal.data() + literal.size() || value < minimum)
        file.Fail(node, std::string(attribute) + " must be a whole number of at least " +
                            std::to_string(minimum) + ", found \"" + literal + "\"");
    return value;
}

void ReadValue(const XmlFile& file, pugi::xml_node node, Parameter& parameter) {
    if (parameter.IsText())
        parameter.texts.push_back(QuotedText(file, node));
    else
        parameter.numbers.push_back(Number(file, node));
}

// Every element of the array exactly once, stored row by row.
void ReadArrayValues(const XmlFile& file, pugi::xml_node arrayNode, Parameter& parameter) {
    file.AllowOnly(arrayNode, {"AVal"}, {"FirstDimension", "SecondDimension"});
    parameter.isArray = true;
    parameter.rows = Dimension(file, arrayNode, "FirstDimension", 0);
    parameter.columns = Dimension(file, arrayNode, "SecondDimension", 1);
    const auto given = static_cast<std::size_t>(
        std::distance(arrayNode.children("AVal").begin(), arrayNode.children("AVal").end()));
    if (given != parameter.ValueCount())
        file.Fail(arrayNode, std::to_string(parameter.rows) + " x " + std::to_string(parameter.columns) +
                                 " needs " + std::to_string(parameter.ValueCount()) +
                                 " <AVal> elements, found " + std::to_string(given));
    std::vector<pugi::xml_node> cells(given);
    for (pugi::xml_node cell : arrayNode.children("AVal")) {
        file.AllowAttributes(cell, {"Row", "Column"});
        const std::int32_t row = Dimension(file, cell, "Row", 1);
        const std::int32_t column = Dimension(file, cell, "Column", 1);
        if (row > parameter.rows || column > parameter.columns)
            file.Fail(cell, "element " + std::to_string(row) + ", " + std::to_string(column) +
                                " lies outside " + std::to_string(parameter.rows) + " x " +
                                std::to_string(parameter.columns));
        pugi::xml_node& slot = cells[static_cast<std::size_t>((row - 1) * parameter.columns + (column - 1))];
        if (slot)
            file.Fail(cell,
                      "element " + std::to_string(row) + ", " + std::to_string(column) + " is given twice");
        slot = cell;
    }
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (!cells[k])
            file.Fail(arrayNode,
                      "element " + std::to_string(k / static_cast<std::size_t>(parameter.columns) + 1) +
                          ", " + std::to_string(k % static_cast<std::size_t>(parameter.columns) + 1) +
                          " is missing");
        ReadValue(file, cells[k], parameter);
    }
}

Parameter ReadParameter(const XmlFile& file, pugi::xml_node node, const KindName& kind) {
    file.AllowOnly(node, {"Description", "Value", "ArrayValues"}, {"Name"});
    Parameter parameter;
    parameter.name = file.Attribute(node, "Name");
    parameter.type = kind.type;
    if (node.child("Description"))
        parameter.description = QuotedText(file, file.Single(node, "Description"));
    const bool scalar = static_cast<bool>(node.child("Value"));
    if (scalar == static_cast<bool>(node.child("ArrayValues")))
        file.Fail(node, "parameter \"" + parameter.name + "\" needs either <Value> or <ArrayValues>");
    if (scalar)
        ReadValue(file, file.Single(node, "Value"), parameter);
    else
        ReadArrayValues(file, file.Single(node, "ArrayValues"), parameter);
    if (const std::string problem = LibPartFormat::CheckParameter(parameter); !problem.empty())
        file.Fail(node, "parameter \"" + parameter.name + "\": " + problem);
    return parameter;
}

} // namespace

std::vector<Parameter> ParseParamList(std::string text, const std::string& fileName) {
    const XmlFile file(std::move(text), fileName);
    const pugi::xml_node root = file.Root("ParamSection");
    file.AllowOnly(root, {"Parameters"});
    const pugi::xml_node list = file.Single(root, "Parameters");
    file.AllowOnly(list, {"Integer", "Length", "Angle", "RealNum", "PenColor", "String", "Boolean"});
    std::vector<Parameter> parameters;
    std::set<std::string> names;
    for (pugi::xml_node node : list.children()) {
        if (node.type() != pugi::node_element)
            continue;
        parameters.push_back(ReadParameter(file, node, *FindKind(node.name())));
        if (!names.insert(parameters.back().name).second)
            file.Fail(node, "parameter \"" + parameters.back().name + "\" is declared twice");
    }
    return parameters;
}

} // namespace LibPartPacker
