#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Host/HostCatalogue.hpp"
#include "Host/HostOperations.hpp"

// The catalogue is the only list of host operations; these tests hold it against lists written
// out by hand, so that an operation left out of the interface, the defaults, the forwarders, the
// name table or the wrapper shows.

using namespace Headless;

namespace {

// Every host operation, called once through the interface, in catalogue order. The answers of
// operations that answer a value are collected as result codes (1/0, the module).
std::vector<GSErrCode> CallEveryOperation(HostInterface& host) {
    API_Guid guid;
    API_Element element;
    API_Elem_Head header;
    API_ElementMemo memo;
    API_ElemType type;
    API_Neig neig;
    API_LibPart libPart;
    API_Attribute attribute;
    API_SelectionInfo selection;
    API_StoryInfo stories;
    API_Quantities quantities;
    API_AttributeIndex index = 0;
    API_AddParType** params = nullptr;
    GS::Array<API_Guid> guids;
    GS::Array<API_Neig> neigs;
    GS::HashTable<API_Guid, Int16> conflicts;
    Int32 version = 0;
    GSSize size = 0;
    bool on = false;
    std::vector<GSErrCode> answers = {
        host.ACAPI_Register_Menu(1, 0, 0, 0),
        host.ACAPI_Install_MenuHandler(1, nullptr),
        host.ACAPI_Register_BuiltInLibrary(),
        host.ACAPI_RegisterModelessWindow(1, nullptr, 0, guid),
        host.HostUnregisterModelessWindow(1),
        host.ACAPI_Notify_CatchProjectEvent(0, nullptr),
        host.ACAPI_Notify_InstallElementObserver(nullptr),
        host.ACAPI_Notify_CatchNewElement(&type, nullptr),
        host.HostAttachElementObserver(guid, 0),
        host.HostDetachElementObserver(guid),
        host.HostGetParentElement(&element, &memo, 0),
        host.HostListElements(API_ZoneID, &guids, 0, guid),
        host.HostFilterElement(guid, 0, 0, guid) ? 1 : 0,
        host.HostGetElement(&element),
        host.HostGetElementHeader(&header),
        host.HostGetElementMemo(guid, &memo, 0),
        host.HostGetElementDefaults(&element, &memo),
        host.HostCreateElement(&element, &memo),
        host.HostChangeElement(&element, nullptr, nullptr, 0, false),
        host.HostDeleteElements(guids),
        host.HostDisposeElementMemo(&memo),
        host.HostGetElementQuantities(guid, nullptr, &quantities, nullptr),
        host.HostGetSelection(&selection, &neigs, false, false, 0),
        host.HostNeigToElementType(neig, &type),
        host.HostApplyElementTool(guids, APITool_Lock),
        host.HostReserveElements(guids, &conflicts, false),
        host.HostGetStoryInfo(&stories),
        host.HostGetLayerCombination(&index),
        host.HostSetLayerCombination(1),
        host.HostIsSuspendGroupOn(&on),
        host.HostGetElementLinks(guid, &guids),
        host.HostLinkElements(guid, guid, 0),
        host.HostUnlinkElements(guid, guid),
        host.HostGetLibPartUniqueId(1, &libPart),
        host.HostSearchLibraryPart(&libPart, false, false),
        host.HostGetLibPartParams(1, &params),
        host.HostGetAttribute(&attribute),
        host.HostModifyAttribute(&attribute),
        host.HostEnumerateAttributes(API_LayerID, {}),
        host.HostCallUndoableCommand("Step", [] { return NoError; }),
        host.HostGetPreferences(&version, &size, nullptr, nullptr),
        host.HostSetPreferences(1, 0, nullptr),
        host.HostGetOwnResourceModule(),
    };
    if (stories.data != nullptr)
        BMKillHandle(reinterpret_cast<GSHandle*>(&stories.data));
    return answers;
}

// The same, through the add-on's forwarders and their default arguments.
std::vector<GSErrCode> CallEveryForwarder() {
    API_Guid guid;
    API_Element element;
    API_Elem_Head header;
    API_ElementMemo memo;
    API_ElemType type;
    API_Neig neig;
    API_LibPart libPart;
    API_Attribute attribute;
    API_SelectionInfo selection;
    API_StoryInfo stories;
    API_Quantities quantities;
    API_AttributeIndex index = 0;
    API_AddParType** params = nullptr;
    GS::Array<API_Guid> guids;
    GS::Array<API_Neig> neigs;
    GS::HashTable<API_Guid, Int16> conflicts;
    Int32 version = 0;
    GSSize size = 0;
    bool on = false;
    std::vector<GSErrCode> answers = {
        ACAPI_Register_Menu(1, 0, 0, 0),
        ACAPI_Install_MenuHandler(1, nullptr),
        ACAPI_Register_BuiltInLibrary(),
        ACAPI_RegisterModelessWindow(1, nullptr, 0, guid),
        HostUnregisterModelessWindow(1),
        ACAPI_Notify_CatchProjectEvent(0, nullptr),
        ACAPI_Notify_InstallElementObserver(nullptr),
        ACAPI_Notify_CatchNewElement(&type, nullptr),
        HostAttachElementObserver(guid, 0),
        HostDetachElementObserver(guid),
        HostGetParentElement(&element, &memo, 0),
        HostListElements(API_ZoneID, &guids, 0),
        HostFilterElement(guid, 0, 0) ? 1 : 0,
        HostGetElement(&element),
        HostGetElementHeader(&header),
        HostGetElementMemo(guid, &memo, 0),
        HostGetElementDefaults(&element, &memo),
        HostCreateElement(&element, &memo),
        HostChangeElement(&element, nullptr, nullptr, 0, false),
        HostDeleteElements(guids),
        HostDisposeElementMemo(&memo),
        HostGetElementQuantities(guid, nullptr, &quantities, nullptr),
        HostGetSelection(&selection, &neigs, false, false, 0),
        HostNeigToElementType(neig, &type),
        HostApplyElementTool(guids, APITool_Lock),
        HostReserveElements(guids, &conflicts, false),
        HostGetStoryInfo(&stories),
        HostGetLayerCombination(&index),
        HostSetLayerCombination(1),
        HostIsSuspendGroupOn(&on),
        HostGetElementLinks(guid, &guids),
        HostLinkElements(guid, guid, 0),
        HostUnlinkElements(guid, guid),
        HostGetLibPartUniqueId(1, &libPart),
        HostSearchLibraryPart(&libPart, false, false),
        HostGetLibPartParams(1, &params),
        HostGetAttribute(&attribute),
        HostModifyAttribute(&attribute),
        HostEnumerateAttributes(API_LayerID, {}),
        HostCallUndoableCommand("Step", [] { return NoError; }),
        HostGetPreferences(&version, &size, nullptr, nullptr),
        HostSetPreferences(1, 0, nullptr),
        HostGetOwnResourceModule(),
    };
    if (stories.data != nullptr)
        BMKillHandle(reinterpret_cast<GSHandle*>(&stories.data));
    return answers;
}

// What a host that lacks every operation answers, in catalogue order.
std::vector<GSErrCode> MissingAnswers() {
    std::vector<GSErrCode> answers(Host::OperationCount, APIERR_MISSINGOPERATION);
    answers[12] = 0;                // HostFilterElement: no element passes
    answers[42] = InvalidResModule; // HostGetOwnResourceModule
    return answers;
}

std::vector<std::string> LoggedOperations(const std::vector<CallLogEntry>& log) {
    std::vector<std::string> operations;
    for (const CallLogEntry& entry : log)
        operations.push_back(entry.operation);
    return operations;
}

std::vector<std::string> CatalogueNames() {
    return std::vector<std::string>(std::begin(Host::OperationNames), std::end(Host::OperationNames));
}

// A host that offers nothing: every operation is the interface's default.
class BareHost : public HostInterface {};

class ForwarderScope {
public:
    explicit ForwarderScope(HostInterface* host) { Host::SetCurrentHost(host); }
    ~ForwarderScope() { Host::SetCurrentHost(nullptr); }
};

} // namespace

