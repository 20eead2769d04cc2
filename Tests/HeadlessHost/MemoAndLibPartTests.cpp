#include <cstring>

#include "FakeAddOn.hpp"

using namespace Headless;

namespace {

LibPartDesc StampPart() {
    LibPartDesc part;
    part.name = "Zarimark.gsm";
    part.uniqueId = "{013BD535-32AB-49CE-AAD9-580F3229FDAC}-{BB8967E8-9C6F-4D84-B27D-99B27AFAB3BD}";
    part.parameters = {Parameter::Real("zm_version", 1.0), Parameter::Text("zm_apartmentId", ""),
                       Parameter::NumberArray("zm_lines", 1, 1, {-2.0}),
                       Parameter::TextArray("zm_lineTexts", 1, 1, {"Line"})};
    return part;
}

} // namespace

TEST(Parameters, RoundTripThroughAHandleIsExactAndDeep) {
    const ParameterList original = {Parameter::Real("zm_version", 2.0),
                                    Parameter::Text("zm_apartmentId", "A1"),
                                    Parameter::NumberArray("zm_roomAreasInZari", 2, 2, {1, 2, 3, 4}),
                                    Parameter::TextArray("zm_ZoneCatCodes", 3, 1, {"LIV", "", "BTH"})};
    const Int64 liveBefore = BMGetLiveHandleCount();
    GSHandle handle = EncodeParameters(original);
    ASSERT_EQ(BMGetHandleSize(handle), GSSize(4 * sizeof(API_AddParType)));
    ParameterList decoded = DecodeParameters(handle);
    // The decoded list owns its arrays: changing the handle's array leaves it alone.
    API_AddParType record;
    std::memcpy(&record, *handle + 2 * sizeof(API_AddParType), sizeof(record));
    reinterpret_cast<double*>(*record.value.array)[0] = 99.0;
    FreeParameterHandle(&handle);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(BMGetLiveHandleCount(), liveBefore);

    ASSERT_EQ(decoded.size(), 4u);
    EXPECT_EQ(decoded[0].GetReal(), 2.0);
    EXPECT_EQ(decoded[1].GetText(), "A1");
    EXPECT_EQ(decoded[2].GetNumbers(), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(decoded[3].GetTexts(), (std::vector<GS::UniString>{"LIV", "", "BTH"}));
    EXPECT_EQ(DescribeParameterValue(decoded[2]), "[1, 2; 3, 4]");
    EXPECT_EQ(std::memcmp(&decoded[1].record, &original[1].record, sizeof(API_AddParType)), 0);
}

TEST_F(HostTest, EveryMemoHandedOutIsCounted) {
    const API_Guid room = AddObservedRoom("r1", "A");
    const Int32 stamp = host.AddLibraryPart(StampPart());
    API_ElementMemo memo;
    ASSERT_EQ(host.HostGetElementMemo(room, &memo, APIMemoMask_AddPars), NoError);
    API_ElementMemo defaultsMemo;
    API_Element defaults;
    defaults.header.type.typeID = API_LabelID;
    ASSERT_EQ(host.HostGetElementDefaults(&defaults, &defaultsMemo), NoError);
    API_AddParType** partParams = nullptr;
    ASSERT_EQ(host.HostGetLibPartParams(stamp, &partParams), NoError);
    API_ElementMemo parentMemo;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        if (event.notifID == APINotifyElement_Change) {
            EXPECT_EQ(host.HostGetParentElement(nullptr, &parentMemo, APIMemoMask_AddPars), NoError);
        }
        return NoError;
    };
    host.SetElementParameters(room, {});
    EXPECT_EQ(host.GetOutstandingMemoCount(), 4);

    host.HostDisposeElementMemo(&memo);
    host.HostDisposeElementMemo(&defaultsMemo);
    host.HostDisposeElementMemo(&parentMemo);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 1);
    API_ElementMemo partMemo;
    partMemo.params = partParams;
    host.HostDisposeElementMemo(&partMemo);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
    EXPECT_EQ(host.GetHandedOutMemoCount(), 4);
    EXPECT_EQ(memo.params, nullptr);

    // A memo without the parameter part carries no handle.
    ASSERT_EQ(host.HostGetElementMemo(room, &memo, 0), NoError);
    EXPECT_EQ(memo.params, nullptr);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
}

TEST_F(HostTest, ChangingWithAMemoReplacesTheParameters) {
    const Int32 stamp = host.AddLibraryPart(StampPart());
    LabelDesc desc;
    desc.name = "s1";
    desc.libInd = stamp;
    desc.parameters = {Parameter::Text("zm_apartmentId", "A")};
    const API_Guid label = host.AddLabel(desc);
    ASSERT_EQ(host.FindElement(label)->parameters.size(), 4u); // the part's defaults, one of them given

    API_ElementMemo memo;
    ASSERT_EQ(host.HostGetElementMemo(label, &memo, APIMemoMask_AddPars), NoError);
    GSHandle lines = (*memo.params)[2].value.array;
    ASSERT_EQ(BMReallocHandle(lines, 16, REALLOC_MOVEABLE, 0), NoError);
    reinterpret_cast<double*>(*lines)[0] = 4.0;
    reinterpret_cast<double*>(*lines)[1] = 7.0;
    (*memo.params)[2].dim1 = 2;
    API_Element element = Read(label);
    API_Element mask;
    std::memset(static_cast<void*>(&mask), 0, sizeof(mask));
    ASSERT_EQ(host.HostChangeElement(&element, &mask, &memo, APIMemoMask_AddPars, true), NoError);
    host.HostDisposeElementMemo(&memo);

    const Parameter* stored = FindParameter(host.FindElement(label)->parameters, "zm_lines");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetDim1(), 2);
    EXPECT_EQ(stored->GetNumbers(), (std::vector<double>{4.0, 7.0}));
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
}

