// What the host records of the add-on's calls for the rules a run is held to: the edit settings
// a call left changed, memos whose release a fault stopped, and element writes outside the
// Teamwork workspace.

#include <functional>

#include "FakeAddOn.hpp"

using namespace Headless;

namespace {

void SetLayerFlags(HeadlessHost& host, API_AttributeIndex index, Int16 flags) {
    API_Attribute layer;
    layer.header.typeID = API_LayerID;
    layer.header.index = index;
    ASSERT_EQ(host.HostGetAttribute(&layer), NoError);
    layer.header.flags = flags;
    ASSERT_EQ(host.HostModifyAttribute(&layer), NoError);
}

void ApplyTool(HeadlessHost& host, Int32 tool, const std::vector<API_Guid>& guids = {}) {
    GS::Array<API_Guid> list;
    for (const API_Guid& guid : guids)
        list.Push(guid);
    ASSERT_EQ(host.HostApplyElementTool(list, tool), NoError);
}

std::vector<std::string> Changes(const HeadlessHost& host) {
    std::vector<std::string> texts;
    for (const EditStateChange& change : host.GetEditStateChanges())
        texts.push_back(change.what + ": " + change.before + " -> " + change.after);
    return texts;
}

API_Guid CreateZone(HeadlessHost& host) {
    API_Element zone;
    zone.header.type.typeID = API_ZoneID;
    zone.header.layer = 1;
    EXPECT_EQ(host.HostCreateElement(&zone, nullptr), NoError);
    return zone.header.guid;
}

class EditStateTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        labels = host.AddLayer("Labels", APILay_Hidden);
        room = AddRoom("r1", "A");
        ASSERT_TRUE(host.SetElementLock(room, 1));
        plan = host.AddLayerCombination("Plan", {{1, APILay_Locked}});
    }

    API_AttributeIndex labels = 0;
    API_AttributeIndex plan = 0;
    API_Guid room;
};

struct EditCase {
    const char* name;
    std::function<void(HeadlessHost& host, API_AttributeIndex labels, API_AttributeIndex plan, API_Guid room)>
        call;
    std::vector<std::string> changes;
};

const EditCase editCases[] = {
    {"LiftedAndPutBack",
     [](HeadlessHost& host, API_AttributeIndex labels, API_AttributeIndex, API_Guid room) {
         SetLayerFlags(host, labels, 0);
         ApplyTool(host, APITool_Unlock, {room});
         ApplyTool(host, APITool_SuspendGroups);
         ApplyTool(host, APITool_SuspendGroups);
         ApplyTool(host, APITool_Lock, {room});
         SetLayerFlags(host, labels, APILay_Hidden);
     },
     {}},
    {"LayerLeftShown",
     [](HeadlessHost& host, API_AttributeIndex labels, API_AttributeIndex, API_Guid) {
         SetLayerFlags(host, labels, 0);
     },
     {"layer \"Labels\": hidden, unlocked -> shown, unlocked"}},
    {"ElementLeftUnlocked",
     [](HeadlessHost& host, API_AttributeIndex, API_AttributeIndex, API_Guid room) {
         ApplyTool(host, APITool_Unlock, {room});
     },
     {"lock of \"r1\": locked -> unlocked"}},
    {"GroupsLeftSuspended",
     [](HeadlessHost& host, API_AttributeIndex, API_AttributeIndex, API_Guid) {
         ApplyTool(host, APITool_SuspendGroups);
     },
     {"group suspension: off -> on"}},
    {"CombinationApplied",
     [](HeadlessHost& host, API_AttributeIndex, API_AttributeIndex plan, API_Guid) {
         ASSERT_EQ(host.HostSetLayerCombination(plan), NoError);
     },
     {"layer \"Archicad Layer\": shown, unlocked -> shown, locked", "layer combination: none -> \"Plan\""}},
    // Creating and deleting are not changes of the user's settings.
    {"ElementMadeAndLockedLockedOneDeleted",
     [](HeadlessHost& host, API_AttributeIndex, API_AttributeIndex, API_Guid room) {
         ApplyTool(host, APITool_Lock, {CreateZone(host)});
         ApplyTool(host, APITool_Unlock, {room});
         GS::Array<API_Guid> doomed;
         doomed.Push(room);
         ASSERT_EQ(host.HostDeleteElements(doomed), NoError);
     },
     {}},
    // Inner calls are part of the outermost one: only its end is compared.
    {"ChangedInAnInnerCallPutBackInTheOuter",
     [](HeadlessHost& host, API_AttributeIndex, API_AttributeIndex, API_Guid) {
         ASSERT_EQ(host.HostCallUndoableCommand("step",
                                                [&] {
                                                    ApplyTool(host, APITool_SuspendGroups);
                                                    return NoError;
                                                }),
                   NoError);
         ApplyTool(host, APITool_SuspendGroups);
     },
     {}},
};

class EditStateCaseTest : public EditStateTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditStateCaseTest, AnOutermostCallRecordsWhatItLeftChanged) {
    host.RunAddOnCall([&] { GetParam().call(host, labels, plan, room); });
    EXPECT_EQ(Changes(host), GetParam().changes);
}

