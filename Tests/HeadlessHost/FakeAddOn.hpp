#ifndef TESTS_HEADLESSHOST_FAKEADDON_HPP
#define TESTS_HEADLESSHOST_FAKEADDON_HPP

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HeadlessHost/HeadlessHost.hpp"

// A tiny add-on made of plain handler functions, registered through the host interface.
namespace FakeAddOn {

struct Received {
    Int32 code = 0;
    Int32 typeID = 0;
    std::string name;
    UInt16 lockId = 0;
};

struct State {
    Headless::HeadlessHost* host = nullptr;
    std::vector<Received> events;
    // Runs inside the element handler after the event was recorded; its code is returned.
    std::function<GSErrCode(const API_NotifyElementType&)> onEvent;
    std::function<GSErrCode()> onMenu;
    std::function<GSErrCode(Int32)> onProjectEvent;
    std::vector<Int32> paletteMessages;
};

State& Get();
GSErrCode ElementHandler(const API_NotifyElementType* event);
GSErrCode MenuHandler(const API_MenuParams* params);
GSErrCode ProjectHandler(Int32 code, Int32 param);
GSErrCode PaletteCallback(Int32 referenceID, Int32 message, bool* flag);

// The element observer plus new-element catching for zones and labels.
void InstallElementHandlers(Headless::HeadlessHost& host);
// "-1 1:zone-1 -2": the codes received, element events with the element's name.
std::string Trace();

} // namespace FakeAddOn

// A host with the fake add-on's handlers installed and a few project helpers.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    API_Guid AddRoom(const std::string& name, const std::string& apartment, Int16 story = 0);
    API_Guid AddObservedRoom(const std::string& name, const std::string& apartment);
    GS::UniString ApartmentOf(const API_Guid& guid);
    API_Element Read(const API_Guid& guid);
    GSErrCode ChangeApartment(const API_Guid& guid, const std::string& apartment); // as the add-on
    int CountBatches(Headless::BatchOrigin origin) const;

    Headless::HeadlessHost host;
};

#endif