TEST_F(HostTest, AnotherLibraryPartKeepsOnlyValuesItAlsoDeclares) {
    const Int32 stamp = host.AddLibraryPart(StampPart());
    LibPartDesc other;
    other.name = "Other.gsm";
    other.uniqueId = "{OTHER}";
    other.parameters = {Parameter::Text("zm_apartmentId", "default"),
                        Parameter::Text("zm_version", "text now"), Parameter::Real("extra", 5.0)};
    const Int32 otherPart = host.AddLibraryPart(other);
    LabelDesc desc;
    desc.libInd = stamp;
    desc.parameters = {Parameter::Text("zm_apartmentId", "A7")};
    const API_Guid label = host.AddLabel(desc);
    host.SetObserved(label, true);

    ASSERT_EQ(host.ChangeLabelLibPart(label, otherPart), NoError);
    const ParameterList& parameters = host.FindElement(label)->parameters;
    ASSERT_EQ(parameters.size(), 3u);
    EXPECT_EQ(parameters[0].GetText(), "A7");       // same name and type: kept
    EXPECT_EQ(parameters[1].GetText(), "text now"); // same name, other type: the new default
    EXPECT_EQ(parameters[2].GetReal(), 5.0);
    EXPECT_EQ(Read(label).label.libInd, otherPart);
    EXPECT_EQ(FakeAddOn::Trace(), "-1 3:label-1 -2");
    EXPECT_EQ(host.ChangeLabelLibPart(label, 99), APIERR_BADPARS);
}

TEST_F(HostTest, BuiltInPartsAreFoundByResourceAndUniqueId) {
    host.AddLibraryPart(StampPart()); // an ordinary part first, so indices differ
    const Int32 builtIn = host.AddBuiltInLibraryPart(StampPart(), 31990);
    API_LibPart libPart;
    EXPECT_EQ(host.HostGetLibPartUniqueId(31991, &libPart), APIERR_BADPARS);
    ASSERT_EQ(host.HostGetLibPartUniqueId(31990, &libPart), NoError);
    EXPECT_STREQ(libPart.ownUnID, StampPart().uniqueId.c_str());
    ASSERT_EQ(host.HostSearchLibraryPart(&libPart, false, false), NoError);
    EXPECT_EQ(libPart.index, 1); // the first part with that unique ID
    ASSERT_NE(libPart.location, nullptr);
    delete libPart.location;
    EXPECT_EQ(builtIn, 2);

    // Labels of a built-in part are named as stamps.
    API_Element label;
    label.header.type.typeID = API_LabelID;
    label.header.layer = 1;
    label.label.libInd = builtIn;
    ASSERT_EQ(host.HostCreateElement(&label, nullptr), NoError);
    EXPECT_EQ(host.GetElementName(label.header.guid), "stamp-1");
    EXPECT_EQ(host.FindElement(label.header.guid)->parameters.size(), 4u);
}

TEST_F(HostTest, QuantitiesFillOnlyTheMaskedFields) {
    ZoneDesc desc;
    desc.areas.a = 20.0;
    desc.areas.c = 18.0;
    desc.areas.e = 0.5;
    const API_Guid room = host.AddZone(desc);
    API_ZoneQuantity zone;
    std::memset(&zone, 0, sizeof(zone));
    zone.perimeter = -1.0;
    API_Quantities quantities;
    quantities.zone = &zone;
    API_QuantitiesMask mask;
    std::memset(&mask, 0, sizeof(mask));
    std::memset(&mask.zone.calcArea, 0xFF, 1);
    std::memset(&mask.zone.netArea, 0xFF, 1);
    ASSERT_EQ(host.HostGetElementQuantities(room, nullptr, &quantities, &mask), NoError);
    EXPECT_EQ(zone.area, 0.0);
    EXPECT_EQ(zone.calcArea, 20.0); // B defaults to A
    EXPECT_EQ(zone.netArea, 18.0);
    EXPECT_EQ(zone.perimeter, -1.0);
    ASSERT_EQ(host.HostGetElementQuantities(room, nullptr, &quantities, nullptr), NoError);
    EXPECT_EQ(zone.area, 20.0);
    EXPECT_EQ(zone.reducedArea, 20.0);
    EXPECT_EQ(zone.wallInsetArea, 0.5);
}

TEST_F(HostTest, GuidsAndNamesAreDeterministic) {
    HeadlessHost first;
    HeadlessHost second;
    ZoneDesc desc;
    const API_Guid a = first.AddZone(desc);
    const API_Guid b = second.AddZone(desc);
    EXPECT_EQ(a, b);
    EXPECT_EQ(first.GetElementName(a), "zone-1");
    desc.name = "zone-2"; // a scenario name is never generated again
    first.AddZone(desc);
    EXPECT_EQ(first.GetElementName(first.AddZone(ZoneDesc())), "zone-3");
    std::string error;
    desc.story = 4;
    EXPECT_EQ(first.AddZone(desc, &error), APINULLGuid);
    EXPECT_EQ(error, "story 4 does not exist");
}
