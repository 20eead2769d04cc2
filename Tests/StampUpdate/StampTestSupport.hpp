#ifndef TESTS_STAMPUPDATE_STAMPTESTSUPPORT_HPP
#define TESTS_STAMPUPDATE_STAMPTESTSUPPORT_HPP

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HeadlessHost/HeadlessHost.hpp"
#include "RS/RS.hpp"

// The compiled resource module of the build, as bytes and registered with RS (once).
const std::vector<unsigned char>& CompiledModuleBytes();
GSResModule CompiledResourceModule();

std::vector<unsigned char> ResourceBytes(GSResModule module, RS::ResType type, GSResID id);

// A resource module image put together by hand, for resources the compiler would not write.
struct TestResource {
    RS::ResType type = 0;
    GSResID id = 0;
    std::u16string name;
    std::vector<unsigned char> data;
};
std::vector<unsigned char> BuildModuleImage(const std::vector<TestResource>& resources);
// InvalidResModule (and a failed expectation) when RS refuses the image.
GSResModule RegisterTestModule(const std::vector<TestResource>& resources);

// Little-endian numbers inside byte buffers.
std::uint32_t GetU32(const std::vector<unsigned char>& bytes, std::size_t at);
void PutU32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value);
std::vector<unsigned char> WithLengthPrefix(const std::vector<unsigned char>& rest);

// Equal parameter lists, record by record and array data by content; names in `except` may
// differ in value.
void ExpectSameParameters(const Headless::ParameterList& before, const Headless::ParameterList& after,
                          const std::vector<std::string>& except = {});

// A headless project whose built-in library came from the compiled module, with the host as the
// add-on's current host. Every memo and handle taken during a test must be given back.
class StampTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    API_Guid AddRoom(API_AttributeIndex category, const Headless::ZoneAreas& areas,
                     const Headless::ZoneDesc& base = {});
    // A label of the part (the stamp part by default), observed and linked both ways to rooms.
    API_Guid AddStamp(const std::vector<API_Guid>& rooms, Int32 libInd = 0,
                      const Headless::LabelDesc& base = {});

    const Headless::ElementRecord& Element(const API_Guid& guid) const;
    const Headless::Parameter& Param(const API_Guid& guid, const char* name) const;
    std::vector<API_Guid> Links(const API_Guid& guid) const;
    std::vector<std::string> CalledOperations() const;
    bool Called(const std::string& operation) const;

    Headless::HeadlessHost host;
    Int32 stampLibInd = 0;

private:
    Int64 liveHandlesAtStart = 0;
};

#endif
