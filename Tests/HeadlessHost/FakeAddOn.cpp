#include "FakeAddOn.hpp"

#include <cstring>

namespace FakeAddOn {

State& Get() {
    static State state;
    return state;
}

GSErrCode ElementHandler(const API_NotifyElementType* event) {
    State& state = Get();
    Received received;
    received.code = event->notifID;
    received.typeID = event->elemHead.type.typeID;
    received.lockId = event->elemHead.lockId;
    if (event->notifID > 0)
        received.name = state.host->GetElementName(event->elemHead.guid);
    state.events.push_back(received);
    return state.onEvent ? state.onEvent(*event) : NoError;
}

GSErrCode MenuHandler(const API_MenuParams*) {
    return Get().onMenu ? Get().onMenu() : NoError;
}

GSErrCode ProjectHandler(Int32 code, Int32) {
    return Get().onProjectEvent ? Get().onProjectEvent(code) : NoError;
}

GSErrCode PaletteCallback(Int32, Int32 message, bool* flag) {
    Get().paletteMessages.push_back(message);
    if (message == APIPalMsg_IsPaletteVisible)
        *flag = true;
    return NoError;
}

void InstallElementHandlers(Headless::HeadlessHost& host) {
    host.ACAPI_Notify_InstallElementObserver(&ElementHandler);
    API_ElemType zone;
    zone.typeID = API_ZoneID;
    host.ACAPI_Notify_CatchNewElement(&zone, &ElementHandler);
    API_ElemType label;
    label.typeID = API_LabelID;
    host.ACAPI_Notify_CatchNewElement(&label, &ElementHandler);
}

std::string Trace() {
    std::string trace;
    for (const Received& event : Get().events) {
        trace += trace.empty() ? "" : " ";
        trace += std::to_string(event.code);
        if (event.code > 0)
            trace += ":" + event.name;
    }
    return trace;
}

} // namespace FakeAddOn

void HostTest::SetUp() {
    FakeAddOn::Get() = FakeAddOn::State();
    FakeAddOn::Get().host = &host;
    FakeAddOn::InstallElementHandlers(host);
}

void HostTest::TearDown() {
    FakeAddOn::Get() = FakeAddOn::State();
}

API_Guid HostTest::AddRoom(const std::string& name, const std::string& apartment, Int16 story) {
    Headless::ZoneDesc desc;
    desc.name = name;
    desc.story = story;
    desc.polygon = {{0, 0}, {4, 0}, {4, 5}, {0, 5}};
    desc.parameters.push_back(Headless::Parameter::Text("stApartmentId", GS::UniString(apartment)));
    std::string error;
    const API_Guid guid = host.AddZone(desc, &error);
    EXPECT_EQ(error, "");
    return guid;
}

API_Guid HostTest::AddObservedRoom(const std::string& name, const std::string& apartment) {
    const API_Guid guid = AddRoom(name, apartment);
    host.SetObserved(guid, true);
    return guid;
}

GS::UniString HostTest::ApartmentOf(const API_Guid& guid) {
    const Headless::ElementRecord* record = host.FindElement(guid);
    if (record == nullptr)
        return "<missing>";
    const Headless::Parameter* parameter = Headless::FindParameter(record->parameters, "stApartmentId");
    return parameter != nullptr ? parameter->GetText() : GS::UniString("<none>");
}

API_Element HostTest::Read(const API_Guid& guid) {
    API_Element element;
    element.header.guid = guid;
    EXPECT_EQ(host.HostGetElement(&element), NoError);
    return element;
}

GSErrCode HostTest::ChangeApartment(const API_Guid& guid, const std::string& apartment) {
    API_Element element;
    element.header.guid = guid;
    GSErrCode result = host.HostGetElement(&element);
    if (result != NoError)
        return result;
    Headless::ParameterList parameters = host.FindElement(guid)->parameters;
    *Headless::FindParameter(parameters, "stApartmentId") =
        Headless::Parameter::Text("stApartmentId", GS::UniString(apartment));
    API_ElementMemo memo;
    memo.params = reinterpret_cast<API_AddParType**>(Headless::EncodeParameters(parameters));
    API_Element mask;
    std::memset(static_cast<void*>(&mask), 0, sizeof(mask)); // the add-on changes no field
    result = host.HostChangeElement(&element, &mask, &memo, APIMemoMask_AddPars, true);
    GSHandle handle = reinterpret_cast<GSHandle>(memo.params);
    Headless::FreeParameterHandle(&handle);
    return result;
}

int HostTest::CountBatches(Headless::BatchOrigin origin) const {
    int count = 0;
    for (const Headless::DeliveredBatch& batch : host.GetDeliveredBatches())
        count += batch.origin == origin ? 1 : 0;
    return count;
}
