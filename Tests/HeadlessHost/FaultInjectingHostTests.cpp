#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GSRoot/Guid.hpp"
#include "HeadlessHost/FaultInjectingHost.hpp"
#include "Host/APIGuid.hpp"

using namespace Headless;

namespace {

API_Guid MakeGuid(UInt32 number) {
    API_Guid guid;
    guid.time_low = number;
    return guid;
}

const API_Guid Room = MakeGuid(1);
const API_Guid Stamp = MakeGuid(2);
const API_Guid Unnamed = MakeGuid(3);

// A host of a few operations that counts what reaches it.
class FakeHost : public HostInterface {
public:
    std::map<std::string, int> calls;
    GSErrCode createResult = NoError;
    HostInterface* callBack = nullptr; // HostLinkElements calls HostGetElement on it

    GSErrCode HostGetElement(API_Element* element) override {
        ++calls["HostGetElement"];
        element->header.layer = 7;
        return NoError;
    }
    GSErrCode HostLinkElements(const API_Guid& from, const API_Guid&, GSFlags) override {
        ++calls["HostLinkElements"];
        if (callBack != nullptr) {
            API_Element element;
            element.header.guid = from;
            callBack->HostGetElement(&element);
        }
        return NoError;
    }
    GSErrCode HostCreateElement(API_Element* element, API_ElementMemo*) override {
        ++calls["HostCreateElement"];
        if (createResult == NoError)
            element->header.guid = Stamp;
        return createResult;
    }
    bool HostFilterElement(const API_Guid& guid, API_ElemFilterFlags, Int32, const API_Guid&) override {
        ++calls["HostFilterElement"];
        return guid == Room;
    }
};

std::string Name(const API_Guid& guid) {
    if (guid == Room)
        return "room";
    if (guid == Stamp)
        return "stamp";
    return APIGuidToString(guid);
}

class WrapperTest : public ::testing::Test {
protected:
    FakeHost fake;
    FaultInjectingHost host{fake, CallDescriber(&Name)};

    GSErrCode GetElement() {
        API_Element element;
        element.header.guid = Room;
        return host.HostGetElement(&element);
    }
    std::vector<std::string> Log() const {
        std::vector<std::string> lines;
        for (const CallLogEntry& entry : host.GetCallLog().GetEntries())
            lines.push_back(entry.ToString());
        return lines;
    }
};

} // namespace

TEST_F(WrapperTest, PassesCallsOnUntilAFaultIsPlanned) {
    API_Element element;
    element.header.guid = Room;
    EXPECT_EQ(host.HostGetElement(&element), NoError);
    EXPECT_EQ(element.header.layer, 7); // what the wrapped host answered
    EXPECT_EQ(fake.calls["HostGetElement"], 1);
    // An operation the wrapped host lacks answers as missing, through the wrapper too.
    EXPECT_EQ(host.HostUnlinkElements(Room, Stamp), APIERR_MISSINGOPERATION);
}

TEST_F(WrapperTest, AFaultHitsOnlyTheNthCallFromNowAndKeepsItFromTheHost) {
    EXPECT_EQ(GetElement(), NoError); // calls before the fault do not count
    ASSERT_TRUE(host.GetFaults().Inject("HostGetElement", 2, APIERR_BADPARS, false));
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(GetElement(), APIERR_BADPARS);
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(fake.calls["HostGetElement"], 4);
    EXPECT_EQ(Log()[2], "HostGetElement(room) -> 0x81060003 (injected)");
}

TEST_F(WrapperTest, APersistentFaultHitsEveryCallFromTheNth) {
    ASSERT_TRUE(host.GetFaults().Inject("HostGetElement", 2, APIERR_GENERAL, true));
    EXPECT_EQ(GetElement(), NoError);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(GetElement(), APIERR_GENERAL);
    EXPECT_EQ(fake.calls["HostGetElement"], 1);
    host.GetFaults().Remove("HostGetElement");
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(fake.calls["HostGetElement"], 2);
}

