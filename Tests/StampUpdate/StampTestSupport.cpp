#include "StampTestSupport.hpp"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "GSRoot/MemoryHandle.hpp"
#include "Host/HostOperations.hpp"

namespace {

void PutU16(std::vector<unsigned char>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void AppendU32(std::vector<unsigned char>& bytes, std::uint32_t value) {
    bytes.resize(bytes.size() + 4);
    PutU32(bytes, bytes.size() - 4, value);
}

} // namespace

const std::vector<unsigned char>& CompiledModuleBytes() {
    static const std::vector<unsigned char> bytes = [] {
        std::ifstream in(ZM_RESOURCE_MODULE_PATH, std::ios::binary);
        EXPECT_TRUE(in.good()) << ZM_RESOURCE_MODULE_PATH;
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

GSResModule CompiledResourceModule() {
    static const GSResModule module = [] {
        std::string error;
        const std::vector<unsigned char>& bytes = CompiledModuleBytes();
        const GSResModule registered = RS::RegisterModule(bytes.data(), bytes.size(), "Zarimark", &error);
        EXPECT_NE(registered, InvalidResModule) << error;
        return registered;
    }();
    return module;
}

std::vector<unsigned char> ResourceBytes(GSResModule module, RS::ResType type, GSResID id) {
    std::vector<unsigned char> data;
    EXPECT_TRUE(RS::GetResourceData(module, type, id, &data)) << "resource " << id;
    return data;
}

std::uint32_t GetU32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at)) | static_cast<std::uint32_t>(bytes.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(bytes.at(at + 2)) << 16 |
           static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
}

void PutU32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k)
        bytes.at(at + k) = static_cast<unsigned char>(value >> (8 * k));
}

std::vector<unsigned char> WithLengthPrefix(const std::vector<unsigned char>& rest) {
    std::vector<unsigned char> bytes;
    AppendU32(bytes, static_cast<std::uint32_t>(rest.size()));
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

std::vector<unsigned char> BuildModuleImage(const std::vector<TestResource>& resources) {
    constexpr std::uint32_t headerSize = 16;
    constexpr std::uint32_t entrySize = 24;
    std::vector<unsigned char> image = {'Z', 'R', 'S', 'M'};
    PutU16(image, 1);
    PutU16(image, 0);
    AppendU32(image, static_cast<std::uint32_t>(resources.size()));
    AppendU32(image, 0); // the whole length, known at the end
    std::vector<unsigned char> payload;
    auto place = static_cast<std::uint32_t>(headerSize + entrySize * resources.size());
    for (const TestResource& resource : resources) {
        const auto nameBytes = static_cast<std::uint32_t>(resource.name.size() * 2);
        AppendU32(image, resource.type);
        AppendU32(image, static_cast<std::uint32_t>(resource.id));
        AppendU32(image, place);
        AppendU32(image, nameBytes);
        AppendU32(image, place + nameBytes);
        AppendU32(image, static_cast<std::uint32_t>(resource.data.size()));
        for (char16_t unit : resource.name)
            PutU16(payload, unit);
        payload.insert(payload.end(), resource.data.begin(), resource.data.end());
        place += nameBytes + static_cast<std::uint32_t>(resource.data.size());
    }
    image.insert(image.end(), payload.begin(), payload.end());
    PutU32(image, 12, static_cast<std::uint32_t>(image.size()));
    return image;
}

GSResModule RegisterTestModule(const std::vector<TestResource>& resources) {
    const std::vector<unsigned char> image = BuildModuleImage(resources);
    std::string error;
    const GSResModule module = RS::RegisterModule(image.data(), image.size(), "Test", &error);
    EXPECT_NE(module, InvalidResModule) << error;
    return module;
}

namespace {

// An array's handle field is the host's own and says nothing about the value.
bool SameParameter(const Headless::Parameter& a, const Headless::Parameter& b) {
    API_AddParType left = a.record;
    API_AddParType right = b.record;
    if (a.IsArray())
        left.value.array = right.value.array = nullptr;
    return std::memcmp(&left, &right, sizeof(API_AddParType)) == 0 && a.arrayData == b.arrayData;
}

} // namespace

void ExpectSameParameters(const Headless::ParameterList& before, const Headless::ParameterList& after,
                          const std::vector<std::string>& except) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::string name = before[i].GetName();
        EXPECT_EQ(name, after[i].GetName());
        if (std::find(except.begin(), except.end(), name) == except.end()) {
            EXPECT_TRUE(SameParameter(before[i], after[i])) << name;
        }
    }
}

void StampTest::SetUp() {
    host.SetOwnResourceModule(CompiledResourceModule());
    ASSERT_EQ(host.ACAPI_Register_BuiltInLibrary(), NoError) << host.GetBuiltInLibraryError();
    const Headless::LibPartRecord* stampPart = host.FindLibraryPartByName("Zarimark.gsm");
    ASSERT_NE(stampPart, nullptr);
    stampLibInd = stampPart->index;
    Host::SetCurrentHost(&host);
    host.ClearCallLog();
    liveHandlesAtStart = BMGetLiveHandleCount();
}

void StampTest::TearDown() {
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
    EXPECT_EQ(BMGetLiveHandleCount(), liveHandlesAtStart);
    Host::SetCurrentHost(nullptr);
}

API_Guid StampTest::AddRoom(API_AttributeIndex category, const Headless::ZoneAreas& areas,
                            const Headless::ZoneDesc& base) {
    Headless::ZoneDesc desc = base;
    desc.category = category;
    desc.areas = {areas.a, areas.b, areas.c, areas.d, areas.e};
    std::string error;
    const API_Guid room = host.AddZone(desc, &error);
    EXPECT_NE(room, APINULLGuid) << error;
    host.SetObserved(room, true);
    return room;
}

API_Guid StampTest::AddStamp(const std::vector<API_Guid>& rooms, Int32 libInd,
                             const Headless::LabelDesc& base) {
    Headless::LabelDesc desc = base;
    desc.libInd = libInd != 0 ? libInd : stampLibInd;
    desc.begC = desc.midC = desc.endC = {3.0, 4.0};
    std::string error;
    const API_Guid stamp = host.AddLabel(desc, &error);
    EXPECT_NE(stamp, APINULLGuid) << error;
    host.SetObserved(stamp, true);
    for (const API_Guid& room : rooms) {
        EXPECT_TRUE(host.AddLink(room, stamp));
        EXPECT_TRUE(host.AddLink(stamp, room));
    }
    return stamp;
}

const Headless::ElementRecord& StampTest::Element(const API_Guid& guid) const {
    const Headless::ElementRecord* record = host.FindElement(guid);
    if (record == nullptr)
        throw std::runtime_error("no such element");
    return *record;
}

const Headless::Parameter& StampTest::Param(const API_Guid& guid, const char* name) const {
    const Headless::Parameter* parameter = Headless::FindParameter(Element(guid).parameters, name);
    if (parameter == nullptr)
        throw std::runtime_error(std::string("no parameter ") + name);
    return *parameter;
}

std::vector<API_Guid> StampTest::Links(const API_Guid& guid) const {
    return Element(guid).links;
}

std::vector<std::string> StampTest::CalledOperations() const {
    std::vector<std::string> names;
    for (const Headless::CallLogEntry& entry : host.GetCallLog())
        names.push_back(entry.operation);
    return names;
}

bool StampTest::Called(const std::string& operation) const {
    const std::vector<std::string> names = CalledOperations();
    return std::find(names.begin(), names.end(), operation) != names.end();
}
