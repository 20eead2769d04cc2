#include <algorithm>

#include "AddOn/Zarimark/StampPlacement.hpp"
#include "GSRoot/ValueToStr.hpp"
#include "ResourceIds.hpp"
#include "StampCreationSupport.hpp"

using namespace Zarimark;

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr API_Coord Clicked = {7.0, 8.0};

// Picks the row showing `apartmentId` and accepts.
std::function<void(DG::ModalDialog&)> Choose(const std::string& apartmentId) {
    return [apartmentId](DG::ModalDialog& dialog) {
        const std::vector<std::string> rows = ListRows(dialog);
        const auto found = std::find(rows.begin(), rows.end(), apartmentId);
        ASSERT_NE(found, rows.end()) << apartmentId;
        EXPECT_TRUE(dialog.SelectListItem(4, static_cast<short>(found - rows.begin() + 1)));
        EXPECT_TRUE(dialog.ClickButton(1));
    };
}

void ExpectStampAt(const CreationProject& p, const API_Guid& stamp, API_Coord position) {
    const API_Element& element = p.Element(stamp).element;
    EXPECT_EQ(element.header.floorInd, p.host.GetCurrentStory());
    EXPECT_EQ(element.label.midC.x, position.x);
    EXPECT_EQ(element.label.midC.y, position.y);
    EXPECT_EQ(element.label.parent, APINULLGuid);
    EXPECT_EQ(element.label.parentType.typeID, 0);
    EXPECT_TRUE(p.Element(stamp).observed);
}

std::vector<GSErrCode> EventResults(const CreationProject& p) {
    std::vector<GSErrCode> results;
    for (const Headless::DeliveredBatch& batch : p.host.GetDeliveredBatches()) {
        for (const Headless::DeliveredEvent& event : batch.events)
            results.push_back(event.result);
    }
    return results;
}

TEST_F(CreationTest, PlacedOnRoomWithIdBecomesStampOfItsApartment) {
    const API_AttributeIndex layer = p().host.AddLayer("Labels");
    p().SetLabelTool([&](API_Element& element, Headless::ParameterList& parameters) {
        element.header.layer = layer;
        *Headless::FindParameter(parameters, "zm_lineTexts") =
            Headless::Parameter::TextArray("zm_lineTexts", 1, 1, {GS::UniString("Fläche")});
    });
    const API_Guid a1 = p().Room("a1", RoomPlan{"A", 4});
    const API_Guid b1 = p().Room("b1", RoomPlan{"B", 5});
    const API_Guid a2 = p().Room("a2", RoomPlan{"A", 7, {}, 1});
    API_Guid placed;

    ASSERT_EQ(p().PlaceStamp(Clicked, a1, &placed), NoError);

    EXPECT_FALSE(p().Exists(placed));
    const API_Guid stamp = p().OnlyStampOf("A");
    ASSERT_NE(stamp, APINULLGuid);
    EXPECT_EQ(p().Stamps().size(), 1u);
    ExpectStampAt(p(), stamp, Clicked);
    EXPECT_EQ(p().Element(stamp).element.header.layer, layer);
    EXPECT_THAT(p().LinkNames(stamp), ElementsAre("a1", "a2"));
    EXPECT_THAT(p().LinkNames(a1), ElementsAre(p().Name(stamp)));
    EXPECT_THAT(p().LinkNames(a2), ElementsAre(p().Name(stamp)));
    EXPECT_THAT(p().LinkNames(b1), IsEmpty());
    EXPECT_THAT(p().Numbers(stamp, "zm_roomCats"), ElementsAre(4.0, 7.0));
    EXPECT_THAT(p().Numbers(stamp, "zm_lines"), ElementsAre(4.0, 7.0));
    EXPECT_THAT(p().Texts(stamp, "zm_lineTexts"), ElementsAre("Fläche", "Fläche"));
    // The echo of the new stamp finds every room linked: no link is made twice, nothing fails.
    EXPECT_EQ(p().CallCount("HostLinkElements"), 4);
    EXPECT_THAT(EventResults(p()), ::testing::Each(NoError));
    EXPECT_THAT(p().UIEvents(), IsEmpty());
}

TEST_F(CreationTest, EchoOfOwnStampIsNotTakenForUserPlacement) {
    p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", "A");
    ASSERT_EQ(p().PlaceStamp(Clicked, a2), NoError);

    // Two new labels reach the add-on: the user's and its own stamp; only the user's is replaced.
    int newLabelEvents = 0;
    for (const Headless::DeliveredBatch& batch : p().host.GetDeliveredBatches()) {
        for (const Headless::DeliveredEvent& event : batch.events)
            newLabelEvents += event.code == 1 && event.typeID == API_LabelID ? 1 : 0;
    }
    EXPECT_EQ(newLabelEvents, 2);
    EXPECT_EQ(p().CallCount("HostCreateElement"), 1);
    EXPECT_EQ(p().CallCount("HostDeleteElements"), 1);
    EXPECT_EQ(p().Stamps().size(), 1u);
    EXPECT_THAT(p().UnpairedLinks(), IsEmpty());
}

