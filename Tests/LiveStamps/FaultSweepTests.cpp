#include <algorithm>

#include "AddOn/CheckPalette.hpp"
#include "LiveStampsSupport.hpp"
#include "ResourceIds.hpp"

// Whichever host call of a live update fails, the add-on gives back what it took, puts edit
// access back and leaves no half link behind, except where the failing call is the one that
// would have done so. A call that throws ends as the same call returning a failure.

namespace {

using Headless::Parameter;
using ::testing::IsEmpty;
using Names = std::vector<std::string>;
using Action = std::function<void()>;

struct Scenario {
    const char* name;
    // Builds the project and scripts the user; returns the user's action.
    std::function<Action(LiveProject&)> build;
    // What the action does when nothing fails.
    std::function<void(LiveProject&)> expectClean;
    std::vector<GSResID> alerts = {};
};

void PrintTo(const Scenario& c, std::ostream* out) {
    *out << c.name;
}

Headless::ZoneDesc Mine() {
    Headless::ZoneDesc desc;
    desc.reservation = Headless::Reservation::ThisUser;
    return desc;
}

Headless::LabelDesc MyStamp() {
    Headless::LabelDesc desc;
    desc.reservation = Headless::Reservation::ThisUser;
    return desc;
}

Action CreateZone(LiveProject& p, const char* name, const char* apartmentId) {
    return [&p, name, apartmentId] { p.host.CreateZone(p.RoomDesc(name, apartmentId)); };
}

Action Copy(LiveProject& p, const char* source) {
    return [&p, source] { p.host.CopyElement(p.ByName(source), {5.0, 0.0}, "copy"); };
}

Action EditStampId(LiveProject& p, const char* stamp, const char* apartmentId) {
    return [&p, stamp, apartmentId] {
        p.host.EditParameters(p.ByName(stamp), {Parameter::Text("zm_apartmentId", apartmentId)});
    };
}

void ExpectLinks(LiveProject& p, const char* element, const Names& links) {
    EXPECT_EQ(p.LinkNames(p.ByName(element)), links) << element;
}

// In Teamwork: a new room of A, whose stamp the user is asked to reserve.
Action TeamworkNewZone(LiveProject& p, short answer) {
    p.host.SetTeamworkMode(true);
    p.Stamp("sA", "A", {p.Room("a1", "A", {}, Mine())});
    p.user.Answer(ZM_ALERT_STAMPS_NOT_RESERVED, {answer});
    return CreateZone(p, "z", "A");
}

// In Teamwork: the user's own stamp moves from A to B, whose room the user is asked to reserve.
Action TeamworkStampIdEdit(LiveProject& p, short answer) {
    p.host.SetTeamworkMode(true);
    p.Room("b1", "B");
    p.Stamp("s", "A", {p.Room("a1", "A", {}, Mine())}, MyStamp());
    p.user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {answer});
    return EditStampId(p, "s", "B");
}

