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

INSTANTIATE_TEST_SUITE_P(Actions, FaultSweep, ::testing::ValuesIn(sweepCases),
                         [](const ::testing::TestParamInfo<SweepCase>& info) { return info.param.name; });

} // namespace
