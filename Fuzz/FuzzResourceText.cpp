// A resource text either fails with a CompileError or compiles into a module that reads back as
// exactly the resources compiled, with folder and file payloads that decode, and that the
// platform's resource reader takes as a host would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Formats/ResourceModule.hpp"
#include "FuzzCheck.hpp"
#include "ModuleImage.hpp"
#include "RS/RS.hpp"
#include "ResourceParser.hpp"
#include "ResourceSet.hpp"

namespace {

namespace fs = std::filesystem;
namespace MF = Formats::ResourceModule;
using namespace ResourceCompiler;

const std::string LibPartBytes = "WW-a small stand-in for a library part";

// The files a source may name (FILE inputs and icon images), in a folder of their own that
// also stands as the source's folder.
struct InputFolder {
    fs::path path;

    InputFolder() {
        std::string pattern = (fs::temp_directory_path() / "zm-fuzz-resources-XXXXXX").string();
        path = mkdtemp(pattern.data());
        Write("Zarimark.gsm", LibPartBytes);
        const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + "pixels";
        fs::create_directories(path / "Icons");
        Write("Icons/Zarimark_96.png", png);
        Write("Icons/Zarimark_192.png", png);
        Write("Icons/NotAnImage.png", "GIF89a");
    }
    ~InputFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
};

const InputFolder& Inputs() {
    static const InputFolder folder;
    return folder;
}

std::vector<Resource> Compile(const std::string& text) {
    CompileOptions options;
    options.fileDir = Inputs().path.string();
    ResourceSet set;
    for (Resource& resource : ParseResources(text, (Inputs().path / "Fuzz.grc").string(), options))
        set.Add(std::move(resource));
    set.CheckReferences();
    return set.All();
}

void CheckPayload(const MF::Resource& resource) {
    std::string error;
    if (resource.type == MF::TypeFromCode("FLDR")) {
        std::vector<MF::FolderEntry> entries;
        Require(MF::DecodeFolder(resource.data.data(), resource.data.size(), &entries, &error),
                "a compiled folder decodes: " + error);
    } else if (resource.type == MF::TypeFromCode("FILE")) {
        std::vector<std::uint8_t> bytes;
        Require(MF::DecodeFile(resource.data.data(), resource.data.size(), &bytes, &error),
                "a compiled file decodes: " + error);
        Require(std::string(bytes.begin(), bytes.end()) == LibPartBytes, "a compiled file holds its input");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Resource> resources;
    try {
        resources = Compile(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const CompileError& error) {
        Require(!error.Reason().empty(), "a compile error has a reason");
        return 0;
    }
    const std::vector<std::uint8_t> image = BuildModuleImage(resources);
    std::vector<MF::Resource> read;
    std::string error;
    Require(MF::ReadImage(image.data(), image.size(), &read, &error), "the module reads: " + error);
    Require(read.size() == resources.size(), "the module holds every resource");
    for (std::size_t k = 0; k < read.size(); ++k) {
        const MF::Resource compiled{resources[k].type, resources[k].id, resources[k].name, resources[k].data};
        Require(read[k] == compiled, "resource " + std::to_string(k) + " reads as compiled");
        CheckPayload(read[k]);
    }
    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Compiled", &error);
    Require(module != InvalidResModule, "the platform takes the module: " + error);
    RS::UnregisterModule(module);
    return 0;
}