TEST(HostCatalogue, TheNameTableHoldsEveryOperationOnceAndNothingElse) {
    const std::vector<std::string> names = CatalogueNames();
    ASSERT_EQ(names.size(), 43u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(Host::IsOperationName(names[i])) << names[i];
        for (std::size_t j = i + 1; j < names.size(); ++j)
            EXPECT_NE(names[i], names[j]);
    }
    EXPECT_EQ(names.front(), "ACAPI_Register_Menu");
    EXPECT_EQ(names.back(), "HostGetOwnResourceModule");
    EXPECT_FALSE(Host::IsOperationName("HostNoSuchOperation"));
    EXPECT_FALSE(Host::IsOperationName("hostgetelement"));
    EXPECT_FALSE(Host::IsOperationName(""));
}

TEST(HostCatalogue, AnOperationAHostDoesNotOfferAnswersAsMissing) {
    BareHost host;
    EXPECT_EQ(CallEveryOperation(host), MissingAnswers());
}

TEST(HostCatalogue, TheWrapperLogsEveryOperationUnderItsCatalogueName) {
    BareHost bare;
    FaultInjectingHost host(bare);
    EXPECT_EQ(CallEveryOperation(host), MissingAnswers());
    EXPECT_EQ(LoggedOperations(host.GetCallLog().GetEntries()), CatalogueNames());
}

