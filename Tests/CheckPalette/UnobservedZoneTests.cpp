#include "CheckPaletteSupport.hpp"
#include "ResourceIds.hpp"

// A zone the add-on could not observe when the project was opened changes unseen and may join any
// apartment: every stamp is listed as wrong, and the next call from the host tries again.

namespace {

using ::testing::IsEmpty;
using Strings = std::vector<std::string>;

enum class Call { PaletteMenu, CheckRooms, StampMoved, UpdateWrongStamps };

// A saved project whose rooms carry no observer yet: A's two rooms and B's one, a stamp each.
class UnobservedZoneTest : public PaletteTest {
protected:
    void SetUp() override {
        PaletteTest::SetUp();
        rooms = {Room("A.1", "A"), Room("A.2", "A"), Room("B.1", "B")};
        stamps = {Stamp("A", {rooms[0], rooms[1]}), Stamp("B", {rooms[2]})};
        for (const API_Guid& room : rooms)
            host.SetObserved(room, false);
        host.ClearCallLog();
    }

    Strings Unobserved() const {
        Strings names;
        for (const API_Guid& room : rooms) {
            if (!host.FindElement(room)->observed)
                names.push_back(Name(room));
        }
        return names;
    }

    void Run(Call call) {
        switch (call) {
        case Call::PaletteMenu:
            host.InvokeMenu(ZM_STRS_MENU_PALETTE);
            break;
        case Call::CheckRooms:
            Click(5);
            break;
        case Call::StampMoved:
            host.MoveElement(stamps[0], {1.0, 0.0});
            break;
        case Call::UpdateWrongStamps:
            Click(9);
            break;
        }
    }

    std::vector<API_Guid> rooms;
    std::vector<API_Guid> stamps;
};

struct OpenFault {
    const char* operation;
    int call;
    Strings unobserved;
};

const OpenFault OpenFaults[] = {
    // The second room refuses; the third gets its observer all the same.
    {"HostAttachElementObserver", 2, {"room A.2"}},
    {"HostListElements", 1, {"room A.1", "room A.2", "room B.1"}},
};

struct NextCall {
    const char* name;
    Call call;
    Strings stampsListedAfter;
};

const NextCall NextCalls[] = {
    {"PaletteMenu", Call::PaletteMenu, {"A", "B"}},
    {"CheckRooms", Call::CheckRooms, {"A", "B"}},
    {"StampMoved", Call::StampMoved, {"A", "B"}},
    // The update repairs the stamps once their rooms are observed again.
    {"UpdateWrongStamps", Call::UpdateWrongStamps, {}},
};

class UnobservedAtOpen : public UnobservedZoneTest,
                         public ::testing::WithParamInterface<std::tuple<OpenFault, NextCall>> {};

TEST_P(UnobservedAtOpen, ListsEveryStampUntilTheNextCallObservesTheRooms) {
    const OpenFault& fault = std::get<0>(GetParam());
    const NextCall& next = std::get<1>(GetParam());
    ASSERT_TRUE(host.InjectFault(fault.operation, fault.call, InjectedCode));

    EXPECT_EQ(host.CreateOrOpenProject(), InjectedCode);
    EXPECT_EQ(Unobserved(), fault.unobserved);
    EXPECT_TRUE(IsShown());
    EXPECT_EQ(StampIds(), (Strings{"A", "B"}));

    Run(next.call);
    EXPECT_THAT(Unobserved(), IsEmpty());
    EXPECT_EQ(StampIds(), next.stampsListedAfter);
    EXPECT_THAT(Alerts(), IsEmpty());

    // Once every room is observed, nothing is tried again.
    host.ClearCallLog();
    Run(next.call);
    EXPECT_EQ(CallCount("HostAttachElementObserver"), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, UnobservedAtOpen,
                         ::testing::Combine(::testing::ValuesIn(OpenFaults), ::testing::ValuesIn(NextCalls)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).operation) +
                                    std::get<1>(info.param).name;
                         });

TEST_F(UnobservedZoneTest, StampsThatCannotBeFoundAreToldByAnAlert) {
    ASSERT_TRUE(host.InjectFault("HostAttachElementObserver", 2, InjectedCode));
    // The first listing is of the rooms, the second of the labels.
    ASSERT_TRUE(host.InjectFault("HostListElements", 2, APIERR_GENERAL));

    EXPECT_EQ(host.CreateOrOpenProject(), InjectedCode);

    ASSERT_EQ(AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_EVENT_ERROR});
    EXPECT_NE(Alerts()[0].smallText.ToUtf8().find(GeneralErrorText), std::string::npos);
    EXPECT_THAT(StampIds(), IsEmpty());
}

TEST_F(UnobservedZoneTest, WhileARoomStaysUnobservedEveryCallListsTheStampsMadeMeanwhile) {
    ASSERT_TRUE(host.InjectFault("HostAttachElementObserver", 2, InjectedCode, true));
    EXPECT_EQ(host.CreateOrOpenProject(), InjectedCode);
    Palette().RemoveWrongStamps({stamps[0], stamps[1]});
    Stamp("C", {});

    Run(Call::PaletteMenu);

    EXPECT_EQ(Unobserved(), (Strings{"room A.2", "room B.1"}));
    EXPECT_EQ(StampIds(), (Strings{"A", "B", "C"}));
}

TEST_F(UnobservedZoneTest, AnObservedProjectListsNothing) {
    EXPECT_EQ(host.CreateOrOpenProject(), NoError);

    EXPECT_THAT(Unobserved(), IsEmpty());
    EXPECT_FALSE(IsShown());
    EXPECT_EQ(CallCount("HostListElements"), 1);
}

} // namespace
