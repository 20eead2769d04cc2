#include "AddOn/Zarimark/EditAccessGuard.hpp"

#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "EditAccessTestSupport.hpp"
#include "Host/HostCodes.hpp"

using namespace Zarimark;

namespace {

constexpr Int16 Hidden = APILay_Hidden;
constexpr Int16 OtherBit = 0x4;
constexpr Int16 LockedAndOther = APILay_Locked | OtherBit;
constexpr Int16 Obstacles = APILay_Hidden | APILay_Locked;

struct GuardSetup {
    std::vector<Int16> layerFlags; // a new layer with one stamp each; the first gets a second stamp
    bool firstLocked;              // the first stamp is locked
    bool groupsSuspended;
    bool combination; // a combination of these flags is current
};

// What the guard may change, as text for readable differences.
struct EditState {
    std::map<API_AttributeIndex, Int16> layerFlags;
    API_AttributeIndex combination = 0;
    std::vector<bool> locked;
    bool groupsSuspended = false;

    std::string Text() const {
        std::ostringstream text;
        text << "layers";
        for (const auto& layer : layerFlags)
            text << ' ' << layer.first << ':' << layer.second;
        text << ", combination " << combination << ", locked";
        for (const bool elementLocked : locked)
            text << ' ' << elementLocked;
        text << ", groups suspended " << groupsSuspended;
        return text.str();
    }
};

// Throws from one element tool, as a host may when it runs out of memory.
class ThrowingHost : public Headless::HeadlessHost {
public:
    GSErrCode HostApplyElementTool(const GS::Array<API_Guid>& guids, Int32 toolCode) override {
        if (toolCode == throwOn)
            throw std::runtime_error("host failure");
        return HeadlessHost::HostApplyElementTool(guids, toolCode);
    }
    Int32 throwOn = 0;
};

// A failed call of the guard's end leaves its own obstacle lifted; a failed combination query
// makes the guard put single layers back, which ends the combination.
void Tolerate(const Headless::CallLogEntry& call, bool atEnd, EditState& expected) {
    const std::string& operation = call.operation;
    if (!atEnd) {
        if (operation == "HostGetLayerCombination")
            expected.combination = 0;
        return;
    }
    if (operation == "HostApplyElementTool" && call.arguments.rfind("'SUSP'", 0) == 0) {
        expected.groupsSuspended = true;
    } else if (operation == "HostApplyElementTool") {
        expected.locked.assign(expected.locked.size(), false);
    } else if (operation == "HostGetAttribute" || operation == "HostModifyAttribute") {
        expected.layerFlags[std::stoi(call.arguments.substr(call.arguments.find(", ") + 2))] = 0;
    } else if (operation == "HostSetLayerCombination") {
        expected.combination = 0;
        for (auto& layer : expected.layerFlags)
            layer.second = (layer.second & Obstacles) != 0 ? 0 : layer.second;
    }
}

class EditAccessGuardTest : public EditAccessTest {
protected:
    template <typename H = Headless::HeadlessHost>
    H& Build(const GuardSetup& setup) {
        H& fresh = UseFreshHost<H>();
        layers = {1};
        elements.Clear();
        std::map<API_AttributeIndex, Int16> combinationFlags;
        for (const Int16 flags : setup.layerFlags) {
            layers.push_back(fresh.AddLayer("layer", flags));
            combinationFlags[layers.back()] = flags;
            AddStamp(fresh, "stamp-" + std::to_string(layers.size() - 1), layers.back(),
                     setup.firstLocked && elements.IsEmpty());
        }
        AddStamp(fresh, "twin", layers[1], false);
        Headless::WallDesc wall;
        wall.name = "wall";
        elements.Push(fresh.AddWall(wall));
        fresh.SetSuspendGroups(setup.groupsSuspended);
        if (setup.combination)
            fresh.ApplyLayerCombination(fresh.AddLayerCombination("view", combinationFlags));
        fresh.ClearCallLog();
        return fresh;
    }

    void AddStamp(Headless::HeadlessHost& fresh, const std::string& name, API_AttributeIndex layer,
                  bool locked) {
        Headless::LabelDesc desc;
        desc.name = name;
        desc.layer = layer;
        desc.lockId = locked ? 7 : 0;
        elements.Push(fresh.AddLabel(desc));
    }

    EditState State() const {
        EditState state;
        for (const API_AttributeIndex layer : layers)
            state.layerFlags[layer] = Host().FindLayer(layer)->flags;
        state.combination = Host().GetCurrentLayerCombination();
        for (const API_Guid& element : elements)
            state.locked.push_back(Host().FindElement(element)->element.header.lockId != 0);
        state.groupsSuspended = Host().IsSuspendGroups();
        return state;
    }