const Scenario Scenarios[] = {
    {"NewZoneBehindHiddenLayerLockAndGroup",
     [](LiveProject& p) {
         const API_AttributeIndex layer = p.host.AddLayer("stamps");
         p.host.ApplyLayerCombination(p.host.AddLayerCombination("view", {{layer, APILay_Hidden}}));
         Headless::LabelDesc stuck;
         stuck.layer = layer;
         stuck.lockId = 1;
         const API_Guid a1 = p.Room("a1", "A");
         p.host.GroupElements({p.Stamp("sA", "A", {a1}, stuck), a1});
         return CreateZone(p, "z", "A");
     },
     [](LiveProject& p) {
         ExpectLinks(p, "sA", {"a1", "z"});
     }},
    {"ZoneCopy",
     [](LiveProject& p) {
         const API_Guid z = p.Room("z", "A");
         p.Stamp("s1", "A", {z});
         p.Stamp("s2", "A", {z});
         return Copy(p, "z");
     },
     [](LiveProject& p) {
         ExpectLinks(p, "copy", {"s1", "s2"});
     }},
    {"ZoneIdChangeBehindHiddenLayerAndLock",
     [](LiveProject& p) {
         Headless::LabelDesc hidden;
         hidden.layer = p.host.AddLayer("hidden");
         const API_Guid z = p.Room("z", "A");
         p.Stamp("sA", "A", {p.Room("a1", "A"), z}, hidden);
         const API_Guid b1 = p.Room("b1", "B");
         const API_Guid sB = p.Stamp("sB", "B", {b1});
         p.host.SetLayerFlags(hidden.layer, APILay_Hidden);
         p.host.SetElementLock(sB, 1);
         p.host.GroupElements({sB, b1});
         p.host.SetSuspendGroups(true);
         return [&p, z] {
             Headless::ZoneChange change;
             change.parameters = Headless::ParameterList{Parameter::Text("stApartmentId", "B")};
             p.host.ChangeZone(z, change);
         };
     },
     [](LiveProject& p) {
         ExpectLinks(p, "sA", {"a1"});
         ExpectLinks(p, "sB", {"b1", "z"});
     }},
    {"ZoneDelete",
     [](LiveProject& p) {
         const API_Guid z = p.Room("z", "A");
         p.Stamp("sA", "A", {p.Room("a1", "A"), z});
         return [&p, z] { p.host.DeleteElements({z}); };
     },
     [](LiveProject& p) {
         const API_Guid sA = p.ByName("sA");
         EXPECT_EQ(p.Rows(sA), p.RowsOf({p.ByName("a1")}));
     }},
    {"StampIdEdit",
     [](LiveProject& p) {
         p.Room("b1", "B");
         p.Stamp("s", "A", {p.Room("a1", "A")});
         return EditStampId(p, "s", "B");
     },
     [](LiveProject& p) { ExpectLinks(p, "s", {"b1"}); }},
    {"StampCopy",
     [](LiveProject& p) {
         p.Stamp("s", "A", {p.Room("a1", "A")});
         return Copy(p, "s");
     },
     [](LiveProject& p) { ExpectLinks(p, "copy", {"a1"}); }},
    {"TeamworkNewZoneReservesStamp",
     [](LiveProject& p) { return TeamworkNewZone(p, 1); },
     [](LiveProject& p) {
         ExpectLinks(p, "sA", {"a1", "z"});
     },
     {ZM_ALERT_STAMPS_NOT_RESERVED}},
    {"TeamworkNewZoneStampDeclined",
     [](LiveProject& p) { return TeamworkNewZone(p, 2); },
     [](LiveProject& p) { ExpectLinks(p, "z", {}); },
     {ZM_ALERT_STAMPS_NOT_RESERVED}},
    {"TeamworkZoneCopyReservesStamp",
     [](LiveProject& p) {
         p.host.SetTeamworkMode(true);
         p.Stamp("s", "A", {p.Room("z", "A", {}, Mine())});
         p.user.Answer(ZM_ALERT_STAMPS_NOT_RESERVED, {1});
         return Copy(p, "z");
     },
     [](LiveProject& p) { ExpectLinks(p, "copy", {"s"}); },
     {ZM_ALERT_STAMPS_NOT_RESERVED}},
    {"TeamworkStampIdEditReservesRooms",
     [](LiveProject& p) { return TeamworkStampIdEdit(p, 1); },
     [](LiveProject& p) { ExpectLinks(p, "s", {"b1"}); },
     {ZM_ALERT_ROOMS_NOT_RESERVED}},
    {"TeamworkStampIdEditDeclined",
     [](LiveProject& p) { return TeamworkStampIdEdit(p, 2); },
     [](LiveProject& p) {
         ExpectLinks(p, "s", {"a1"});
         EXPECT_EQ(p.StampId(p.ByName("s")), "A");
     },
     {ZM_ALERT_ROOMS_NOT_RESERVED}},
    {"TeamworkStampCopyDeclined",
     [](LiveProject& p) {
         p.host.SetTeamworkMode(true);
         p.Stamp("s", "A", {p.Room("a1", "A")}, MyStamp());
         p.user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {2});
         return Copy(p, "s");
     },
     [](LiveProject& p) { EXPECT_EQ(p.ByName("copy"), APINULLGuid); },
     {ZM_ALERT_ROOMS_NOT_RESERVED}},
};

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The calls with which the guard puts edit access back: when one of them fails, that access
// stays as the guard had made it.
bool PutsEditAccessBack(const std::vector<NumberedCall>& calls, std::size_t at) {
    const Headless::CallLogEntry& call = calls[at].entry;
    if (call.operation == "HostSetLayerCombination")
        return true;
    if (call.operation == "HostModifyAttribute")
        return call.arguments.find(", 0x00000000") == std::string::npos; // not the lifting write
    if (call.operation == "HostGetAttribute")
        return at + 1 < calls.size() && calls[at + 1].entry.operation == "HostModifyAttribute" &&
               PutsEditAccessBack(calls, at + 1);
    if (call.operation == "HostApplyElementTool") {
        if (StartsWith(call.arguments, "'LOCK'"))
            return true;
        if (!StartsWith(call.arguments, "'SUSP'"))
            return false;
        // Suspension is a toggle: every second switch is the one back.
        int switches = 0;
        for (std::size_t i = 0; i <= at; ++i)
            switches += calls[i].entry.operation == "HostApplyElementTool" &&
                        StartsWith(calls[i].entry.arguments, "'SUSP'");
        return switches % 2 == 0;
    }
    return false;
}

