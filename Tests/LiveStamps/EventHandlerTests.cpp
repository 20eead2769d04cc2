#include "AddOn/CheckPalette.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "LiveStampsSupport.hpp"
#include "ResourceIds.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

// What one batch of events gathers for the palette and tells the user.

namespace {

using Headless::Parameter;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::UnorderedElementsAre;
using Names = std::vector<std::string>;

const Areas Inconsistent{10.0, 12.0, 8.0, 7.0, 0.0}; // B > A + E
const Headless::ZoneAreaDesc Consistent{20.0, 19.0, 18.0, 17.0, 0.0};
const Headless::ZoneAreaDesc InconsistentChange{10.0, 12.0, 8.0, 7.0, 0.0};

Headless::ZoneChange AreasChange(const Headless::ZoneAreaDesc& areas) {
    Headless::ZoneChange change;
    change.areas = areas;
    return change;
}

class EventHandler : public LiveStampsTest {};

struct RefusalCase {
    const char* name;
    Int16 layerFlags;
    UInt16 lockId;
    const char* failingOperation; // the guard's way to lift the obstacle
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

const RefusalCase RefusalCases[] = {
    {"HiddenLayerStaysHidden", APILay_Hidden, 0, "HostModifyAttribute"},
    {"LockedStampStaysLocked", 0, 1, "HostApplyElementTool"},
};

class RefusedStamps : public EventHandler, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedStamps, TwoInOneBatchGiveOneAlert) {
    const RefusalCase& c = GetParam();
    Headless::LabelDesc stuck;
    stuck.layer = p().host.AddLayer("stamps", c.layerFlags);
    stuck.lockId = c.lockId;
    const API_Guid z1 = p().Room("z1", "A");
    const API_Guid z2 = p().Room("z2", "B");
    const API_Guid sA = p().Stamp("sA", "A", {z1}, stuck);
    const API_Guid sB = p().Stamp("sB", "B", {z2}, stuck);
    const Headless::ParameterList sABefore = p().Element(sA).parameters;
    const EditAccessState before = p().CaptureEditAccess();
    ASSERT_TRUE(p().host.InjectFault(c.failingOperation, 1, InjectedCode, true));

    p().Act([&] {
        EXPECT_EQ(p().host.ChangeZone(z1, AreasChange(Consistent)), NoError);
        EXPECT_EQ(p().host.ChangeZone(z2, AreasChange(Consistent)), NoError);
    });
    p().host.ClearFaults();

    EXPECT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_STAMPS_NOT_UPDATED});
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), UnorderedElementsAre("sA", "sB"));
    ExpectSameParameters(sABefore, p().Element(sA).parameters);
    EXPECT_EQ(p().CaptureEditAccess(&before), before);
    EXPECT_EQ(p().LinkNames(sB), Names{"z2"});
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedStamps, ::testing::ValuesIn(RefusalCases),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

// The palette's row is the only word of a refused stamp; when the host keeps the row from being
// built, the batch tells it by alert instead.
TEST_F(EventHandler, WrongStampWhoseRowCannotBeBuiltIsToldByAlert) {
    Headless::LabelDesc locked;
    locked.lockId = 1;
    const API_Guid z = p().Room("z", "A");
    p().Stamp("s", "A", {z}, locked);
    ASSERT_TRUE(p().host.InjectFault("HostApplyElementTool", 1, InjectedCode, true));
    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, AreasChange(Consistent)), NoError); });
    ASSERT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_STAMPS_NOT_UPDATED});
    // The same batch again, with the last header read (the row's) failing.
    const int headerReads = p().CallCount("HostGetElementHeader");
    ASSERT_TRUE(p().host.InjectFault("HostGetElementHeader", headerReads, InjectedCode));

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, AreasChange(Consistent)), NoError); });
    p().host.ClearFaults();

    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), ElementsAre("s"));
    EXPECT_EQ(p().AlertIds(),
              (std::vector<GSResID>{ZM_ALERT_STAMPS_NOT_UPDATED, ZM_ALERT_UNEXPECTED_EVENT_ERROR}));
}

TEST_F(EventHandler, RefusalOfAnEarlierStampIsToldThoughTheLastUpdateSucceeded) {
    Headless::LabelDesc locked;
    locked.lockId = 1;
    const API_Guid z = p().Room("z", "A");
    const API_Guid first = p().Stamp("first", "A", {z}, locked);
    const API_Guid last = p().Stamp("last", "A", {z});
    // Only the locked stamp needs the unlock tool.
    ASSERT_TRUE(p().host.InjectFault("HostApplyElementTool", 1, InjectedCode));

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, AreasChange(Consistent)), NoError); });

    EXPECT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_STAMPS_NOT_UPDATED});
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), ElementsAre("first"));
    EXPECT_EQ(p().CallCount("HostChangeElement", "last"), 1);
    EXPECT_EQ(p().Rows(last), p().RowsOf({z}));
    EXPECT_NE(p().Rows(first), p().RowsOf({z}));
}

