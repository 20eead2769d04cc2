#include <algorithm>
#include <map>

#include "AddOn/CreateCommand.hpp"
#include "AddOn/ErrorCodes.hpp"
#include "GSRoot/ValueToStr.hpp"
#include "Host/HostCodes.hpp"
#include "ResourceIds.hpp"
#include "StampCreationSupport.hpp"

using namespace Zarimark;

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<API_Guid> NewStamps(const CreationProject& p, const std::vector<API_Guid>& before) {
    std::vector<API_Guid> made;
    for (const API_Guid& stamp : p.Stamps()) {
        if (std::find(before.begin(), before.end(), stamp) == before.end())
            made.push_back(stamp);
    }
    return made;
}

void ExpectAt(const CreationProject& p, const API_Guid& stamp, API_Coord position, Int16 story) {
    const API_Element& element = p.Element(stamp).element;
    EXPECT_EQ(element.header.floorInd, story);
    for (const API_Coord& point : {element.label.begC, element.label.midC, element.label.endC}) {
        EXPECT_EQ(point.x, position.x);
        EXPECT_EQ(point.y, position.y);
    }
}

// ---- Which apartments get a stamp ----

struct SelectionCase {
    const char* name;
    std::vector<std::string> selected;
    std::vector<std::string> stampIds; // of the new stamps, in creation order
};

const SelectionCase selectionCases[] = {
    {"NothingSelectedTakesCurrentStory", {}, {"A", "B"}},
    {"RoomOnOtherStoryTakesWholeApartment", {"b1"}, {"B"}},
    {"TwoRoomsOfOneApartmentGiveOneStamp", {"b2", "b1"}, {"B"}},
    {"ApartmentsInGroupingOrder", {"b1", "a1"}, {"A", "B"}},
    {"WallAndStampOnlyTakeCurrentStory", {"w1", "old"}, {"A", "B"}},
    {"ApartmentOnlyOnOtherStory", {"c1"}, {"C"}},
    {"RoomWithoutIdContributesNothing", {"x1"}, {}},
};

class CreateCommandSelection : public CreationTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(CreateCommandSelection, StampsWholeApartmentsOfCandidates) {
    const SelectionCase& c = GetParam();
    std::map<std::string, API_Guid> byName;
    byName["a1"] = p().Room("a1", RoomPlan{"A", 1});
    byName["b1"] = p().Room("b1", RoomPlan{"B", 2, {}, 1});
    byName["b2"] = p().Room("b2", RoomPlan{"B", 3});
    byName["c1"] = p().Room("c1", RoomPlan{"C", 4, {}, 1});
    byName["x1"] = p().Room("x1", RoomPlan{nullptr, 5});
    byName["w1"] = p().Wall("w1");
    byName["old"] = p().Stamp("old", "Z", {});
    const std::map<std::string, std::vector<std::string>> roomsOf = {
        {"A", {"a1"}}, {"B", {"b1", "b2"}}, {"C", {"c1"}}};
    std::vector<API_Guid> selection;
    for (const std::string& name : c.selected)
        selection.push_back(byName.at(name));
    p().host.SetSelection(selection);
    const std::vector<API_Guid> before = p().Stamps();

    EXPECT_EQ(p().CreateCommand(), NoError);

    const std::vector<API_Guid> made = NewStamps(p(), before);
    std::vector<std::string> ids;
    for (const API_Guid& stamp : made) {
        const std::string id = p().Param(stamp, "zm_apartmentId").GetText().ToUtf8();
        ids.push_back(id);
        EXPECT_THAT(p().LinkNames(stamp), ElementsAreArray(roomsOf.at(id))) << id;
        EXPECT_TRUE(p().Element(stamp).observed);
    }
    EXPECT_THAT(ids, ElementsAreArray(c.stampIds));
    EXPECT_THAT(p().LinkNames(byName["old"]), IsEmpty());
    EXPECT_THAT(p().UnpairedLinks(), IsEmpty());
    // Some zone lacks the ID: the command tells it (the new stamps' echo may tell it again).
    EXPECT_THAT(p().AlertIds(), Each(ZM_ALERT_MISSING_APARTMENT_ID));
    EXPECT_EQ(p().AlertIds().size(), made.empty() ? 1u : 2u);
    ASSERT_NE(p().LastUndoStep(), nullptr);
    EXPECT_EQ(p().LastUndoStep()->name.ToUtf8(), "Create Zarimark");
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateCommandSelection, ::testing::ValuesIn(selectionCases),
                         [](const ::testing::TestParamInfo<SelectionCase>& info) { return info.param.name; });

// ---- Where the stamp goes ----

struct AnchorCase {
    const char* name;
    std::vector<const char*> numbers; // rooms of the current story, in list order
    int anchor;                       // index among them; -1: no room there, the origin
};