INSTANTIATE_TEST_SUITE_P(Calls, EditStateCaseTest, ::testing::ValuesIn(editCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

// A combination holds every layer, as the host's own do: applying the one that was in force
// puts back a layer it does not name.
TEST_F(EditStateTest, ReapplyingTheCombinationInForcePutsBackEveryLayer) {
    ASSERT_TRUE(host.ApplyLayerCombination(host.AddLayerCombination("View", {{1, 0}})));
    const API_AttributeIndex later = host.AddLayer("Later", APILay_Locked);
    host.RunAddOnCall([&] {
        SetLayerFlags(host, labels, 0);
        SetLayerFlags(host, later, 0);
        EXPECT_EQ(host.GetCurrentLayerCombination(), 0);
        ASSERT_EQ(host.HostSetLayerCombination(2), NoError);
    });
    EXPECT_EQ(host.FindLayer(labels)->flags, APILay_Hidden);
    EXPECT_EQ(host.FindLayer(later)->flags, APILay_Locked);
    EXPECT_EQ(Changes(host), std::vector<std::string>());
}

// Every call into the add-on is compared on its own: the user's batch and each echo batch.
TEST_F(EditStateTest, EachEventCallOfUserAndEchoBatchesIsCompared) {
    host.SetObserved(room, true);
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        const bool echo = host.GetDeliveringBatchOrigin() == BatchOrigin::AddOnEcho;
        if (event.notifID == APINotifyElement_Change && !echo) {
            ApplyTool(host, APITool_SuspendGroups);
            EXPECT_EQ(ChangeApartment(room, "B"), NoError); // its own change comes back as an echo
        }
        if (event.notifID == APINotifyElement_Change && echo)
            ApplyTool(host, APITool_SuspendGroups);
        return NoError;
    };
    ASSERT_TRUE(host.SetElementLock(room, 0));
    ZoneChange change;
    change.number = "1.01";
    ASSERT_EQ(host.ChangeZone(room, change), NoError);
    EXPECT_EQ(CountBatches(BatchOrigin::AddOnEcho), 1);
    EXPECT_EQ(Changes(host),
              (std::vector<std::string>{"group suspension: off -> on", "group suspension: on -> off"}));
    host.ClearEditStateChanges();
    EXPECT_TRUE(host.GetEditStateChanges().empty());
}

TEST_F(HostTest, AReleaseAFaultStoppedCountsAsAttempted) {
    const API_Guid room = AddRoom("r1", "A");
    auto handOut = [&] {
        API_ElementMemo memo;
        EXPECT_EQ(host.HostGetElementMemo(room, &memo, APIMemoMask_AddPars), NoError);
        return memo;
    };
    API_ElementMemo kept = handOut();
    API_ElementMemo refused = handOut();
    API_ElementMemo thrown = handOut();
    API_ElementMemo released = handOut();
    ASSERT_TRUE(host.InjectFault("HostDisposeElementMemo", 1, APIERR_GENERAL));
    EXPECT_EQ(host.HostDisposeElementMemo(&refused), APIERR_GENERAL);
    ASSERT_TRUE(host.GetFaults().InjectException("HostDisposeElementMemo", 1, false));
    EXPECT_THROW(host.HostDisposeElementMemo(&thrown), InjectedHostException);
    EXPECT_EQ(host.HostDisposeElementMemo(&released), NoError);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 3);
    EXPECT_EQ(host.GetReleaseAttemptedMemoCount(), 2);
    // Given back again without a fault, it is released for good.
    EXPECT_EQ(host.HostDisposeElementMemo(&refused), NoError);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 2);
    EXPECT_EQ(host.GetReleaseAttemptedMemoCount(), 1);
    EXPECT_EQ(host.HostDisposeElementMemo(&kept), NoError);
    EXPECT_EQ(host.HostDisposeElementMemo(&thrown), NoError);
    EXPECT_EQ(host.GetReleaseAttemptedMemoCount(), 0);
}

TEST_F(HostTest, WritesTellWhetherTheElementWasOutsideTheWorkspaceWhenTheLogBegan) {
    host.SetTeamworkMode(true);
    const API_Guid mine = AddRoom("mine", "A");
    const API_Guid free = AddRoom("free", "A");
    const API_Guid other = AddRoom("other", "A");
    host.SetReservation(mine, Reservation::ThisUser);
    host.SetReservation(other, Reservation::OtherMember);
    host.ClearElementWrites();
    GS::Array<API_Guid> reserve;
    reserve.Push(free);
    reserve.Push(other);
    ASSERT_EQ(host.HostReserveElements(reserve, nullptr, true), NoError);
    EXPECT_EQ(ChangeApartment(free, "B"), NoError);
    EXPECT_EQ(ChangeApartment(mine, "B"), NoError);
    EXPECT_EQ(ChangeApartment(other, "B"), APIERR_NOTMINE); // refused: no write
    EXPECT_EQ(host.HostLinkElements(mine, other, 0), NoError);
    EXPECT_EQ(host.HostUnlinkElements(mine, other), NoError); // not a write: see the docs
    auto writes = [&] {
        std::vector<std::string> texts;
        for (const ElementWrite& write : host.GetElementWrites())
            texts.push_back(write.operation + " " + write.elementName +
                            (write.outsideWorkspace ? " outside" : ""));
        return texts;
    };
    EXPECT_EQ(writes(),
              (std::vector<std::string>{"HostChangeElement free outside", "HostChangeElement mine",
                                        "HostLinkElements mine", "HostLinkElements other outside"}));

    // A new log starts a new watch: what is reserved now is in the workspace.
    host.ClearElementWrites();
    GS::Array<API_Guid> doomed;
    doomed.Push(free);
    EXPECT_EQ(host.HostDeleteElements(doomed), NoError);
    EXPECT_EQ(writes(), (std::vector<std::string>{"HostDeleteElements free"}));
    host.SetTeamworkMode(false);
    EXPECT_EQ(host.HostLinkElements(mine, other, 0), NoError);
    EXPECT_EQ(writes().back(), "HostLinkElements other");
}

} // namespace