TEST_F(EventHandler, InconsistentZoneMarksItsStampsWrong) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid z = p().Room("z", "A");
    const API_Guid sA = p().Stamp("sA", "A", {a1, z});
    p().Stamp("sB", "B", {});

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, AreasChange(InconsistentChange)), NoError); });

    const EventBatch& batch = p().UserBatch();
    EXPECT_THAT(p().Names(batch.pendingInconsistentRooms), ElementsAre("z"));
    EXPECT_THAT(p().Names(batch.pendingWrongStamps), ElementsAre("sA"));
    EXPECT_THAT(p().Names(batch.pendingCheckedRooms), Not(Contains("z")));
    // Still rewritten: it shows what the room now says.
    EXPECT_EQ(p().Rows(sA), p().RowsOf({a1, z}));
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

TEST_F(EventHandler, InconsistentZoneLeavingItsApartmentMarksOnlyItsNewStampsWrong) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid z = p().Room("z", "A");
    const API_Guid b1 = p().Room("b1", "B");
    p().Stamp("sA", "A", {a1, z});
    p().Stamp("sB", "B", {b1});
    Headless::ZoneChange change = AreasChange(InconsistentChange);
    change.parameters = Headless::ParameterList{Parameter::Text("stApartmentId", "B")};

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, change), NoError); });

    const EventBatch& batch = p().UserBatch();
    EXPECT_THAT(p().Names(batch.pendingInconsistentRooms), ElementsAre("z"));
    EXPECT_THAT(p().Names(batch.pendingWrongStamps), ElementsAre("sB"));
}

TEST_F(EventHandler, ZoneInconsistentOnceInABatchStaysListed) {
    const API_Guid z = p().Room("z", "A");
    p().Stamp("sA", "A", {z});

    p().Act([&] {
        EXPECT_EQ(p().host.ChangeZone(z, AreasChange(InconsistentChange)), NoError);
        EXPECT_EQ(p().host.ChangeZone(z, AreasChange(Consistent)), NoError);
    });

    const EventBatch& batch = p().UserBatch();
    EXPECT_THAT(p().Names(batch.pendingInconsistentRooms), ElementsAre("z"));
    EXPECT_THAT(p().Names(batch.pendingCheckedRooms), Contains("z"));
}

struct OutsideCase {
    const char* name;
    bool teamwork;
    UInt16 lockId;
};

void PrintTo(const OutsideCase& c, std::ostream* out) {
    *out << c.name;
}

const OutsideCase OutsideCases[] = {
    {"ReservedByAnotherMember", true, 0},
    {"Locked", false, 1},
};

class ChangedStampOutOfReach : public EventHandler, public ::testing::WithParamInterface<OutsideCase> {};

TEST_P(ChangedStampOutOfReach, IsOnlyRechecked) {
    p().host.SetTeamworkMode(GetParam().teamwork);
    const API_Guid bad = p().Room("bad", "A", Inconsistent);
    const API_Guid good = p().Room("good", "A");
    Headless::LabelDesc desc;
    desc.reservation = Headless::Reservation::OtherMember;
    desc.lockId = GetParam().lockId;
    const API_Guid s = p().Stamp("s", "B", {bad, good}, desc);
    const Headless::ParameterList before = p().Element(s).parameters;

    p().Act([&] { EXPECT_EQ(p().host.SendElementEvent(s, APINotifyElement_Change), NoError); });

    for (const char* untouched : {"HostGetParentElement", "HostChangeElement", "HostLinkElements",
                                  "HostUnlinkElements", "HostListElements", "HostReserveElements"})
        EXPECT_EQ(p().CallCount(untouched), 0) << untouched;
    EXPECT_EQ(p().CallCount("HostGetElementQuantities"), 2);
    ExpectSameParameters(before, p().Element(s).parameters);
    EXPECT_EQ(p().LinkNames(s), (Names{"bad", "good"}));
    const EventBatch& batch = p().UserBatch();
    EXPECT_THAT(p().Names(batch.pendingInconsistentRooms), ElementsAre("bad"));
    EXPECT_THAT(p().Names(batch.pendingCheckedRooms), IsEmpty());
    EXPECT_THAT(p().Names(batch.pendingWrongStamps), IsEmpty());
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ChangedStampOutOfReach, ::testing::ValuesIn(OutsideCases),
                         [](const ::testing::TestParamInfo<OutsideCase>& info) { return info.param.name; });

