#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

#include "Formats/Bytes.hpp"
#include "Formats/ResourceModule.hpp"
#include "ResourceSyntax.hpp"

namespace ResourceCompiler {

namespace MF = Formats::ResourceModule;
using Formats::ByteWriter;
namespace fs = std::filesystem;

std::vector<unsigned char> ReadInputFile(const std::string& path, const SourceLocation& where,
                                         const char* what) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        throw CompileError(where, std::string("cannot read ") + what + " '" + path + "': no such file");
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes;
    if (in)
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in || in.bad())
        throw CompileError(where, std::string("cannot read ") + what + " '" + path + "'");
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max() - 64u)
        throw CompileError(where, std::string(what) + " '" + path + "' is too large");
    return bytes;
}

// 'MDID' id "name" { developerId localId }: stored as the host expects it, a 32-bit length (8)
// and the two numbers.
void ReadIdentifier(TokenCursor& tokens, const CompileOptions&, Resource* resource) {
    resource->name = tokens.ExpectString("resource name");
    tokens.ExpectOpeningBrace(resource->where);
    const std::int64_t max = std::numeric_limits<std::uint32_t>::max();
    const auto developerId = static_cast<std::uint32_t>(tokens.ExpectNumber("developer ID", 0, max));
    const auto localId = static_cast<std::uint32_t>(tokens.ExpectNumber("local ID", 0, max));
    if (!tokens.AtClosingBrace())
        tokens.Fail(tokens.Peek(),
                    "expected '}' after the two identifier numbers, found " + DescribeToken(tokens.Peek()));
    ByteWriter out;
    out.U32(8);
    out.U32(developerId);
    out.U32(localId);
    resource->data = out.Take();
}

namespace {

bool IsPng(const std::vector<unsigned char>& bytes) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return bytes.size() >= 8 && std::equal(signature, signature + 8, bytes.begin());
}

std::u16string Ascii16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

} // namespace

// 'GICN' id "name" { dpi "image.png" ... }: one PNG per resolution, found next to the source file.
// Each image belongs to the icon group "I<id>&<dpi>".
void ReadIcon(TokenCursor& tokens, const CompileOptions&, Resource* resource) {
    resource->name = tokens.ExpectString("resource name");
    tokens.ExpectOpeningBrace(resource->where);
    ByteWriter out;
    out.U16(0);
    std::uint16_t count = 0;
    std::set<std::int64_t> resolutions;
    while (!tokens.AtClosingBrace()) {
        const Token dpiToken = tokens.Peek();
        const std::int64_t dpi = tokens.ExpectNumber("icon resolution (dpi) or '}'", 1, 65535);
        if (!resolutions.insert(dpi).second)
            tokens.Fail(dpiToken, "icon resolution " + dpiToken.text + " given twice");
        const Token fileToken = tokens.Expect(TokenKind::String, "image file name");
        const fs::path path = fs::path(dpiToken.where.file).parent_path() / fileToken.text;
        const std::vector<unsigned char> image = ReadInputFile(path.string(), fileToken.where, "icon image");
        if (!IsPng(image))
            tokens.Fail(fileToken, "icon image '" + path.string() + "' is not a PNG image");
        out.U16(static_cast<std::uint16_t>(dpi));
        out.CountedUtf16(Ascii16("I" + std::to_string(resource->id) + "&" + std::to_string(dpi)));
        out.U32(static_cast<std::uint32_t>(image.size()));
        out.Raw(image);
        ++count;
    }
    out.PatchU16(0, count);
    resource->data = out.Take();
}

namespace {

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

} // namespace

// 'FILE' id "name" { file "Some.gsm" }: the bytes of a file from the --file-dir folder, after a
// 32-bit length.
void ReadFile(TokenCursor& tokens, const CompileOptions& options, Resource* resource) {
    resource->name = tokens.ExpectString("resource name");
    tokens.ExpectOpeningBrace(resource->where);
    const Token keyword = tokens.Expect(TokenKind::Identifier, "'file'");
    if (keyword.text != "file")
        tokens.Fail(keyword, "expected 'file', found '" + keyword.text + "'");
    const Token fileName = tokens.Expect(TokenKind::String, "file name");
    if (!tokens.AtClosingBrace())
        tokens.Fail(tokens.Peek(), "expected '}' after the file name, found " + DescribeToken(tokens.Peek()));
    if (!IsPlainFileName(fileName.text))
        tokens.Fail(fileName, "FILE input '" + fileName.text + "' must be a plain file name without folders");
    if (options.fileDir.empty())
        tokens.Fail(fileName, "FILE input '" + fileName.text + "' needs the --file-dir option");
    const fs::path path = fs::path(options.fileDir) / fileName.text;
    const std::vector<unsigned char> bytes = ReadInputFile(path.string(), fileName.where, "FILE input");
    resource->data = MF::EncodeFile(bytes);
}

// 'FLDR' id "name" { "Some.gsm" fileId ... }: the host's list of built-in library files, each a
// zero-padded UTF-16 name in a fixed field and the ID of the FILE resource holding it.
void ReadFolder(TokenCursor& tokens, const CompileOptions&, Resource* resource) {
    resource->name = tokens.ExpectString("resource name");
    tokens.ExpectOpeningBrace(resource->where);
    std::vector<MF::FolderEntry> entries;
    while (!tokens.AtClosingBrace()) {
        const Token nameToken = tokens.Expect(TokenKind::String, "file name or '}'");
        if (nameToken.text16.empty())
            tokens.Fail(nameToken, "empty file name in FLDR");
        if (nameToken.text16.size() > MF::FolderNameUnits)
            tokens.Fail(nameToken, "file name \"" + nameToken.text + "\" takes " +
                                       std::to_string(nameToken.text16.size() * 2) +
                                       " bytes in UTF-16, more than the " +
                                       std::to_string(MF::FolderNameBytes) + "-byte field");
        const Token idToken = tokens.Peek();
        const auto fileId = static_cast<std::uint16_t>(tokens.ExpectNumber("FILE resource ID", 0, 65535));
        if (entries.size() == std::numeric_limits<std::uint16_t>::max())
            tokens.Fail(nameToken, "too many FLDR entries");
        entries.push_back({nameToken.text16, fileId});
        resource->references.push_back(ResourceReference{MF::TypeFromCode("FILE"), fileId, 0, idToken.where});
    }
    std::string error;
    if (!MF::EncodeFolder(entries, &resource->data, &error))
        throw CompileError(resource->where, error);
}

} // namespace ResourceCompiler
