#include "ApartmentTestSupport.hpp"

using Headless::Parameter;

void ApartmentTest::SetUp() {
    liveHandlesAtStart = BMGetLiveHandleCount();
    Host::SetCurrentHost(&host);
}

void ApartmentTest::TearDown() {
    ExpectNothingOutstanding();
    Host::SetCurrentHost(nullptr);
}

API_Guid ApartmentTest::AddRoom(const char* apartmentId, const Headless::ZoneAreas& areas,
                                API_AttributeIndex category) {
    Headless::ParameterList parameters;
    if (apartmentId != nullptr)
        parameters.push_back(Parameter::Text("stApartmentId", apartmentId));
    return AddRoomWithParameters(parameters, areas, category);
}

API_Guid ApartmentTest::AddRoomWithParameters(const Headless::ParameterList& parameters,
                                              const Headless::ZoneAreas& areas, API_AttributeIndex category) {
    Headless::ZoneDesc desc;
    desc.category = category;
    desc.areas.a = areas.a;
    desc.areas.b = areas.b;
    desc.areas.c = areas.c;
    desc.areas.d = areas.d;
    desc.areas.e = areas.e;
    desc.parameters = parameters;
    std::string error;
    const API_Guid guid = host.AddZone(desc, &error);
    EXPECT_NE(guid, APINULLGuid) << error;
    return guid;
}

void ApartmentTest::ExpectNothingOutstanding() const {
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
    EXPECT_EQ(BMGetLiveHandleCount(), liveHandlesAtStart);
}

ParameterHandle::ParameterHandle(const Headless::ParameterList& parameters)
    : handle(Headless::EncodeParameters(parameters)) {}

ParameterHandle::~ParameterHandle() {
    Headless::FreeParameterHandle(&handle);
}

Headless::ParameterList ParameterHandle::Decode() const {
    return Headless::DecodeParameters(handle);
}

GS::Array<API_Guid> Rooms(const std::vector<API_Guid>& guids) {
    GS::Array<API_Guid> rooms;
    for (const API_Guid& guid : guids)
        rooms.Push(guid);
    return rooms;
}

std::vector<API_Guid> ToVector(const GS::Array<API_Guid>& guids) {
    return std::vector<API_Guid>(guids.begin(), guids.end());
}