TEST_F(EventHandler, MovedZoneRewritesItsStampsAndMovedStampIsLeftAlone) {
    const API_Guid z = p().Room("z", "A");
    const API_Guid s = p().Stamp("s", "A", {z});
    const API_Guid lone = p().Stamp("lone", "A", {p().Room("a1", "A")});
    const Headless::ParameterList loneBefore = p().Element(lone).parameters;

    p().Act([&] {
        EXPECT_EQ(p().host.MoveElement(lone, {1.0, 1.0}), NoError);
        EXPECT_EQ(p().host.MoveElement(z, {2.0, 0.0}), NoError);
    });

    EXPECT_EQ(p().Rows(s), p().RowsOf({z}));
    EXPECT_EQ(p().CallCount("HostChangeElement", "s"), 1);
    EXPECT_EQ(p().CallCount("HostChangeElement", "lone"), 0);
    ExpectSameParameters(loneBefore, p().Element(lone).parameters);
    EXPECT_EQ(p().CallCount("HostGetParentElement"), 1); // the zone's state before, only
    EXPECT_EQ(p().CallCount("HostLinkElements") + p().CallCount("HostUnlinkElements"), 0);
    EXPECT_EQ(p().LinkNames(z), Names{"s"});
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

TEST_F(EventHandler, DeletedStampIsClearedAndItsRoomsRechecked) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid s = p().Stamp("s", "A", {a1});

    p().Act([&] { EXPECT_EQ(p().host.DeleteElements({s}), NoError); });

    const EventBatch& batch = p().UserBatch();
    EXPECT_THAT(p().Names(batch.pendingClearedStamps), ElementsAre("s"));
    EXPECT_THAT(p().Names(batch.pendingCheckedRooms), ElementsAre("a1"));
    EXPECT_THAT(p().Names(batch.pendingWrongStamps), IsEmpty());
    EXPECT_THAT(p().LinkNames(a1), IsEmpty());
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

TEST_F(EventHandler, LabelsGivenAnotherPartAreToldOnceAndLetGo) {
    Headless::LibPartDesc lookalike;
    lookalike.name = "Lookalike.gsm";
    lookalike.uniqueId = "{2E1E5C4A-0000-4000-8000-000000000001}-{2E1E5C4A-0000-4000-8000-000000000002}";
    lookalike.parameters = p().host.FindLibraryPart(p().stampLibInd)->desc.parameters;
    const Int32 lookalikeInd = p().host.AddLibraryPart(lookalike);
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", "A");
    const API_Guid s1 = p().Stamp("s1", "A", {a1});
    const API_Guid s2 = p().Stamp("s2", "A", {a1, a2});
    p().Stamp("kept", "A", {a2});

    p().Act([&] {
        EXPECT_EQ(p().host.ChangeLabelLibPart(s1, lookalikeInd), NoError);
        EXPECT_EQ(p().host.ChangeLabelLibPart(s2, lookalikeInd), NoError);
    });

    EXPECT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_STAMP_LABEL_REPLACED});
    for (const API_Guid& label : {s1, s2}) {
        EXPECT_FALSE(p().Element(label).observed) << p().Name(label);
        EXPECT_THAT(p().LinkNames(label), IsEmpty()) << p().Name(label);
    }
    EXPECT_THAT(p().LinkNames(a1), IsEmpty());
    EXPECT_EQ(p().LinkNames(a2), Names{"kept"});
    EXPECT_EQ(p().CallCount("HostChangeElement"), 0);
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), ElementsAre("s1", "s2"));
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError, NoError));
}

TEST_F(EventHandler, EchoOfOwnWriteIsNotHandledAgain) {
    const API_Guid z = p().Room("z", "A");
    const API_Guid sA = p().Stamp("sA", "A", {z});

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, AreasChange(Consistent)), NoError); });

    // The host did report the write back.
    bool echoed = false;
    for (const Headless::DeliveredBatch& batch : p().host.GetDeliveredBatches()) {
        for (const Headless::DeliveredEvent& event : batch.events) {
            echoed = echoed || (batch.origin == Headless::BatchOrigin::AddOnEcho &&
                                event.code == APINotifyElement_Change && event.elementName == "sA");
        }
    }
    EXPECT_TRUE(echoed);
    EXPECT_EQ(p().CallCount("HostChangeElement", "sA"), 1);
    EXPECT_EQ(p().CallCount("HostGetParentElement"), 1); // the zone's state before, only
    EXPECT_EQ(p().Rows(sA), p().RowsOf({z}));
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

