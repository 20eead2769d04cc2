#include <algorithm>

#include "CheckPaletteSupport.hpp"
#include "Host/HostCodes.hpp"
#include "ResourceIds.hpp"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Strings = std::vector<std::string>;

// Apartments A and C are consistent, B has an inconsistent room; D's room is listed beforehand.
class PaletteUpdateTest : public PaletteTest {
protected:
    void SetUp() override {
        PaletteTest::SetUp();
        roomA = Room("A.1", "A");
        roomB = Room("B.1", "B", Inconsistent);
        roomC = Room("C.1", "C");
        roomD = Room("D.1", "D", Inconsistent);
        stampA = Stamp("A", {roomA}, Reserved());
        stampB = Stamp("B", {roomB}, Reserved());
        stampC = Stamp("C", {roomC}, Reserved());
        host.ClearCallLog();
    }
    static Headless::LabelDesc Reserved() {
        Headless::LabelDesc desc;
        desc.reservation = Headless::Reservation::ThisUser;
        return desc;
    }
    std::vector<std::string> UndoStepNames() const {
        std::vector<std::string> names;
        for (const Headless::UndoStep& step : host.GetUndoSteps())
            names.push_back(step.name.ToUtf8());
        return names;
    }
    void ExpectCodeAlert(const char* code) {
        ASSERT_EQ(AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_COMMAND_ERROR});
        EXPECT_NE(Alerts()[0].smallText.ToUtf8().find(std::string("Error Code: ") + code + "\n"),
                  std::string::npos)
            << Alerts()[0].smallText.ToUtf8();
    }

    API_Guid roomA, roomB, roomC, roomD, stampA, stampB, stampC;
};

TEST_F(PaletteUpdateTest, UpdateWrongStampsKeepsOnlyTheStampsNotBroughtUpToDate) {
    Palette().AddWrongStamps({stampA, stampB, stampC});
    Palette().AddInconsistentRooms({roomD});
    ShowPalette();
    // The stamps are written in list order, one change each: the third is C's.
    ASSERT_TRUE(host.InjectFault("HostChangeElement", 3, APIERR_LOCKEDELEM));

    Click(9);
    ASSERT_EQ(CallCount("HostChangeElement"), 3);
    EXPECT_EQ(CallCount("HostChangeElement", Name(stampC)), 1);
    // A was updated and left; C, the last, took its place.
    EXPECT_EQ(StampIds(), (Strings{"C", "B"}));
    EXPECT_EQ(RoomNumbers(), (Strings{"D.1", "B.1"}));
    EXPECT_EQ(UndoStepNames(), Strings{"Update Zarimarks"});
    EXPECT_THAT(Alerts(), IsEmpty());
}

TEST_F(PaletteUpdateTest, UpdateWrongStampsLeavesStampsOutsideTheListAlone) {
    Palette().AddWrongStamps({stampB});
    ShowPalette();

    Click(9);
    EXPECT_EQ(CallCount("HostChangeElement"), 1);
    EXPECT_EQ(CallCount("HostChangeElement", Name(stampB)), 1);
    EXPECT_EQ(StampIds(), Strings{"B"});
}

TEST_F(PaletteUpdateTest, UpdateAllStampsTakesEveryStampOfTheProjectFirst) {
    Headless::LibPartDesc other;
    other.name = "Other.gsm";
    other.uniqueId = "{5A0C1E10-0000-4000-8000-000000000001}-{5A0C1E10-0000-4000-8000-000000000002}";
    other.parameters = {Headless::Parameter::Text("zm_apartmentId", "A")};
    Headless::LabelDesc foreignDesc;
    foreignDesc.name = "foreign label";
    foreignDesc.libInd = host.AddLibraryPart(other);
    ASSERT_NE(host.AddLabel(foreignDesc), APINULLGuid);
    ShowPalette();

    Click(10);
    EXPECT_EQ(CallCount("HostChangeElement"), 3);
    EXPECT_EQ(CallCount("HostChangeElement", "foreign label"), 0);
    EXPECT_EQ(StampIds(), Strings{"B"});
    EXPECT_EQ(RoomNumbers(), Strings{"B.1"});
    EXPECT_EQ(UndoStepNames(), Strings{"Update Zarimarks"});
    EXPECT_THAT(Alerts(), IsEmpty());
}