TEST_F(WrapperTest, AFaultOnOneOperationLeavesTheOthersAlone) {
    ASSERT_TRUE(host.GetFaults().Inject("HostLinkElements", 1, APIERR_GENERAL, true));
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(host.HostLinkElements(Room, Stamp, 0), APIERR_GENERAL);
    host.GetFaults().Clear();
    EXPECT_EQ(host.HostLinkElements(Room, Stamp, 0), NoError);
}

TEST_F(WrapperTest, AThrowingFaultThrowsInsteadOfCallingTheHost) {
    ASSERT_TRUE(host.GetFaults().InjectException("HostLinkElements", 1, false));
    EXPECT_THROW(host.HostLinkElements(Room, Stamp, 0), InjectedHostException);
    EXPECT_EQ(fake.calls["HostLinkElements"], 0);
    EXPECT_EQ(host.HostLinkElements(Room, Stamp, 0), NoError);
    EXPECT_EQ(Log(), (std::vector<std::string>{"HostLinkElements(room, stamp) -> 0x81060001 (injected)",
                                               "HostLinkElements(room, stamp) -> 0"}));
}

TEST_F(WrapperTest, AFaultedQueryAnswersAsAMissingOne) {
    ASSERT_TRUE(host.GetFaults().Inject("HostFilterElement", 1, APIERR_GENERAL, false));
    EXPECT_FALSE(host.HostFilterElement(Room, 0, 0, APINULLGuid));
    EXPECT_TRUE(host.HostFilterElement(Room, 0, 0, APINULLGuid));
    EXPECT_FALSE(host.HostFilterElement(Stamp, 0, 0, APINULLGuid));
    ASSERT_TRUE(host.GetFaults().Inject("HostGetOwnResourceModule", 1, APIERR_GENERAL, false));
    EXPECT_EQ(host.HostGetOwnResourceModule(), InvalidResModule);
    // The log tells a yes-or-no answer as 1 or 0.
    EXPECT_EQ(Log(), (std::vector<std::string>{"HostFilterElement(room, 0x00000000) -> 0x81060001 (injected)",
                                               "HostFilterElement(room, 0x00000000) -> 0x00000001",
                                               "HostFilterElement(stamp, 0x00000000) -> 0",
                                               "HostGetOwnResourceModule() -> 0x81060001 (injected)"}));
}

TEST_F(WrapperTest, PlansForUnknownOperationsOrCallsBeforeTheFirstAreRefused) {
    EXPECT_FALSE(host.GetFaults().Inject("HostNoSuchOperation", 1, APIERR_GENERAL, false));
    EXPECT_FALSE(host.GetFaults().InjectException("HostNoSuchOperation", 1, false));
    EXPECT_FALSE(host.GetFaults().Inject("HostGetElement", 0, APIERR_GENERAL, false));
    EXPECT_EQ(GetElement(), NoError);
}

TEST_F(WrapperTest, TheLogShowsKeyArgumentsWithElementsByName) {
    host.HostLinkElements(Room, Unnamed, 0);
    GS::Array<API_Guid> guids;
    guids.Push(Room);
    guids.Push(Stamp);
    host.HostApplyElementTool(guids, APITool_Lock);
    host.HostApplyElementTool({}, APITool_SuspendGroups);
    host.HostListElements(API_ZoneID, &guids, APIFilt_IsInStructureDisplay, APINULLGuid);
    host.HostCallUndoableCommand("Create stamp", [] { return NoError; });
    Int32 version = 0;
    GSSize size = 0;
    char buffer[4];
    host.HostGetPreferences(&version, &size, buffer, nullptr);
    API_Attribute layer;
    layer.header.typeID = API_LayerID;
    layer.header.index = 2;
    layer.header.flags = 3;
    host.HostModifyAttribute(&layer);
    host.HostModifyAttribute(nullptr);
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[0], "HostLinkElements(room, " + APIGuidToString(Unnamed) + ") -> 0");
    EXPECT_EQ(log[1], "HostApplyElementTool('LOCK', room, stamp) -> 0x81060387");
    EXPECT_EQ(log[2], "HostApplyElementTool('SUSP') -> 0x81060387");
    EXPECT_EQ(log[3], "HostListElements(17, 0x10000000) -> 0x81060387");
    EXPECT_EQ(log[4], "HostCallUndoableCommand(\"Create stamp\") -> 0x81060387");
    EXPECT_EQ(log[5], "HostGetPreferences(with buffer) -> 0x81060387");
    EXPECT_EQ(log[6], "HostModifyAttribute(1, 2, 0x00000003) -> 0x81060387");
    EXPECT_EQ(log[7], "HostModifyAttribute(null) -> 0x81060387");
}