struct NoIdCase {
    const char* name;
    bool choose;
};

class PlacementOnRoomWithoutId : public CreationTest, public ::testing::WithParamInterface<NoIdCase> {};

TEST_P(PlacementOnRoomWithoutId, WarnsThenAsksForApartment) {
    const API_Guid x1 = p().Room("x1", nullptr);
    const API_Guid b1 = p().Room("b1", "B");
    p().Room("a1", "A");
    std::vector<std::string> rows;
    p().user.dialog = [&](DG::ModalDialog& dialog) {
        rows = ListRows(dialog);
        if (GetParam().choose)
            Choose("B")(dialog);
    };
    API_Guid placed;

    ASSERT_EQ(p().PlaceStamp(Clicked, x1, &placed), NoError);

    EXPECT_FALSE(p().Exists(placed));
    EXPECT_THAT(rows, ElementsAre("B", "A"));
    if (!GetParam().choose) {
        EXPECT_THAT(p().UIEvents(), ElementsAre("alert 31020", "opened 32510", "cancelled"));
        EXPECT_THAT(p().Stamps(), IsEmpty());
        return;
    }
    const API_Guid stamp = p().OnlyStampOf("B");
    ASSERT_NE(stamp, APINULLGuid);
    ExpectStampAt(p(), stamp, Clicked);
    EXPECT_THAT(p().LinkNames(stamp), ElementsAre("b1"));
    EXPECT_THAT(p().LinkNames(b1), ElementsAre(p().Name(stamp)));
    EXPECT_THAT(p().LinkNames(x1), IsEmpty());
    // The placement itself adds no missing-ID warning to 31020; the new stamp's echo batch may.
    const std::vector<std::string> events = p().UIEvents();
    ASSERT_GE(events.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(events.begin(), events.begin() + 3),
                ElementsAre("alert 31020", "opened 32510", "accepted"));
    EXPECT_EQ(std::count(events.begin(), events.end(), "alert 31019"), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlacementOnRoomWithoutId,
                         ::testing::Values(NoIdCase{"ChoosingGivesStamp", true},
                                           NoIdCase{"CancellingGivesNone", false}),
                         [](const ::testing::TestParamInfo<NoIdCase>& info) { return info.param.name; });

TEST_F(CreationTest, PlacedWhereNoRoomIsOpensDialogDirectly) {
    const API_Guid a1 = p().Room("a1", "A");
    p().Room("b1", "B");
    p().user.dialog = Choose("A");

    ASSERT_EQ(p().PlaceStamp(Clicked), NoError);

    EXPECT_THAT(p().UIEvents(), ElementsAre("opened 32510", "accepted"));
    const API_Guid stamp = p().OnlyStampOf("A");
    ASSERT_NE(stamp, APINULLGuid);
    ExpectStampAt(p(), stamp, Clicked);
    EXPECT_THAT(p().LinkNames(stamp), ElementsAre("a1"));
    EXPECT_THAT(p().LinkNames(a1), ElementsAre(p().Name(stamp)));
}

TEST_F(CreationTest, PlacedWhereNoRoomIsWarnsOfRoomsWithoutId) {
    p().Room("a1", "A");
    p().Room("x1", RoomPlan{nullptr, 1, {}, 1});
    p().user.dialog = Choose("A");
    std::vector<std::size_t> stampsAtWarning;
    p().user.onAlert = [&](const DG::AlertRecord& alert) {
        if (alert.id == ZM_ALERT_MISSING_APARTMENT_ID)
            stampsAtWarning.push_back(p().Stamps().size());
    };

    ASSERT_EQ(p().PlaceStamp(Clicked), NoError);

    const std::vector<std::string> events = p().UIEvents();
    ASSERT_GE(events.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(events.begin(), events.begin() + 3),
                ElementsAre("opened 32510", "accepted", "alert 31019"));
    ASSERT_FALSE(stampsAtWarning.empty());
    EXPECT_EQ(stampsAtWarning[0], 0u);
    EXPECT_THAT(p().StampIds(), ElementsAre("A"));
}

TEST_F(CreationTest, StampLabelOnOtherElementThanZoneOpensDialogDirectly) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid wall = p().Wall("w1");
    p().user.dialog = Choose("A");
    Headless::LabelDesc desc;
    desc.libInd = p().stampLibInd;
    desc.parent = wall;
    desc.begC = desc.midC = desc.endC = Clicked;

    ASSERT_EQ(p().host.CreateLabel(desc), NoError);

    EXPECT_THAT(p().UIEvents(), ElementsAre("opened 32510", "accepted"));
    const API_Guid stamp = p().OnlyStampOf("A");
    ASSERT_NE(stamp, APINULLGuid);
    ExpectStampAt(p(), stamp, Clicked);
    EXPECT_THAT(p().LinkNames(a1), ElementsAre(p().Name(stamp)));
}

