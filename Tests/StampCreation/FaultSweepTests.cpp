#include "AddOn/PaletteIdentity.hpp"
#include "DG/ListBox.hpp"
#include "DG/Palette.hpp"
#include "DG/PanelRegistry.hpp"
#include "StampCreationSupport.hpp"

namespace {

using ::testing::IsEmpty;

struct SweepCase {
    const char* name;
    // Builds the project and returns the action to run on it.
    std::function<std::function<void()>(CreationProject&)> build;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const SweepCase& sweepCase, std::ostream* out) {
    *out << sweepCase.name;
}

const SweepCase sweepCases[] = {
    {"CreateCommand",
     [](CreationProject& p) -> std::function<void()> {
         p.Room("a1", RoomPlan{"A", 1});
         p.Room("a2", RoomPlan{"A", 2, {}, 1});
         p.Room("b1", RoomPlan{"B", 3, InconsistentAreas()});
         p.Room("x1", nullptr);
         return [&p] { p.CreateCommand(); };
     }},
    {"CreateCommandFromTextLabelTool",
     [](CreationProject& p) -> std::function<void()> {
         p.SetLabelTool([](API_Element& element, Headless::ParameterList& parameters) {
             element.label.libInd = 0;
             element.label.labelClass = APILblClass_Text;
             parameters.clear();
         });
         p.Room("a1", RoomPlan{"A", 1});
         p.Room("b1", RoomPlan{"B", 2});
         return [&p] { p.CreateCommand(); };
     }},
    {"PlacementOnRoom",
     [](CreationProject& p) -> std::function<void()> {
         const API_Guid a1 = p.Room("a1", RoomPlan{"A", 1});
         p.Room("a2", RoomPlan{"A", 2, {}, 1});
         p.Room("b1", RoomPlan{"B", 3});
         return [&p, a1] { p.PlaceStamp({7.0, 8.0}, a1); };
     }},
};

class FaultSweep : public CreationTest, public ::testing::WithParamInterface<SweepCase> {
protected:
    // Runs the action on `project` and checks what no failure may leave behind.
    void RunAndCheck(CreationProject& project, const std::function<void()>& action,
                     const std::string& fault) {
        const EditAccessState before = project.CaptureEditAccess();
        action();
        project.ExpectCleanHost(fault == "HostDisposeElementMemo");
        ExpectSameEditAccess(before, project.CaptureEditAccess());
        // Creation links room to stamp and then back: a failing second call leaves that half pair.
        if (fault != "HostLinkElements") {
            EXPECT_THAT(project.UnpairedLinks(), IsEmpty());
        }
    }
};

TEST_P(FaultSweep, EveryHostCallFailingLeavesHostClean) {
    const SweepCase& c = GetParam();
    std::vector<NumberedCall> calls;
    {
        SCOPED_TRACE("clean run");
        const std::function<void()> action = c.build(p());
        p().ClearLogs();
        RunAndCheck(p(), action, {});
        ASSERT_FALSE(p().Stamps().empty());
        EXPECT_THAT(p().Alerts(), ::testing::Each(::testing::Field(&DG::AlertRecord::id, 31019)));
        calls = NumberCalls(p().host.GetCallLog());
    }
    ASSERT_GT(calls.size(), 20u);
    for (const NumberedCall& call : calls) {
        SCOPED_TRACE(call.operation + " #" + std::to_string(call.occurrence));
        CreationProject& project = Fresh();
        const std::function<void()> action = c.build(project);
        project.ClearLogs();
        ASSERT_TRUE(project.host.InjectFault(call.operation, call.occurrence, InjectedCode));
        RunAndCheck(project, action, call.operation);
        if (HasFailure())
            break;
    }
    // The fixture's own check expects a project without a refused dispose.
    Fresh();
}

// All the user and the project are left with: alerts, the palette's lists, what the add-on
// answered to each event, the elements with their links and parameters, edit access, memos.
std::vector<std::string> Outcome(CreationProject& p) {
    std::vector<std::string> lines;
    for (const DG::AlertRecord& alert : p.Alerts())
        lines.push_back("alert " + std::to_string(alert.id) + ": " + alert.smallText.ToUtf8());
    if (DG::Palette* palette = DG::FindPalette(PaletteIdentity::GetPaletteGuid())) {
        lines.push_back(palette->IsVisible() ? "palette shown" : "palette hidden");
        for (const short item : {4, 8}) {
            const DG::ListBox list(*palette, item);
            for (short row = 1; row <= list.GetItemCount(); ++row)
                lines.push_back("list " + std::to_string(item) + ": " + list.GetTabItemText(row, 1).ToUtf8() +
                                " " + list.GetTabItemText(row, 2).ToUtf8());
        }
    }
    for (const Headless::DeliveredBatch& batch : p.host.GetDeliveredBatches()) {
        for (const Headless::DeliveredEvent& event : batch.events)
            lines.push_back(event.elementName + " event " + std::to_string(event.code) + " -> " +
                            std::to_string(event.result));
    }
    for (const auto& element : p.host.GetProject().elements) {
        std::string line = element.second.name + " -> " +
                           ::testing::PrintToString(p.Names(element.second.links)) + " lock " +
                           std::to_string(element.second.element.header.lockId);
        for (const Headless::Parameter& parameter : element.second.parameters)
            line += " " + parameter.GetName() + "=" + Headless::DescribeParameterValue(parameter);
        lines.push_back(line);
    }
    const EditAccessState access = p.CaptureEditAccess();
    lines.push_back("layers " + ::testing::PrintToString(access.layerFlags) + " combination " +
                    std::to_string(access.layerCombination) + " suspended " +
                    std::to_string(access.groupsSuspended));
    lines.push_back("memos " + std::to_string(p.host.GetOutstandingMemoCount()));
    p.host.ReleaseOutstandingMemos();
    return lines;
}

// A host call that throws reaches the user as the same call failing with the general error.
TEST_P(FaultSweep, EveryThrowingCallEndsAsItsReturnedFailure) {
    const SweepCase& c = GetParam();
    const std::function<void()> cleanAction = c.build(p());
    p().ClearLogs();
    cleanAction();
    const std::vector<NumberedCall> calls = NumberCalls(p().host.GetCallLog());
    ASSERT_GT(calls.size(), 20u);
    for (const NumberedCall& call : calls) {
        SCOPED_TRACE(call.operation + " #" + std::to_string(call.occurrence));
        std::vector<std::string> outcomes[2];
        for (const bool throws : {false, true}) {
            CreationProject& project = Fresh();
            const std::function<void()> action = c.build(project);
            project.ClearLogs();
            ASSERT_TRUE(throws
                            ? project.host.GetFaults().InjectException(call.operation, call.occurrence, false)
                            : project.host.InjectFault(call.operation, call.occurrence, APIERR_GENERAL));
            action();
            EXPECT_THAT(project.host.GetAddOnExceptions(), IsEmpty());
            outcomes[throws] = Outcome(project);
        }
        EXPECT_EQ(outcomes[true], outcomes[false]);
        if (HasFailure())
            break;
    }
    Fresh();
}

INSTANTIATE_TEST_SUITE_P(Actions, FaultSweep, ::testing::ValuesIn(sweepCases),
                         [](const ::testing::TestParamInfo<SweepCase>& info) { return info.param.name; });

} // namespace