TEST_F(WrapperTest, TheLogNamesWhatASuccessfulCallMade) {
    API_Element label;
    label.header.type.typeID = API_LabelID;
    ASSERT_EQ(host.HostCreateElement(&label, nullptr), NoError);
    fake.createResult = APIERR_BADPARS;
    API_Element wall;
    wall.header.type.typeID = API_WallID;
    EXPECT_EQ(host.HostCreateElement(&wall, nullptr), APIERR_BADPARS);
    EXPECT_EQ(Log(), (std::vector<std::string>{"HostCreateElement(16, stamp) -> 0",
                                               "HostCreateElement(1) -> 0x81060003"}));
}

TEST_F(WrapperTest, ACallIsLoggedBeforeTheCallsItCauses) {
    fake.callBack = &host;
    host.HostLinkElements(Room, Stamp, 0);
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"HostLinkElements(room, stamp) -> 0", "HostGetElement(room) -> 0"}));
}

TEST_F(WrapperTest, ClearingTheLogInsideACallLeavesTheNewEntriesAlone) {
    // The nested call clears the log; the outer call must not complete the entry now in its place.
    struct Clearing : FakeHost {
        FaultInjectingHost* wrapper = nullptr;
        GSErrCode HostLinkElements(const API_Guid&, const API_Guid&, GSFlags) override {
            wrapper->GetCallLog().Clear();
            API_Element element;
            wrapper->HostGetElement(&element);
            return APIERR_BADPARS;
        }
    } clearing;
    FaultInjectingHost wrapper(clearing, CallDescriber(&Name));
    clearing.wrapper = &wrapper;
    wrapper.HostLinkElements(Room, Stamp, 0);
    ASSERT_EQ(wrapper.GetCallLog().GetEntries().size(), 1u);
    EXPECT_EQ(wrapper.GetCallLog().GetEntries()[0].ToString(),
              "HostGetElement(" + APIGuidToString(APINULLGuid) + ") -> 0");
}

TEST_F(WrapperTest, WithLoggingOffFaultsStillHit) {
    host.GetCallLog().SetLogging(false);
    ASSERT_TRUE(host.GetFaults().Inject("HostGetElement", 1, APIERR_GENERAL, false));
    EXPECT_EQ(GetElement(), APIERR_GENERAL);
    EXPECT_TRUE(host.GetCallLog().GetEntries().empty());
    host.GetCallLog().SetLogging(true);
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(Log(), (std::vector<std::string>{"HostGetElement(room) -> 0"}));
}

// A memo mask takes 64 bits: the log shows all of them, and a 32-bit value as eight digits.
TEST_F(WrapperTest, MemoMasksShowAllTheirBits) {
    API_ElementMemo memo;
    host.HostGetElementMemo(Room, &memo, 0x3FFFFFFFBFFFFFFFull);
    host.HostGetElementMemo(Room, &memo, APIMemoMask_AddPars);
    const auto& log = host.GetCallLog().GetEntries();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].arguments, "room, 0x3FFFFFFFBFFFFFFF");
    EXPECT_EQ(log[1].arguments, "room, 0x00000004");
}

TEST_F(WrapperTest, WithoutANamingCallbackElementsShowAsGuidText) {
    FaultInjectingHost plain(fake);
    plain.HostLinkElements(Room, Stamp, 0);
    ASSERT_EQ(plain.GetCallLog().GetEntries().size(), 1u);
    EXPECT_EQ(plain.GetCallLog().GetEntries()[0].arguments,
              APIGuidToString(Room) + ", " + APIGuidToString(Stamp));
}