TEST_F(EventHandler, UsersStampEditAfterOwnWriteInOneActionIsHandled) {
    const API_Guid z = p().Room("z", "A");
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid sA = p().Stamp("sA", "A", {z});

    p().Act([&] {
        EXPECT_EQ(p().host.ChangeZone(z, AreasChange(Consistent)), NoError);
        EXPECT_EQ(p().host.EditParameters(sA, {Parameter::Text("zm_apartmentId", "B")}), NoError);
    });

    EXPECT_EQ(p().LinkNames(sA), Names{"b1"});
    EXPECT_THAT(p().LinkNames(z), IsEmpty());
    EXPECT_EQ(p().StampId(sA), "B");
    EXPECT_EQ(p().Rows(sA), p().RowsOf({b1}));
    EXPECT_EQ(p().CallCount("HostChangeElement", "sA"), 2);
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

TEST_F(EventHandler, RefusalIsToldThoughTheUserDeclinedTheNewApartmentsStamps) {
    p().host.SetTeamworkMode(true);
    Headless::ZoneDesc mine;
    mine.reservation = Headless::Reservation::ThisUser;
    Headless::LabelDesc heldByOther;
    heldByOther.reservation = Headless::Reservation::OtherMember;
    const API_Guid z = p().Room("z", "A", {}, mine);
    p().Stamp("sA", "A", {z}, heldByOther);
    p().Stamp("sB", "B", {});
    p().user.Answer(ZM_ALERT_STAMPS_NOT_RESERVED, {2});
    Headless::ZoneChange change;
    change.parameters = Headless::ParameterList{Parameter::Text("stApartmentId", "B")};

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, change), NoError); });

    EXPECT_EQ(p().AlertIds(),
              (std::vector<GSResID>{ZM_ALERT_STAMPS_NOT_RESERVED, ZM_ALERT_STAMPS_NOT_UPDATED}));
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), UnorderedElementsAre("sA", "sB"));
}

// A copy carries its source's values: taken for wrong as its source is, by the palette or by
// the batch so far.
struct CopiedSourceCase {
    const char* name;
    bool onPalette;
    bool refusedInBatch;
    bool copyListed;
};

void PrintTo(const CopiedSourceCase& c, std::ostream* out) {
    *out << c.name;
}

const CopiedSourceCase CopiedSourceCases[] = {
    {"SourceOnThePalette", true, false, true},
    {"SourceRefusedEarlierInTheBatch", false, true, true},
    {"SourceTakenForRight", false, false, false},
};

class CopiedStamp : public EventHandler, public ::testing::WithParamInterface<CopiedSourceCase> {};

TEST_P(CopiedStamp, IsListedWhenItsSourceIs) {
    const CopiedSourceCase& c = GetParam();
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid s = p().Stamp("s", "A", {a1});
    if (c.onPalette)
        CheckPalette::GetInstance().AddWrongStamps({s});
    if (c.refusedInBatch) {
        ASSERT_TRUE(p().host.InjectFault("HostChangeElement", 1, APIERR_LOCKEDELEM));
    }

    p().Act([&] {
        if (c.refusedInBatch) {
            EXPECT_EQ(p().host.ChangeZone(a1, AreasChange(Consistent)), NoError);
        }
        p().host.CopyElement(s, {5.0, 0.0}, "copy");
    });
    p().host.ClearFaults();

    const API_Guid copy = p().ByName("copy");
    EXPECT_EQ(p().LinkNames(copy), Names{"a1"});
    EXPECT_EQ(p().UserBatch().pendingWrongStamps.Contains(copy), c.copyListed);
    EXPECT_EQ(p().UserBatch().pendingWrongStamps.Contains(s), c.refusedInBatch);
    EXPECT_THAT(p().AlertIds(), Not(Contains(ZM_ALERT_UNEXPECTED_EVENT_ERROR)));
}

INSTANTIATE_TEST_SUITE_P(Cases, CopiedStamp, ::testing::ValuesIn(CopiedSourceCases),
                         [](const ::testing::TestParamInfo<CopiedSourceCase>& info) {
                             return info.param.name;
                         });

// The zone handler's one result code carries the refusal; the missing ID must not be lost.
TEST_F(EventHandler, RefusalAndMissingIdOfOneZoneAreBothTold) {
    Headless::LabelDesc locked;
    locked.lockId = 1;
    const API_Guid z = p().Room("z", "A");
    p().Stamp("sA", "A", {z}, locked);
    ASSERT_TRUE(p().host.InjectFault("HostApplyElementTool", 1, InjectedCode)); // the unlock
    Headless::ZoneChange change;
    change.parameters = Headless::ParameterList{};

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, change), NoError); });

    EXPECT_EQ(p().AlertIds(),
              (std::vector<GSResID>{ZM_ALERT_STAMPS_NOT_UPDATED, ZM_ALERT_MISSING_APARTMENT_ID}));
}

} // namespace