bool FaultWasHit(const LiveProject& p) {
    const std::vector<Headless::CallLogEntry>& log = p.host.GetCallLog();
    return std::any_of(log.begin(), log.end(),
                       [](const Headless::CallLogEntry& entry) { return entry.injected; });
}

class FaultSweep : public LiveStampsTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(FaultSweep, EveryFailingCallLeavesTheProjectSound) {
    const Scenario& scenario = GetParam();
    LiveProject& clean = Fresh();
    const Action cleanAction = scenario.build(clean);
    const EditAccessState cleanBefore = clean.CaptureEditAccess();
    clean.Act(cleanAction);
    scenario.expectClean(clean);
    EXPECT_EQ(clean.AlertIds(), scenario.alerts);
    EXPECT_EQ(clean.CaptureEditAccess(&cleanBefore), cleanBefore);
    EXPECT_THAT(clean.UnpairedLinks(), IsEmpty());
    clean.ExpectCleanHost();
    const std::vector<NumberedCall> calls = NumberCalls(clean.host.GetCallLog());
    ASSERT_FALSE(calls.empty());

    for (std::size_t at = 0; at < calls.size() && !HasFailure(); ++at) {
        const Headless::CallLogEntry& failing = calls[at].entry;
        SCOPED_TRACE(failing.ToString() + ", call " + std::to_string(calls[at].occurrence) + " of it, fails");
        LiveProject& p = Fresh();
        const Action action = scenario.build(p);
        EditAccessState expected = p.CaptureEditAccess();
        // Without the combination the guard puts the layers back one by one.
        if (failing.operation == "HostGetLayerCombination")
            expected.layerCombination = 0;
        ASSERT_TRUE(p.host.InjectFault(failing.operation, calls[at].occurrence, InjectedCode));

        p.Act(action);
        p.host.ClearFaults();

        EXPECT_TRUE(FaultWasHit(p));
        p.ExpectCleanHost(failing.operation == "HostDisposeElementMemo");
        if (!PutsEditAccessBack(calls, at)) {
            EXPECT_EQ(p.CaptureEditAccess(&expected), expected);
        }
        if (failing.operation != "HostLinkElements" && failing.operation != "HostUnlinkElements") {
            EXPECT_THAT(p.UnpairedLinks(), IsEmpty());
        }
    }
    // The last round may have left a memo with the host on purpose.
    Fresh();
}

// Per stamp, by name: its links and parameters; what a failure may leave otherwise.
std::map<std::string, std::string> StampStates(const LiveProject& p) {
    std::map<std::string, std::string> states;
    for (const auto& element : p.host.GetProject().elements) {
        if (element.second.GetTypeId() != API_LabelID)
            continue;
        std::string& state = states[element.second.name];
        state = ::testing::PrintToString(p.Names(element.second.links));
        for (const Headless::Parameter& parameter : element.second.parameters)
            state += " " + parameter.GetName() + "=" + Headless::DescribeParameterValue(parameter);
    }
    return states;
}

// Linked to exactly the rooms of its apartment, and showing their areas.
bool IsCurrent(const LiveProject& p, const std::string& name) {
    const API_Guid stamp = p.ByName(name);
    std::vector<API_Guid> linked;
    for (const API_Guid& element : p.Element(stamp).links) {
        if (p.Exists(element))
            linked.push_back(element);
    }
    std::vector<API_Guid> rooms;
    for (const auto& element : p.host.GetProject().elements) {
        const Headless::Parameter* id = Headless::FindParameter(element.second.parameters, "stApartmentId");
        if (element.second.GetTypeId() == API_ZoneID && id != nullptr &&
            id->GetText().ToUtf8() == p.StampId(stamp))
            rooms.push_back(element.second.GetGuid());
    }
    const auto byName = [&p](const API_Guid& a, const API_Guid& b) { return p.Name(a) < p.Name(b); };
    std::vector<API_Guid> sortedLinks = linked;
    std::sort(sortedLinks.begin(), sortedLinks.end(), byName);
    std::sort(rooms.begin(), rooms.end(), byName);
    return sortedLinks == rooms && p.Rows(stamp) == p.RowsOf(linked);
}

bool PaletteListsWrong(const LiveProject& p, const std::string& stamp) {
    const API_Guid guid = p.ByName(stamp);
    return CheckPalette::HasInstance() && CheckPalette::GetInstance().ListsWrongStamp(guid);
}