    std::vector<API_AttributeIndex> layers;
    GS::Array<API_Guid> elements;
};

TEST_F(EditAccessGuardTest, LiftsObstaclesForItsLifetime) {
    const std::set<std::string> queries = {"HostGetLayerCombination", "HostIsSuspendGroupOn",
                                           "HostGetElementHeader", "HostGetAttribute"};
    for (const Int16 flags : {Int16(0), Hidden, LockedAndOther, OtherBit}) {
        for (const bool locked : {false, true}) {
            for (const bool suspended : {false, true}) {
                for (const bool combination : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << "flags " << flags << " locked " << locked << " suspended " << suspended
                                 << " combination " << combination);
                    Build({{flags}, locked, suspended, combination});
                    const EditState before = State();
                    const bool obstacle = (flags & Obstacles) != 0;
                    EditState during = before;
                    during.layerFlags[layers[1]] = obstacle ? 0 : flags;
                    during.combination = obstacle ? 0 : before.combination; // a changed layer ends it
                    during.locked.assign(during.locked.size(), false);
                    during.groupsSuspended = true;
                    {
                        EditAccessGuard guard(elements);
                        EXPECT_EQ(State().Text(), during.Text());
                    }
                    EXPECT_EQ(State().Text(), before.Text());
                    EXPECT_EQ(CallCount("HostModifyAttribute"), obstacle ? (combination ? 1 : 2) : 0);
                    EXPECT_EQ(CallCount("HostSetLayerCombination"), combination ? 1 : 0);
                    EXPECT_EQ(CallCount("HostApplyElementTool"), (locked ? 2 : 0) + (suspended ? 0 : 2));
                    if (!obstacle && !locked && suspended && !combination) {
                        for (const Headless::CallLogEntry& call : Host().GetCallLog())
                            EXPECT_EQ(queries.count(call.operation), 1u) << call.ToString();
                    }
                }
            }
        }
    }
}

TEST_F(EditAccessGuardTest, PutsBackInReverseOrder) {
    Build({{Hidden, LockedAndOther}, true, false, false});
    { EditAccessGuard guard(elements); }
    std::vector<std::string> calls;
    for (const Headless::CallLogEntry& call : Host().GetCallLog())
        calls.push_back(call.operation + "(" + call.arguments + ")");
    const std::vector<std::string> expected = {
        "HostGetLayerCombination()", "HostIsSuspendGroupOn()", "HostGetElementHeader(stamp-1)",
        "HostGetElementHeader(stamp-2)", "HostGetElementHeader(twin)", "HostGetElementHeader(wall)",
        "HostGetAttribute(1, 2)", "HostModifyAttribute(1, 2, 0x00000000)", "HostGetAttribute(1, 3)",
        "HostModifyAttribute(1, 3, 0x00000000)", "HostGetAttribute(1, 1)",
        "HostApplyElementTool('ULCK', stamp-1)", "HostApplyElementTool('SUSP')",
        // the end
        "HostApplyElementTool('SUSP')", "HostApplyElementTool('LOCK', stamp-1)", "HostGetAttribute(1, 2)",
        "HostModifyAttribute(1, 2, 0x00000001)", "HostGetAttribute(1, 3)",
        "HostModifyAttribute(1, 3, 0x00000006)"};
    EXPECT_EQ(calls, expected);
}

TEST_F(EditAccessGuardTest, EveryHostFaultLeavesAtMostItsOwnObstacle) {
    for (const bool combination : {false, true}) {
        const GuardSetup setup{{Hidden, LockedAndOther}, true, false, combination};
        Build(setup);
        std::size_t liftingCalls = 0;
        {
            EditAccessGuard guard(elements);
            liftingCalls = Host().GetCallLog().size();
        }
        const std::vector<NumberedCall> calls = NumberCalls(Host().GetCallLog());
        ASSERT_GT(calls.size(), liftingCalls + 2);
        for (std::size_t i = 0; i < calls.size(); ++i) {
            const Headless::CallLogEntry& call = calls[i].entry;
            SCOPED_TRACE(call.ToString() + " #" + std::to_string(calls[i].occurrence) + " combination " +
                         std::to_string(combination));
            Headless::HeadlessHost& fresh = Build(setup);
            EditState expected = State();
            ASSERT_TRUE(fresh.InjectFault(call.operation, calls[i].occurrence, APIERR_GENERAL));
            { EditAccessGuard guard(elements); }
            Tolerate(call, i >= liftingCalls, expected);
            EXPECT_EQ(State().Text(), expected.Text());
        }
    }
}

TEST_F(EditAccessGuardTest, PutsBackWhenAnExceptionPasses) {
    const GuardSetup setup{{Hidden}, true, false, false};
    Build(setup);
    const EditState before = State();
    EXPECT_THROW(
        {
            EditAccessGuard guard(elements);
            throw std::runtime_error("the caller's operation failed");
        },
        std::runtime_error);
    EXPECT_EQ(State().Text(), before.Text());

    // Thrown while lifting: the unfinished guard puts back what it had lifted.
    Build<ThrowingHost>(setup).throwOn = APITool_Unlock;
    EXPECT_THROW(EditAccessGuard guard(elements), std::runtime_error);
    EXPECT_EQ(State().Text(), before.Text());

    // Thrown while relocking: nothing leaves the guard's end and the other steps still run.
    ThrowingHost& relocking = Build<ThrowingHost>(setup);
    {
        EditAccessGuard guard(elements);
        relocking.throwOn = APITool_Lock;
    }
    EditState expected = before;
    expected.locked.assign(expected.locked.size(), false);
    EXPECT_EQ(State().Text(), expected.Text());
}

} // namespace