const AnchorCase anchorCases[] = {
    {"LeastNumberEarlierWinsTies", {"", "1.05", "1.02", "1.02"}, 2},
    {"LaterEmptyNumberIsLeast", {"1.05", ""}, 1},
    {"EmptyNumberGivesWayToLaterRoom", {"", ""}, 1},
    {"NumbersCompareAsTexts", {"2", "10"}, 1},
    {"NoCaseFolding", {"B", "a"}, 0},
    {"NoRoomOnCurrentStory", {}, -1},
};

class CreateCommandAnchor : public CreationTest, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(CreateCommandAnchor, StampOnCurrentStoryAtAnchorRoom) {
    const AnchorCase& c = GetParam();
    // Story 1 is current; a lower number on story 0 must not place the stamp.
    ASSERT_TRUE(p().host.SetCurrentStory(1));
    p().Room("below", RoomPlan{"A", 1, {}, 0, "0"});
    std::vector<API_Guid> rooms;
    for (const char* number : c.numbers)
        rooms.push_back(p().Room("r" + std::to_string(rooms.size()), RoomPlan{"A", 1, {}, 1, number}));
    std::vector<API_Guid> selection = {p().host.GetElements(API_ZoneID).front()};
    p().host.SetSelection(selection);

    ASSERT_EQ(p().CreateCommand(), NoError);

    const API_Guid stamp = p().OnlyStampOf("A");
    ASSERT_NE(stamp, APINULLGuid);
    const API_Coord expected = c.anchor < 0 ? API_Coord() : p().Element(rooms[c.anchor]).element.zone.pos;
    ExpectAt(p(), stamp, expected, 1);
    EXPECT_EQ(p().Element(stamp).links.size(), rooms.size() + 1);
    EXPECT_THAT(p().Alerts(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateCommandAnchor, ::testing::ValuesIn(anchorCases),
                         [](const ::testing::TestParamInfo<AnchorCase>& info) { return info.param.name; });

// ---- The label tool's layer ----

struct LayerCase {
    const char* name;
    Int16 flags; // of the label tool's layer; -1: never existed, -2: deleted
    bool usable;
};

const LayerCase layerCases[] = {
    {"Hidden", APILay_Hidden, false},
    {"Locked", APILay_Locked, false},
    {"HiddenAndLocked", APILay_Hidden | APILay_Locked, false},
    {"Missing", -1, false},
    {"Deleted", -2, false},
    {"OtherFlagsOnly", 0x4, true},
};

class CreateCommandLayer : public CreationTest, public ::testing::WithParamInterface<LayerCase> {};

TEST_P(CreateCommandLayer, UnusableLabelLayerCreatesNothing) {
    const LayerCase& c = GetParam();
    const API_AttributeIndex layer =
        c.flags == -1 ? 99 : p().host.AddLayer("Labels", c.flags < 0 ? 0 : c.flags);
    if (c.flags == -2) {
        ASSERT_TRUE(p().host.DeleteLayer(layer));
    }
    p().SetLabelTool([&](API_Element& element, Headless::ParameterList&) { element.header.layer = layer; });
    const API_Guid room = p().Room("a1", "A");

    EXPECT_EQ(p().CreateCommand(), NoError);

    if (c.usable) {
        EXPECT_THAT(p().StampIds(), ElementsAre("A"));
        EXPECT_THAT(p().Alerts(), IsEmpty());
        return;
    }
    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_LABEL_LAYER_UNAVAILABLE));
    EXPECT_THAT(p().LinkNames(room), IsEmpty());
    EXPECT_EQ(p().CallCount("HostCreateElement"), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateCommandLayer, ::testing::ValuesIn(layerCases),
                         [](const ::testing::TestParamInfo<LayerCase>& info) { return info.param.name; });

// ---- Teamwork ----

TEST_F(CreationTest, CreateCommandDeclinedRoomReservationCreatesNothing) {
    p().host.SetTeamworkMode(true);
    const API_Guid room = p().Room("a1", "A");
    p().user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {2});

    EXPECT_EQ(p().CreateCommand(), NoError);

    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_THAT(p().LinkNames(room), IsEmpty());
    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_ROOMS_NOT_RESERVED));
    EXPECT_THAT(p().host.GetUndoSteps(), IsEmpty());
}

TEST_F(CreationTest, CreateCommandReservesRoomsWhenConfirmed) {
    p().host.SetTeamworkMode(true);
    p().Room("a1", "A");
    p().user.Answer(ZM_ALERT_ROOMS_NOT_RESERVED, {1});

    EXPECT_EQ(p().CreateCommand(), NoError);

    EXPECT_THAT(p().StampIds(), ElementsAre("A"));
    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_ROOMS_NOT_RESERVED));
}