// A stamp that a failure leaves other than the action would have made it (or leaves in place
// where the action would have removed it), and not current either, is listed as wrong: the user
// is never left believing it right. A yes-or-no query that fails answers no, and the add-on must take the
// host at its word.
TEST_P(FaultSweep, EveryStampAFailureLeavesBehindIsListed) {
    const Scenario& scenario = GetParam();
    LiveProject& clean = Fresh();
    clean.Act(scenario.build(clean));
    const std::map<std::string, std::string> expected = StampStates(clean);
    const std::vector<NumberedCall> calls = NumberCalls(clean.host.GetCallLog());

    for (std::size_t at = 0; at < calls.size() && !HasFailure(); ++at) {
        const Headless::CallLogEntry& failing = calls[at].entry;
        if (failing.operation == "HostFilterElement")
            continue;
        SCOPED_TRACE(failing.ToString() + ", call " + std::to_string(calls[at].occurrence) + " of it, fails");
        LiveProject& p = Fresh();
        const Action action = scenario.build(p);
        ASSERT_TRUE(p.host.InjectFault(failing.operation, calls[at].occurrence, InjectedCode));
        p.Act(action);
        p.host.ClearFaults();
        for (const auto& stamp : StampStates(p)) {
            const auto found = expected.find(stamp.first);
            if ((found == expected.end() || found->second != stamp.second) && !IsCurrent(p, stamp.first)) {
                EXPECT_TRUE(PaletteListsWrong(p, stamp.first)) << stamp.first << ": " << stamp.second;
            }
        }
        p.host.ReleaseOutstandingMemos();
    }
}

// All the user and the project are left with after an action: what the user was told, the
// lists handed to the palette, the elements with their links and parameters, edit access, memos.
std::vector<std::string> Outcome(LiveProject& p, const EditAccessState& before) {
    std::vector<std::string> lines;
    for (const DG::AlertRecord& alert : p.Alerts())
        lines.push_back("alert " + std::to_string(alert.id) + ": " + alert.smallText.ToUtf8());
    for (const GSErrCode result : p.UserEventResults())
        lines.push_back("event result " + std::to_string(result));
    const EventBatch& batch = p.UserBatch();
    const std::pair<const char*, const GuidSet*> lists[] = {{"wrong", &batch.pendingWrongStamps},
                                                            {"cleared", &batch.pendingClearedStamps},
                                                            {"inconsistent", &batch.pendingInconsistentRooms},
                                                            {"checked", &batch.pendingCheckedRooms}};
    for (const auto& list : lists)
        lines.push_back(std::string(list.first) + ::testing::PrintToString(p.Names(*list.second)));
    lines.push_back("flags " + std::to_string(batch.stampsNotUpdated) +
                    std::to_string(batch.stampsLostLabel) + std::to_string(batch.roomsWithoutApartmentId));
    for (const auto& element : p.host.GetProject().elements) {
        std::string line =
            element.second.name + " -> " + ::testing::PrintToString(p.Names(element.second.links));
        for (const Headless::Parameter& parameter : element.second.parameters)
            line += " " + parameter.GetName() + "=" + Headless::DescribeParameterValue(parameter);
        lines.push_back(line);
    }
    lines.push_back(::testing::PrintToString(p.CaptureEditAccess(&before)));
    lines.push_back("memos " + std::to_string(p.host.GetOutstandingMemoCount()));
    p.host.ReleaseOutstandingMemos();
    return lines;
}

// A host call that throws is told and listed as the same call failing with the general error.
TEST_P(FaultSweep, EveryThrowingCallEndsAsItsReturnedFailure) {
    const Scenario& scenario = GetParam();
    LiveProject& clean = Fresh();
    clean.Act(scenario.build(clean));
    const std::vector<NumberedCall> calls = NumberCalls(clean.host.GetCallLog());

    for (std::size_t at = 0; at < calls.size() && !HasFailure(); ++at) {
        const Headless::CallLogEntry& failing = calls[at].entry;
        SCOPED_TRACE(failing.ToString() + ", call " + std::to_string(calls[at].occurrence) + " of it, fails");
        std::vector<std::string> outcomes[2];
        for (const bool throws : {false, true}) {
            LiveProject& p = Fresh();
            const Action action = scenario.build(p);
            const EditAccessState before = p.CaptureEditAccess();
            ASSERT_TRUE(
                throws ? p.host.GetFaults().InjectException(failing.operation, calls[at].occurrence, false)
                       : p.host.InjectFault(failing.operation, calls[at].occurrence, APIERR_GENERAL));
            p.Act(action);
            p.host.ClearFaults();
            EXPECT_TRUE(FaultWasHit(p));
            EXPECT_THAT(p.host.GetAddOnExceptions(), IsEmpty());
            outcomes[throws] = Outcome(p, before);
        }
        EXPECT_EQ(outcomes[true], outcomes[false]);
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FaultSweep, ::testing::ValuesIn(Scenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return info.param.name; });

} // namespace
