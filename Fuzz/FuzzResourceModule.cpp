// A resource module image of any bytes, as a host reads an add-on's module: the format's reader
// and the platform's refuse what is malformed and never crash on it. What the format reads
// writes back as the same resources; every resource of a module the platform took decodes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Formats/ResourceModule.hpp"
#include "FuzzCheck.hpp"
#include "RS/RS.hpp"

namespace {

namespace MF = Formats::ResourceModule;

bool Decodes(GSResModule module, const MF::Resource& resource) {
    const GSResID id = resource.id;
    if (resource.type == RS::StringListType) {
        std::vector<GS::UniString> items;
        return RS::GetStringList(module, id, &items);
    }
    if (resource.type == RS::AlertType) {
        RS::AlertResource alert;
        return RS::GetAlert(module, id, &alert) && alert.defaultButton >= 1 && alert.defaultButton <= 3;
    }
    if (resource.type == RS::DialogType) {
        RS::DialogResource dialog;
        return RS::GetDialog(module, id, &dialog);
    }
    if (resource.type == RS::FolderType) {
        std::vector<RS::FolderEntry> entries;
        return RS::GetFolder(module, id, &entries);
    }
    if (resource.type == RS::FileType) {
        std::vector<unsigned char> bytes;
        return RS::GetFile(module, id, &bytes) && bytes.size() + MF::LengthPrefixSize == resource.data.size();
    }
    std::vector<unsigned char> data;
    return RS::GetResourceData(module, resource.type, id, &data) && data == resource.data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<MF::Resource> resources;
    std::string error;
    const bool read = MF::ReadImage(data, size, &resources, &error);
    if (read) {
        std::vector<std::uint8_t> image;
        std::vector<MF::Resource> again;
        Require(MF::WriteImage(resources, &image, &error), "what was read can be written: " + error);
        Require(MF::ReadImage(image.data(), image.size(), &again, &error) && again == resources,
                "what was written reads as the resources read");
    }

    const GSResModule module = RS::RegisterModule(data, size, "Fuzz", &error);
    if (module == InvalidResModule) {
        Require(!error.empty(), "a refused module has a reason");
        return 0;
    }
    Require(read, "the platform takes only modules the format reads");
    for (const MF::Resource& resource : resources)
        Require(Decodes(module, resource), MF::DescribeResource(resource.type, resource.id) + " decodes");
    RS::UnregisterModule(module);
    return 0;
}