// ---- Errors and undo ----

// A selected item whose type the host cannot tell is passed over; but when no zone is left, the
// command must not fall back to the whole story the user did not choose.
TEST_F(CreationTest, CreateCommandWithUntoldSelectionTypes) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid b1 = p().Room("b1", "B");
    p().host.SetSelection({a1, b1});
    p().host.InjectFault("HostNeigToElementType", 1, APIERR_GENERAL);

    EXPECT_EQ(p().CreateCommand(), NoError);
    EXPECT_THAT(p().StampIds(), ElementsAre("B"));

    p().host.SetSelection({b1});
    p().host.InjectFault("HostNeigToElementType", 1, APIERR_GENERAL);

    EXPECT_EQ(p().CreateCommand(), APIERR_GENERAL);
    EXPECT_THAT(p().StampIds(), ElementsAre("B"));
    EXPECT_EQ(p().AlertIds().back(), ZM_ALERT_UNEXPECTED_COMMAND_ERROR);
}

class CreateCommandHostError : public CreationTest, public ::testing::WithParamInterface<GSErrCode> {};

TEST_P(CreateCommandHostError, ShownWithNegativeDecimalCode) {
    const GSErrCode code = GetParam();
    p().Room("a1", "A");
    p().host.InjectFault("HostCreateElement", 1, code);

    EXPECT_EQ(p().CreateCommand(), code);

    ASSERT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_UNEXPECTED_COMMAND_ERROR));
    EXPECT_THAT(p().Alerts()[0].smallText.ToUtf8(),
                HasSubstr("Error Code: " + GS::valuetostr(code).ToUtf8()));
    ASSERT_NE(p().LastUndoStep(), nullptr);
    EXPECT_EQ(p().LastUndoStep()->name.ToUtf8(), "Create Zarimark");
    EXPECT_EQ(p().LastUndoStep()->result, code);
    EXPECT_THAT(p().Stamps(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Codes, CreateCommandHostError, ::testing::Values(APIERR_GENERAL, InjectedCode));

TEST(CreateCommandErrorText, HostCodeWrittenAsSignedDecimal) {
    EXPECT_EQ(GS::valuetostr(APIERR_GENERAL).ToUtf8(), "-2130313215");
}

TEST_F(CreationTest, CreateCommandFailingStepKeepsStampsMadeBefore) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid b1 = p().Room("b1", "B");
    p().host.InjectFault("HostCreateElement", 2, InjectedCode);

    EXPECT_EQ(p().CreateCommand(), InjectedCode);

    const API_Guid stamp = p().OnlyStampOf("A");
    EXPECT_THAT(p().StampIds(), ElementsAre("A"));
    EXPECT_THAT(p().LinkNames(a1), ElementsAre(p().Name(stamp)));
    EXPECT_THAT(p().LinkNames(b1), IsEmpty());
    EXPECT_THAT(p().AlertIds(), ElementsAre(ZM_ALERT_UNEXPECTED_COMMAND_ERROR));
}

TEST_F(CreationTest, UndoOfCreateCommandRemovesStampsAndLinks) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", RoomPlan{"A", 2, {}, 1});
    const API_Guid b1 = p().Room("b1", "B");
    const std::size_t elements = p().host.GetElements().size();
    ASSERT_EQ(p().CreateCommand(), NoError);
    ASSERT_THAT(p().StampIds(), ElementsAre("A", "B"));

    ASSERT_TRUE(p().host.Undo());

    EXPECT_THAT(p().Stamps(), IsEmpty());
    EXPECT_EQ(p().host.GetElements().size(), elements);
    for (const API_Guid& room : {a1, a2, b1})
        EXPECT_THAT(p().LinkNames(room), IsEmpty());
    EXPECT_TRUE(p().host.GetUndoSteps().back().undone);
}

// ---- Lines, label class and findings ----

class CreateCommandTemplate : public CreationTest, public ::testing::WithParamInterface<bool> {};

