#include <cstring>
#include <functional>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

#include "DG/UILog.hpp"
#include "Report/Reference/StampReference.hpp"
#include "Run/Invariants.hpp"

// The rules every step is held to, each provoked by a tiny add-on call made through the host (as
// the module would make it) and shown caught; the clean steps show that nothing is caught
// without cause.

namespace {

using Kind = Run::Violation::Kind;
using Headless::HeadlessHost;

struct Project {
    HeadlessHost host;
    API_Guid room, wall, stamp;
    std::set<std::string> meantToBeStale; // the scenario's "silentlyStale"

    Project() {
        Headless::ZoneDesc zone;
        zone.name = "room";
        zone.polygon = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
        zone.parameters = {Headless::Parameter::Text("stApartmentId", "A1")};
        zone.lockId = 1;
        room = host.AddZone(zone);
        Headless::WallDesc w;
        w.name = "wall";
        wall = host.AddWall(w);
    }

    void Link(const API_Guid& from, const API_Guid& to) {
        EXPECT_EQ(host.HostLinkElements(from, to, 0), NoError);
    }
    void Unlink(const API_Guid& from, const API_Guid& to) { host.HostUnlinkElements(from, to); }
    void Tool(Int32 code, const API_Guid& guid) {
        GS::Array<API_Guid> guids;
        guids.Push(guid);
        EXPECT_EQ(host.HostApplyElementTool(guids, code), NoError);
    }
    API_ElementMemo Memo() {
        API_ElementMemo memo;
        EXPECT_EQ(host.HostGetElementMemo(room, &memo, APIMemoMask_AddPars), NoError);
        return memo;
    }
    // The add-on changes the room's parameters as they are.
    GSErrCode ChangeRoom() {
        API_Element element;
        element.header.guid = room;
        host.HostGetElement(&element);
        API_Element mask;
        std::memset(static_cast<void*>(&mask), 0, sizeof(mask));
        return host.HostChangeElement(&element, &mask, nullptr, 0, true);
    }
    void UserAnswered(GSResID alert, short button) {
        DG::UILogEntry entry;
        entry.alert.id = alert;
        entry.alert.answer = button;
        DG::Detail::AppendUILog(entry);
    }
    // A stamp label that shows nothing of its apartment's room, so stale as it comes.
    void AddStaleStamp() {
        Headless::LibPartDesc part;
        part.name = "Zarimark.gsm";
        Headless::LabelDesc label;
        label.name = "stamp-A1";
        label.libInd = host.AddBuiltInLibraryPart(part, 31990);
        label.parameters = {Headless::Parameter::Text("zm_apartmentId", "A1")};
        stamp = host.AddLabel(label);
    }
};

struct Case {
    const char* name;
    std::function<void(Project&)> setup; // the project and what came before the step
    std::function<void(Project&)> addOn; // the step: one call into the add-on
    std::vector<Kind> kinds;             // what the step is caught at, in order
    std::string message;                 // the first violation's message starts so
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

void Nothing(Project&) {}

const Case cases[] = {
    {"CleanCallPutsEverythingBack",
     Nothing,
     [](Project& p) {
         p.Link(p.room, p.wall);
         p.Link(p.wall, p.room);
         API_ElementMemo memo = p.Memo();
         p.host.HostDisposeElementMemo(&memo);
         p.Tool(APITool_Unlock, p.room);
         EXPECT_EQ(p.ChangeRoom(), NoError);
         p.Tool(APITool_Lock, p.room);
     },
     {},
     ""},
    {"ExceptionEscapes",
     Nothing,
     [](Project&) { throw std::runtime_error("boom"); },
     {Kind::Exception},
     "an exception escaped the add-on into the host: boom"},
    {"MemoKept",
     Nothing,
     [](Project& p) { p.Memo(); },
     {Kind::LeakedMemo},
     "1 memo the host handed out in this step never went back"},
    {"MemoReleaseStoppedByAFault",
     Nothing,
     [](Project& p) {
         API_ElementMemo memo = p.Memo();
         p.host.InjectFault("HostDisposeElementMemo", 1, APIERR_GENERAL);
         p.host.HostDisposeElementMemo(&memo);
     },
     {},
     ""},
    {"LockLeftOff",
     Nothing,
     [](Project& p) { p.Tool(APITool_Unlock, p.room); },
     {Kind::UnrestoredState},
     "lock of \"room\" was locked when the host called the add-on and unlocked when the call returned"},
    // The host refused to put the lock back: the add-on goes on by design.
    {"LockLeftOffAsTheHostRefusedIt",
     Nothing,
     [](Project& p) {
         p.Tool(APITool_Unlock, p.room);
         p.host.InjectFault("HostApplyElementTool", 1, APIERR_GENERAL);
         GS::Array<API_Guid> guids;
         guids.Push(p.room);
         p.host.HostApplyElementTool(guids, APITool_Lock);
     },
     {},
     ""},
    // ... but a failed call about another setting explains nothing.
    {"LockLeftOffWhileALayerCallFailed",
     Nothing,
     [](Project& p) {
         p.Tool(APITool_Unlock, p.room);
         p.host.InjectFault("HostModifyAttribute", 1, APIERR_GENERAL);
         API_Attribute layer;
         p.host.HostModifyAttribute(&layer);
     },
     {Kind::UnrestoredState},
     "lock of \"room\""},
    {"OneWayLink",
     Nothing,
     [](Project& p) { p.Link(p.room, p.wall); },
     {Kind::HalfLink},
     "room -> wall has no partner wall -> room"},
    {"OneWayUnlink",
     [](Project& p) {
         p.Link(p.room, p.wall);
         p.Link(p.wall, p.room);
     },
     [](Project& p) { p.Unlink(p.wall, p.room); },
     {Kind::HalfLink},
     "room -> wall has no partner wall -> room"},
    // The links made so far stay when the partner's call fails: by design.
    {"PartnerLinkFailed",
     Nothing,
     [](Project& p) {
         p.host.InjectFault("HostLinkElements", 2, APIERR_GENERAL);
         p.Link(p.room, p.wall);
         p.host.HostLinkElements(p.wall, p.room, 0);
     },
     {},
     ""},
    {"SecondUnlinkFailed",
     [](Project& p) {
         p.Link(p.room, p.wall);
         p.Link(p.wall, p.room);
     },
     [](Project& p) {
         p.host.InjectFault("HostUnlinkElements", 2, APIERR_GENERAL);
         p.Unlink(p.wall, p.room);
         p.Unlink(p.room, p.wall);
     },
     {},
     ""},
    // A failed call of another pair explains nothing.
    {"UnrelatedLinkFailed",
     Nothing,
     [](Project& p) {
         p.Link(p.room, p.wall);
         p.host.InjectFault("HostLinkElements", 1, APIERR_GENERAL);
         p.host.HostLinkElements(p.room, p.wall, 0);
     },
     {Kind::HalfLink},
     "room -> wall has no partner"},
    // A project may come with a broken link; and an undo that brings one back is the user's.
    {"BrokenLinkOfTheProject",
     [](Project& p) { p.host.AddLink(p.room, p.wall); },
     [](Project& p) { p.Link(p.room, p.wall); },
     {},
     ""},
    {"UndoBringsABrokenLinkBack",
     [](Project& p) {
         p.host.AddLink(p.room, p.wall);
         p.host.RunAddOnCall([&] {
             p.host.HostCallUndoableCommand("Update",
                                            [&] { return p.host.HostLinkElements(p.wall, p.room, 0); });
         });
     },
     [](Project& p) { EXPECT_TRUE(p.host.Undo()); },
     {},
     ""},
    {"ReservedAndChangedWithoutConsent",
     [](Project& p) {
         p.host.SetTeamworkMode(true);
         p.host.SetElementLock(p.room, 0);
     },
     [](Project& p) {
         GS::Array<API_Guid> guids;
         guids.Push(p.room);
         p.host.HostReserveElements(guids, nullptr, true);
         EXPECT_EQ(p.ChangeRoom(), NoError);
         p.UserAnswered(31010, 2); // declined elsewhere: no consent
     },
     {Kind::WriteOutsideWorkspace},
     "the add-on changed room (HostChangeElement), which was outside the user's Teamwork workspace"},
    {"ReservedAndChangedWithConsent",
     [](Project& p) {
         p.host.SetTeamworkMode(true);
         p.host.SetElementLock(p.room, 0);
     },
     [](Project& p) {
         p.UserAnswered(31010, 1);
         GS::Array<API_Guid> guids;
         guids.Push(p.room);
         p.host.HostReserveElements(guids, nullptr, true);
         EXPECT_EQ(p.ChangeRoom(), NoError);
     },
     {},
     ""},
    {"LinkedOutsideTheWorkspace",
     [](Project& p) {
         p.host.SetTeamworkMode(true);
         p.host.SetReservation(p.room, Headless::Reservation::ThisUser);
     },
     [](Project& p) {
         p.Link(p.room, p.wall);
         p.Link(p.wall, p.room);
     },
     {Kind::WriteOutsideWorkspace},
     "the add-on changed wall (HostLinkElements)"},
    {"StaleStampNobodyTold",
     Nothing,
     [](Project& p) { p.AddStaleStamp(); },
     {Kind::SilentlyStale},
     "stamp-A1 is silently stale: stale since step [0] ("},
    {"StaleStampTheScenarioMeans",
     [](Project& p) { p.meantToBeStale = {"stamp-A1"}; },
     [](Project& p) { p.AddStaleStamp(); },
     {},
     ""},
};

class InvariantTest : public ::testing::TestWithParam<Case> {};

TEST_P(InvariantTest, TheStepIsCaughtExactlyAtWhatItBroke) {
    const Case& c = GetParam();
    DG::ClearUILog();
    Project project;
    c.setup(project);
    Run::SessionRecord record;
    record.staleAtStart = Report::Reference::FindStaleStamps(project.host);
    Run::Invariants invariants;
    invariants.SetExpectedSilentlyStale(project.meantToBeStale);

    Run::StepRecord step;
    step.path = "steps[0]";
    step.firstCall = project.host.GetCallLog().size();
    step.firstUiEntry = DG::GetUILogSize();
    invariants.BeforeStep(project.host);
    project.host.RunAddOnCall([&] { c.addOn(project); });
    step.endCall = project.host.GetCallLog().size();
    step.endUiEntry = DG::GetUILogSize();
    step.staleStamps = Report::Reference::FindStaleStamps(project.host);
    record.steps.push_back(step);
    const std::vector<Run::Violation> found = invariants.AfterStep(project.host, record);

    std::vector<Kind> kinds;
    for (const Run::Violation& violation : found) {
        kinds.push_back(violation.kind);
        EXPECT_EQ(violation.path, "steps[0]");
    }
    EXPECT_EQ(kinds, c.kinds);
    if (!found.empty()) {
        EXPECT_EQ(found[0].message.substr(0, c.message.size()), c.message);
    }

    // What a step broke is not held against the next one, which does nothing.
    step.index = 1;
    step.path = "steps[1]";
    step.firstCall = step.endCall = project.host.GetCallLog().size();
    step.firstUiEntry = step.endUiEntry = DG::GetUILogSize();
    invariants.BeforeStep(project.host);
    record.steps.push_back(step);
    EXPECT_TRUE(invariants.AfterStep(project.host, record).empty());
    project.host.ReleaseOutstandingMemos();
}

INSTANTIATE_TEST_SUITE_P(Steps, InvariantTest, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

} // namespace