// A fault at a call number counts every call through the wrapper, whatever its operation.
TEST_F(WrapperTest, AFaultAtACallNumberHitsThatCallWhateverItsOperation) {
    struct Case {
        bool repeat;
        std::vector<GSErrCode> results; // of get, link, get, link, get
    };
    const Case cases[] = {
        {false, {NoError, NoError, APIERR_LOCKEDELEM, NoError, NoError}},
        {true, {NoError, NoError, APIERR_LOCKEDELEM, APIERR_LOCKEDELEM, APIERR_LOCKEDELEM}},
    };
    for (const Case& c : cases) {
        FakeHost target;
        FaultInjectingHost wrapper(target, CallDescriber(&Name));
        EXPECT_EQ(wrapper.HostLinkElements(Room, Stamp, 0), NoError); // before the fault: not counted
        ASSERT_TRUE(wrapper.GetFaults().InjectAtCall(3, APIERR_LOCKEDELEM, c.repeat));
        std::vector<GSErrCode> results;
        for (int i = 0; i < 5; ++i) {
            API_Element element;
            element.header.guid = Room;
            results.push_back(i % 2 == 0 ? wrapper.HostGetElement(&element)
                                         : wrapper.HostLinkElements(Room, Stamp, 0));
        }
        EXPECT_EQ(results, c.results) << "repeat " << c.repeat;
        const int failed = c.repeat ? 3 : 1;
        EXPECT_EQ(wrapper.GetFaults().GetAtCallHitCount(), failed);
        // A failed call never reached the wrapped host.
        EXPECT_EQ(target.calls["HostGetElement"] + target.calls["HostLinkElements"], 6 - failed);
        EXPECT_EQ(wrapper.GetCallLog().GetEntries()[3].ToString(),
                  "HostGetElement(room) -> 0x8106012F (injected)");
    }
}

// A yes/no question counts towards a fault at a call number but is never failed by it: a fault
// would only turn its answer round. A fault of the operation itself still answers.
TEST(FaultInjectorTest, AFaultAtACallNumberPassesOverYesNoQuestions) {
    FaultInjector faults;
    ASSERT_TRUE(faults.InjectAtCall(1, APIERR_GENERAL, true));
    EXPECT_FALSE(faults.Check("HostFilterElement").has_value());
    EXPECT_FALSE(faults.Check("HostGetOwnResourceModule").has_value());
    EXPECT_TRUE(faults.Check("HostGetElement").has_value());
    EXPECT_EQ(faults.GetAtCallHitCount(), 1);
    ASSERT_TRUE(faults.Inject("HostFilterElement", 1, APIERR_GENERAL, false));
    EXPECT_TRUE(faults.Check("HostFilterElement").has_value());
}

TEST_F(WrapperTest, AFaultAtACallNumberCanThrowAndYieldsToAFaultOfTheOperation) {
    ASSERT_TRUE(host.GetFaults().InjectExceptionAtCall(2, true));
    ASSERT_TRUE(host.GetFaults().Inject("HostLinkElements", 1, APIERR_BADPARS, false));
    EXPECT_EQ(GetElement(), NoError);
    // Both faults hit the second call; the operation's own fault answers, the call still counts.
    EXPECT_EQ(host.HostLinkElements(Room, Stamp, 0), APIERR_BADPARS);
    EXPECT_THROW(GetElement(), InjectedHostException);
    EXPECT_THROW(host.HostLinkElements(Room, Stamp, 0), InjectedHostException);
    EXPECT_EQ(host.GetFaults().GetAtCallHitCount(), 2);
    host.GetFaults().RemoveAtCall();
    EXPECT_EQ(GetElement(), NoError);
    // A later fault at a call number replaces the earlier one and counts from its own start.
    ASSERT_TRUE(host.GetFaults().InjectAtCall(1, APIERR_GENERAL, false));
    ASSERT_TRUE(host.GetFaults().InjectAtCall(2, APIERR_GROUPED, false));
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(GetElement(), APIERR_GROUPED);
    host.GetFaults().Clear();
    EXPECT_FALSE(host.GetFaults().InjectAtCall(0, APIERR_GENERAL, false));
    EXPECT_FALSE(host.GetFaults().InjectExceptionAtCall(0, false));
    EXPECT_EQ(GetElement(), NoError);
    EXPECT_EQ(host.GetFaults().GetAtCallHitCount(), 3);
}
