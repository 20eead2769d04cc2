#include "Formats/ResourceModule.hpp"
#include "Generators.hpp"
#include "RS/RS.hpp"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace MF = Formats::ResourceModule;

// Types the RS runtime reads as raw data, so any payload is sound; IDs cover the full range.
rc::Gen<std::uint32_t> RawType() {
    return rc::gen::element(MF::TypeFromCode("DATA"), MF::TypeFromCode("TEXT"), MF::TypeFromCode("abcd"),
                            std::uint32_t{0}, std::uint32_t{0xFFFFFFFF});
}

rc::Gen<std::int32_t> ResourceId() {
    return rc::gen::oneOf(rc::gen::inRange<std::int32_t>(-3, 40),
                          rc::gen::element(std::int32_t{-2147483647 - 1}, std::int32_t{2147483647}),
                          rc::gen::arbitrary<std::int32_t>());
}

rc::Gen<MF::Resource> RawResource() {
    return rc::gen::build<MF::Resource>(rc::gen::set(&MF::Resource::type, RawType()),
                                        rc::gen::set(&MF::Resource::id, ResourceId()),
                                        rc::gen::set(&MF::Resource::name, Generators::NonZeroUnits(12)),
                                        rc::gen::set(&MF::Resource::data, Generators::Bytes(48)));
}

// A module holds each (type, ID) once.
rc::Gen<std::vector<MF::Resource>> RawResources() {
    return rc::gen::uniqueBy<std::vector<MF::Resource>>(RawResource(), [](const MF::Resource& resource) {
        return std::make_pair(resource.type, resource.id);
    });
}

RC_GTEST_PROP(ResourceModuleProperty, WrittenImageReadsBackTheSameResourcesInOrder, ()) {
    const std::vector<MF::Resource> resources = *RawResources();
    std::vector<std::uint8_t> image;
    std::string error;
    RC_ASSERT(MF::WriteImage(resources, &image, &error));

    std::vector<MF::Resource> read;
    RC_ASSERT(MF::ReadImage(image.data(), image.size(), &read, &error));
    RC_ASSERT(read == resources);

    // Every shorter image is refused, never read past its end.
    const std::size_t cut = *rc::gen::inRange<std::size_t>(0, image.size());
    RC_ASSERT_FALSE(MF::ReadImage(image.data(), cut, &read, &error));
    RC_ASSERT(read == resources);
}

// The same image registered with the RS runtime gives every resource's data by type and ID, and
// the IDs of a type in module order.
RC_GTEST_PROP(ResourceModuleProperty, RegisteredImageGivesEveryResource, ()) {
    const std::vector<MF::Resource> resources = *RawResources();
    std::vector<std::uint8_t> image;
    std::string error;
    RC_ASSERT(MF::WriteImage(resources, &image, &error));
    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Random", &error);
    RC_ASSERT(module != InvalidResModule);
    for (const MF::Resource& resource : resources) {
        std::vector<unsigned char> data;
        RC_ASSERT(RS::GetResourceData(module, resource.type, resource.id, &data));
        RC_ASSERT(data == resource.data);
    }
    std::set<std::uint32_t> types;
    for (const MF::Resource& resource : resources)
        types.insert(resource.type);
    for (std::uint32_t type : types) {
        std::vector<GSResID> ids;
        for (const MF::Resource& resource : resources)
            if (resource.type == type)
                ids.push_back(resource.id);
        RC_ASSERT(RS::ListResources(module, type) == ids);
    }
    RS::UnregisterModule(module);
}

rc::Gen<MF::FolderEntry> FolderEntry() {
    return rc::gen::build<MF::FolderEntry>(
        rc::gen::set(&MF::FolderEntry::name, rc::gen::oneOf(Generators::NonZeroUnits(20),
                                                            Generators::NonZeroUnits(MF::FolderNameUnits))),
        rc::gen::set(&MF::FolderEntry::fileId, rc::gen::arbitrary<std::uint16_t>()));
}

RC_GTEST_PROP(ResourceModuleProperty, FolderEncodesAndDecodesToTheSameEntries, ()) {
    const auto entries = *rc::gen::container<std::vector<MF::FolderEntry>>(FolderEntry());
    std::vector<std::uint8_t> data;
    std::string error;
    RC_ASSERT(MF::EncodeFolder(entries, &data, &error));
    RC_ASSERT(data.size() == MF::LengthPrefixSize + 2 + entries.size() * MF::FolderEntrySize);

    std::vector<MF::FolderEntry> decoded;
    RC_ASSERT(MF::DecodeFolder(data.data(), data.size(), &decoded, &error));
    RC_ASSERT(decoded == entries);

    // The runtime's folder reader sees the same entries.
    std::vector<std::uint8_t> image;
    RC_ASSERT(MF::WriteImage({{MF::TypeFromCode("FLDR"), 128, u"Folder", data}}, &image, &error));
    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Folder", &error);
    RC_ASSERT(module != InvalidResModule);
    std::vector<RS::FolderEntry> folder;
    RC_ASSERT(RS::GetFolder(module, 128, &folder));
    RS::UnregisterModule(module);
    RC_ASSERT(folder.size() == entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
        RC_ASSERT(folder[k].fileName.GetUnits() == entries[k].name);
        RC_ASSERT(folder[k].fileId == GSResID{entries[k].fileId});
    }
}

RC_GTEST_PROP(ResourceModuleProperty, FolderNameLongerThanItsFieldIsRefused, ()) {
    std::vector<MF::FolderEntry> entries = *rc::gen::container<std::vector<MF::FolderEntry>>(FolderEntry());
    const std::size_t extra = *rc::gen::inRange<std::size_t>(1, 40);
    const std::size_t at = *rc::gen::inRange<std::size_t>(0, entries.size() + 1);
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at),
                   MF::FolderEntry{std::u16string(MF::FolderNameUnits + extra, u'n'), 1});
    std::vector<std::uint8_t> data = {1, 2, 3};
    std::string error;
    RC_ASSERT_FALSE(MF::EncodeFolder(entries, &data, &error));
    RC_ASSERT(data == (std::vector<std::uint8_t>{1, 2, 3}));
    RC_ASSERT(error.find("does not fit") != std::string::npos);
}

RC_GTEST_PROP(ResourceModuleProperty, FileEncodesAndDecodesToTheSameBytes, ()) {
    const std::vector<std::uint8_t> bytes = *Generators::Bytes(200);
    const std::vector<std::uint8_t> data = MF::EncodeFile(bytes);
    std::vector<std::uint8_t> decoded;
    std::string error;
    RC_ASSERT(MF::DecodeFile(data.data(), data.size(), &decoded, &error));
    RC_ASSERT(decoded == bytes);
    // A length prefix that is not the truth is refused.
    std::vector<std::uint8_t> longer = data;
    longer.push_back(*rc::gen::arbitrary<std::uint8_t>());
    RC_ASSERT_FALSE(MF::DecodeFile(longer.data(), longer.size(), &decoded, &error));
}

} // namespace