TEST_F(CreationTest, PlacedOrdinaryLabelIsLeftAlone) {
    Headless::LibPartDesc other;
    other.name = GS::UniString("Other.gsm");
    other.uniqueId = "{11111111-2222-3333-4444-555555555555}-{66666666-7777-8888-9999-000000000000}";
    other.typeID = API_LabelID;
    other.parameters = {Headless::Parameter::Real("x", 1.0)};
    const Int32 otherLibInd = p().host.AddLibraryPart(other);
    p().SetLabelTool([&](API_Element& element, Headless::ParameterList& parameters) {
        element.label.libInd = otherLibInd;
        parameters = other.parameters;
    });
    const API_Guid a1 = p().Room("a1", "A");
    API_Guid placed;

    ASSERT_EQ(p().PlaceStamp(Clicked, a1, &placed), NoError);

    ASSERT_TRUE(p().Exists(placed));
    EXPECT_FALSE(p().Element(placed).observed);
    EXPECT_EQ(p().Element(placed).element.label.parent, a1);
    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_THAT(p().LinkNames(a1), IsEmpty());
    EXPECT_THAT(p().UIEvents(), IsEmpty());
}

TEST_F(CreationTest, PlacedOnRoomWhoseIdCannotBeReadEndsWithHostCode) {
    const API_Guid a1 = p().Room("a1", "A");
    API_Guid placed;
    // The first memo is the placed label's, the second the clicked room's.
    p().host.InjectFault("HostGetElementMemo", 2, InjectedCode);

    ASSERT_EQ(p().PlaceStamp(Clicked, a1, &placed), NoError);

    EXPECT_FALSE(p().Exists(placed));
    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_THAT(p().UIEvents(), ElementsAre("alert " + std::to_string(ZM_ALERT_UNEXPECTED_EVENT_ERROR)));
    EXPECT_THAT(p().Alerts()[0].smallText.ToUtf8(), HasSubstr(GS::valuetostr(InjectedCode).ToUtf8()));
    EXPECT_THAT(EventResults(p()), Contains(InjectedCode));
}

// A placed label the add-on could not observe, read or take away stays as placed, showing nothing
// of any apartment: the handler says it is left wrong, so the batch lists it.
TEST_F(CreationTest, PlacedLabelThatCannotBeReplacedIsLeftWrong) {
    const API_Guid a1 = p().Room("a1", "A");
    for (const char* operation : {"HostAttachElementObserver", "HostGetElementMemo", "HostDeleteElements"}) {
        Headless::LabelDesc desc;
        desc.libInd = p().stampLibInd;
        desc.parent = a1;
        const API_Guid label = p().host.AddLabel(desc);
        p().host.InjectFault(operation, 1, InjectedCode);
        GSErrCode result = NoError;
        bool stampLeftWrong = false;

        p().host.RunAddOnCall([&] { result = HandleStampPlaced(label, stampLeftWrong); });
        p().host.ClearFaults();

        EXPECT_EQ(result, InjectedCode) << operation;
        EXPECT_TRUE(stampLeftWrong) << operation;
        EXPECT_TRUE(p().Exists(label)) << operation;
    }
}

// The handler's own result: the user's refusal is no error.
TEST_F(CreationTest, HandleStampPlacedWithDeclinedRoomReservationGivesNoError) {
    p().host.SetTeamworkMode(true);
    const API_Guid a1 = p().Room("a1", "A");
    Headless::LabelDesc desc;
    desc.libInd = p().stampLibInd;
    desc.parent = a1;
    desc.reservation = Headless::Reservation::ThisUser; // placed by this user
    const API_Guid label = p().host.AddLabel(desc);
    p().user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {2});
    GSErrCode result = APIERR_GENERAL;
    bool stampLeftWrong = true;

    p().host.RunAddOnCall([&] { result = HandleStampPlaced(label, stampLeftWrong); });

    EXPECT_EQ(result, NoError);
    EXPECT_FALSE(stampLeftWrong);
    EXPECT_FALSE(p().Exists(label));
    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_ROOMS_NOT_RESERVED));
}

TEST_F(CreationTest, PlacementWithDeclinedRoomReservationLeavesNoStamp) {
    p().host.SetTeamworkMode(true);
    const API_Guid a1 = p().Room("a1", "A");
    p().user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {2});
    API_Guid placed;

    ASSERT_EQ(p().PlaceStamp(Clicked, a1, &placed), NoError);

    EXPECT_FALSE(p().Exists(placed));
    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_ROOMS_NOT_RESERVED));
    EXPECT_THAT(EventResults(p()), ::testing::Each(NoError));
}

} // namespace