TEST(HostCatalogue, TheWrapperCanFailEveryOperationByName) {
    BareHost bare;
    FaultInjectingHost host(bare);
    for (const char* name : Host::OperationNames)
        ASSERT_TRUE(host.GetFaults().Inject(name, 1, APIERR_BADPARS, false)) << name;
    std::vector<GSErrCode> expected(Host::OperationCount, APIERR_BADPARS);
    expected[12] = 0;                // a failed filter passes nothing
    expected[42] = InvalidResModule; // a failed query answers as a missing one
    EXPECT_EQ(CallEveryOperation(host), expected);
    for (const CallLogEntry& entry : host.GetCallLog().GetEntries()) {
        EXPECT_TRUE(entry.injected) << entry.operation;
        EXPECT_EQ(entry.result, APIERR_BADPARS) << entry.operation;
    }
}

TEST(HostCatalogue, TheForwardersAnswerAsMissingWithoutAHostAndElseReachItsOperations) {
    EXPECT_EQ(CallEveryForwarder(), MissingAnswers());
    BareHost bare;
    FaultInjectingHost host(bare);
    ForwarderScope scope(&host);
    EXPECT_EQ(CallEveryForwarder(), MissingAnswers());
    EXPECT_EQ(LoggedOperations(host.GetCallLog().GetEntries()), CatalogueNames());
}

TEST(HostCatalogue, TheHeadlessHostOffersEveryOperationThroughTheWrapper) {
    HeadlessHost host;
    const std::vector<GSErrCode> answers = CallEveryOperation(host);
    ASSERT_EQ(answers.size(), Host::OperationCount);
    for (std::size_t i = 0; i < answers.size(); ++i)
        EXPECT_NE(answers[i], APIERR_MISSINGOPERATION) << Host::OperationNames[i];
    EXPECT_EQ(LoggedOperations(host.GetCallLog()), CatalogueNames());

    // Its in-memory part, called directly, is neither logged nor faulted.
    host.ClearCallLog();
    ASSERT_TRUE(host.InjectFault("HostGetStoryInfo", 1, APIERR_GENERAL, true));
    API_StoryInfo stories;
    EXPECT_EQ(host.GetInMemoryHost().HostGetStoryInfo(&stories), NoError);
    BMKillHandle(reinterpret_cast<GSHandle*>(&stories.data));
    EXPECT_TRUE(host.GetCallLog().empty());
    EXPECT_EQ(host.HostGetStoryInfo(&stories), APIERR_GENERAL);
    ASSERT_EQ(host.GetCallLog().size(), 1u);
    EXPECT_EQ(host.GetCallLog()[0].ToString(), "HostGetStoryInfo() -> 0x81060001 (injected)");
}