TEST_F(PaletteUpdateTest, UpdateAllStampsStopsAtAFailedReadKeepingWhatItFound) {
    ShowPalette();
    // The labels are read in project order; the second read fails.
    ASSERT_TRUE(host.InjectFault("HostGetElement", 2, InjectedCode));

    Click(10);
    ExpectCodeAlert(InjectedCodeText);
    EXPECT_EQ(StampIds(), Strings{"A"});
    EXPECT_EQ(CallCount("HostCallUndoableCommand"), 0);
    EXPECT_EQ(CallCount("HostChangeElement"), 0);
}

TEST_F(PaletteUpdateTest, UpdateFailureShowsTheCodeAsANegativeNumber) {
    Palette().AddWrongStamps({stampA, stampB});
    ShowPalette();
    ASSERT_TRUE(host.InjectFault("HostListElements", 1, InjectedCode));

    Click(9);
    ExpectCodeAlert(InjectedCodeText);
    EXPECT_EQ(StampIds(), (Strings{"A", "B"}));
    ASSERT_EQ(host.GetUndoSteps().size(), 1u);
    EXPECT_EQ(host.GetUndoSteps()[0].result, InjectedCode);
}

// Whichever host call of an update fails, and every later one too: a stamp the update did not
// bring up to date keeps its row with its apartment ID, or the user is told by one alert 31016.
TEST_F(PaletteUpdateTest, StampsLeftWrongByAFailingHostAreListedOrTold) {
    ShowPalette();
    const std::pair<API_Guid, std::string> stamps[] = {{stampA, "A"}, {stampB, "B"}, {stampC, "C"}};
    const auto rewritten = [&](const API_Guid& stamp) {
        const std::vector<Headless::CallLogEntry>& log = host.GetCallLog();
        return std::any_of(log.begin(), log.end(), [&](const Headless::CallLogEntry& call) {
            return call.operation == "HostChangeElement" && !call.injected && call.result == NoError &&
                   call.arguments.find(Name(stamp)) != std::string::npos;
        });
    };
    for (const short button : {short{9}, short{10}}) {
        std::size_t calls = 0;
        for (std::size_t failing = 0; failing <= calls && !HasFailure(); ++failing) {
            SCOPED_TRACE("button " + std::to_string(button) + ", calls fail from " + std::to_string(failing));
            Palette().AddWrongStamps({stampA, stampB, stampC});
            DG::ClearUILog();
            host.ClearCallLog();
            if (failing > 0) {
                ASSERT_TRUE(host.GetFaults().InjectAtCall(static_cast<int>(failing), InjectedCode, true));
            }
            Click(button);
            host.ClearFaults();
            if (failing == 0)
                calls = host.GetCallLog().size();
            const std::vector<GSResID> alerts = AlertIds();
            const auto commandErrors =
                std::count(alerts.begin(), alerts.end(), ZM_ALERT_UNEXPECTED_COMMAND_ERROR);
            EXPECT_LE(commandErrors, failing == 0 ? 0 : 1);
            // The batches that report the update's own changes may tell it as well.
            const auto told =
                commandErrors + std::count(alerts.begin(), alerts.end(), ZM_ALERT_UNEXPECTED_EVENT_ERROR);
            for (const auto& [stamp, id] : stamps) {
                // B shows an inconsistent room: it stays listed even when rewritten.
                if (told == 0 && (id == "B" || !rewritten(stamp))) {
                    EXPECT_THAT(StampIds(), ::testing::Contains(id)) << id;
                }
            }
            host.ReleaseOutstandingMemos();
            host.Undo();
        }
    }
}

TEST_F(PaletteUpdateTest, DeclinedRoomReservationIsNoError) {
    host.SetTeamworkMode(true);
    user.answers[ZM_ALERT_ROOMS_NOT_RESERVED] = 2;
    Palette().AddWrongStamps({stampA, stampB});
    ShowPalette();

    Click(9);
    EXPECT_EQ(AlertIds(), std::vector<GSResID>{ZM_ALERT_ROOMS_NOT_RESERVED});
    EXPECT_EQ(StampIds(), (Strings{"A", "B"}));
    EXPECT_EQ(CallCount("HostChangeElement"), 0);
}

} // namespace