// Each apartment computes its lines from a template that must still hold the automatic marker.
TEST_P(CreateCommandTemplate, EveryApartmentGetsItsOwnLines) {
    const bool toolOnStampPart = GetParam();
    p().SetLabelTool([&](API_Element& element, Headless::ParameterList& parameters) {
        if (!toolOnStampPart) {
            element.label.libInd = 0;
            parameters.clear();
        } else {
            *Headless::FindParameter(parameters, "zm_lineTexts") =
                Headless::Parameter::TextArray("zm_lineTexts", 1, 1, {GS::UniString("Fläche")});
        }
    });
    const std::string text = toolOnStampPart ? "Fläche" : "Area";
    p().Room("a1", RoomPlan{"A", 1});
    p().Room("a2", RoomPlan{"A", 2});
    p().Room("b1", RoomPlan{"B", 3});
    p().Room("c1", RoomPlan{"C", 5, SameAreas(0.0)});

    ASSERT_EQ(p().CreateCommand(), NoError);

    const API_Guid a = p().OnlyStampOf("A");
    const API_Guid b = p().OnlyStampOf("B");
    const API_Guid c = p().OnlyStampOf("C");
    EXPECT_THAT(p().Numbers(a, "zm_lines"), ElementsAre(1.0, 2.0));
    EXPECT_THAT(p().Texts(a, "zm_lineTexts"), ElementsAre(text, text));
    EXPECT_THAT(p().Numbers(b, "zm_lines"), ElementsAre(3.0));
    EXPECT_THAT(p().Texts(b, "zm_lineTexts"), ElementsAre(text));
    EXPECT_THAT(p().Numbers(c, "zm_lines"), IsEmpty());
    EXPECT_EQ(p().Param(c, "zm_lines").GetDim1(), 0);
    EXPECT_THAT(p().Texts(c, "zm_lineTexts"), IsEmpty());
    EXPECT_THAT(p().Numbers(b, "zm_roomCats"), ElementsAre(3.0));
}

INSTANTIATE_TEST_SUITE_P(LabelTool, CreateCommandTemplate, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "OnStampPart" : "OnNoPart";
                         });

struct ClassCase {
    const char* name;
    Int32 labelClass;
    bool toolOnStampPart;
    Int16 expectedSymbolPen; // text pen 7, symbol pen 3
};

const ClassCase classCases[] = {
    {"TextLabelCarriesTextPen", APILblClass_Text, true, 7},
    {"TextLabelWithoutPartCarriesTextPen", APILblClass_Text, false, 7},
    {"SymbolLabelKeepsSymbolPen", APILblClass_Symbol, true, 3},
};

class CreateCommandLabelClass : public CreationTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(CreateCommandLabelClass, StampIsFreeSymbolLabelOfStampPart) {
    const ClassCase& c = GetParam();
    const API_Guid room = p().Room("a1", "A");
    p().SetLabelTool([&](API_Element& element, Headless::ParameterList& parameters) {
        if (!c.toolOnStampPart) {
            element.label.libInd = 0;
            parameters.clear();
        }
        element.label.labelClass = c.labelClass;
        element.label.textSettings.pen = 7;
        element.label.symbolSettings.pen = 3;
        element.label.framed = true;
        element.label.parent = room;
        element.label.parentType.typeID = API_ZoneID;
    });

    ASSERT_EQ(p().CreateCommand(), NoError);

    const API_Guid stamp = p().OnlyStampOf("A");
    ASSERT_NE(stamp, APINULLGuid);
    const API_LabelType& label = p().Element(stamp).element.label;
    EXPECT_EQ(label.labelClass, APILblClass_Symbol);
    EXPECT_EQ(label.symbolSettings.pen, c.expectedSymbolPen);
    EXPECT_EQ(label.textSettings.pen, 7);
    EXPECT_EQ(label.libInd, p().stampLibInd);
    EXPECT_FALSE(label.framed);
    EXPECT_EQ(label.parent, APINULLGuid);
    EXPECT_EQ(label.parentType.typeID, 0);
    EXPECT_TRUE(p().Element(stamp).element.header.hasMemo);
    EXPECT_THAT(p().Numbers(stamp, "zm_lines"), ElementsAre(1.0));
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateCommandLabelClass, ::testing::ValuesIn(classCases),
                         [](const ::testing::TestParamInfo<ClassCase>& info) { return info.param.name; });

TEST_F(CreationTest, CreateStampsForSelectionListsStampsOfInconsistentRooms) {
    p().Room("a1", "A");
    const API_Guid a2 = p().Room("a2", RoomPlan{"A", 2, InconsistentAreas()});
    p().Room("b1", "B");
    const API_Guid c1 = p().Room("c1", RoomPlan{"C", 3, InconsistentAreas()});
    GuidSet roomSet;
    GuidSet stampSet;
    GSErrCode result = APIERR_GENERAL;

    p().host.RunAddOnCall([&] { result = CreateStampsForSelection(roomSet, stampSet); });

    ASSERT_EQ(result, NoError);
    EXPECT_THAT(p().Names(stampSet),
                ElementsAre(p().Name(p().OnlyStampOf("A")), p().Name(p().OnlyStampOf("C"))));
    EXPECT_THAT(p().Names(roomSet), ElementsAre(p().Name(a2), p().Name(c1)));
    EXPECT_THAT(p().StampIds(), ElementsAre("A", "B", "C"));
}

} // namespace
