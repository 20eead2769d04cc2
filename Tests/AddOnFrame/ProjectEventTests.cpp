#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "AddOn/ProjectEvents.hpp"
#include "FrameTestSupport.hpp"

using namespace Zarimark;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x8106012E);

class ProjectEventTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        host.SetStories({{0, "Ground Floor", 0.0}, {1, "First Floor", 3.0}});
        // One zone on a story that is not the current one: every zone of the project counts.
        AddZone("Z1", 0);
        AddZone("Z2", 1);
        AddZone("Z3", 0);
        Headless::WallDesc wall;
        wall.name = "W1";
        host.AddWall(wall);
        ResetLogs();
    }

    void AddZone(const std::string& name, Int16 story) {
        Headless::ZoneDesc zone;
        zone.name = name;
        zone.story = story;
        ASSERT_NE(host.AddZone(zone), APINULLGuid) << name;
    }

    bool IsObserved(const char* name) const { return host.FindElementByName(name)->observed; }

    std::vector<std::string> AttachCalls() const {
        std::vector<std::string> calls;
        for (const Headless::CallLogEntry& entry : host.GetCallLog()) {
            if (entry.operation == "HostAttachElementObserver")
                calls.push_back(entry.arguments);
        }
        return calls;
    }
};

class ProjectOpenedTest : public ProjectEventTest, public ::testing::WithParamInterface<Int32> {};

TEST_P(ProjectOpenedTest, AttachesTheObserverToEveryZoneInListOrder) {
    EXPECT_EQ(ProjectEventHandler(GetParam(), 0), NoError);

    ASSERT_FALSE(host.GetCallLog().empty());
    EXPECT_EQ(host.GetCallLog()[0].operation, "HostListElements");
    EXPECT_EQ(host.GetCallLog()[0].arguments, "17, 0x10000000");
    EXPECT_THAT(AttachCalls(), ElementsAre("Z1, 0", "Z2, 0", "Z3, 0"));
    EXPECT_TRUE(IsObserved("Z1"));
    EXPECT_TRUE(IsObserved("Z2"));
    EXPECT_TRUE(IsObserved("Z3"));
    EXPECT_FALSE(IsObserved("W1"));
    EXPECT_THAT(DebugLines(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(NewOpenAndClose, ProjectOpenedTest, ::testing::Values(1, 2, 4));

class OtherProjectEventTest : public ProjectEventTest, public ::testing::WithParamInterface<Int32> {};

TEST_P(OtherProjectEventTest, TouchesNothing) {
    EXPECT_EQ(ProjectEventHandler(GetParam(), 0), NoError);

    EXPECT_THAT(host.GetCallLog(), IsEmpty());
    EXPECT_FALSE(IsObserved("Z1"));
}

// 3 and 7 are combinations of the asked-for bits, not single events.
INSTANTIATE_TEST_SUITE_P(Unasked, OtherProjectEventTest, ::testing::Values(0, 3, 7, 8, 16, -1));

TEST_F(ProjectEventTest, ZonesObservedAlreadyCountAsSuccess) {
    for (const char* name : {"Z1", "Z2", "Z3"})
        host.SetObserved(host.FindElementByName(name)->GetGuid(), true);

    EXPECT_EQ(ProjectEventHandler(2, 0), NoError);

    ASSERT_EQ(AttachCalls().size(), 3u);
    for (const Headless::CallLogEntry& entry : host.GetCallLog()) {
        if (entry.operation == "HostAttachElementObserver") {
            EXPECT_EQ(entry.result, APIERR_LINKEXIST);
        }
    }
    EXPECT_THAT(DebugLines(), IsEmpty());
}

// One zone that refuses does not cost the others their observer; its code is the event's result.
TEST_F(ProjectEventTest, AFailedAttachLeavesOnlyItsZoneUnobserved) {
    ASSERT_TRUE(host.InjectFault("HostAttachElementObserver", 2, InjectedCode));

    EXPECT_EQ(ProjectEventHandler(2, 0), InjectedCode);

    EXPECT_THAT(AttachCalls(), ElementsAre("Z1, 0", "Z2, 0", "Z3, 0"));
    EXPECT_TRUE(IsObserved("Z1"));
    EXPECT_FALSE(IsObserved("Z2"));
    EXPECT_TRUE(IsObserved("Z3"));
    EXPECT_THAT(DebugLines(), ElementsAre("ZM: Can't attach element observer to room.\n"));
}

TEST_F(ProjectEventTest, AFailedListingAttachesNothing) {
    ASSERT_TRUE(host.InjectFault("HostListElements", 1, InjectedCode));

    EXPECT_EQ(ProjectEventHandler(1, 0), InjectedCode);

    EXPECT_THAT(AttachCalls(), IsEmpty());
    EXPECT_THAT(DebugLines(), ElementsAre("ZM: Can't get room list.\n"));
}

} // namespace
