#ifndef TESTS_APARTMENTS_APARTMENTTESTSUPPORT_HPP
#define TESTS_APARTMENTS_APARTMENTTESTSUPPORT_HPP

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GSRoot/Array.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Host/HostOperations.hpp"

// A headless project the operations under test run against, and the proof that every memo and
// every handle they took was given back.
class ApartmentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A zone on story 0; apartmentId null: the zone has no "stApartmentId" parameter.
    API_Guid AddRoom(const char* apartmentId, const Headless::ZoneAreas& areas = {20, 20, 18, 18, 0},
                     API_AttributeIndex category = 0);
    API_Guid AddRoomWithParameters(const Headless::ParameterList& parameters,
                                   const Headless::ZoneAreas& areas, API_AttributeIndex category);

    void ExpectNothingOutstanding() const;

    Headless::HeadlessHost host;

private:
    Int64 liveHandlesAtStart = 0;
};

// A parameter list as the host hands it out, owned by the test.
class ParameterHandle {
public:
    explicit ParameterHandle(const Headless::ParameterList& parameters);
    ~ParameterHandle();
    ParameterHandle(const ParameterHandle&) = delete;
    ParameterHandle& operator=(const ParameterHandle&) = delete;

    API_AddParType** Get() const { return reinterpret_cast<API_AddParType**>(handle); }
    API_AddParType& Record(UIndex index) const { return (*Get())[index]; }
    Headless::ParameterList Decode() const;

private:
    GSHandle handle = nullptr;
};

GS::Array<API_Guid> Rooms(const std::vector<API_Guid>& guids);
std::vector<API_Guid> ToVector(const GS::Array<API_Guid>& guids);

#endif
