#include <algorithm>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/StampLibPart.hpp"
#include "AddOn/Zarimark/StampUpdate.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

namespace {

using Headless::Parameter;
using Headless::ParameterList;

// What a stamp had before its rooms changed: values no update would write.
Headless::LabelDesc StaleStamp(const std::string& name) {
    Headless::LabelDesc desc;
    desc.name = name;
    desc.parameters = {Parameter::Text("zm_apartmentId", "A1"),
                       Parameter::Real("zm_version", 1.0),
                       Parameter::NumberArray("zm_roomCats", 2, 1, {7, 8}),
                       Parameter::NumberArray("zm_roomAreas", 2, 2, {1, 2, 3, 4}),
                       Parameter::NumberArray("zm_roomAreasInZari", 2, 4, {9, 9, 9, 9, 8, 8, 8, 8}),
                       Parameter::NumberArray("zm_lines", 2, 1, {7, 8}),
                       Parameter::TextArray("zm_lineTexts", 2, 1, {"Living", "Bath"})};
    return desc;
}

Headless::ZoneDesc Named(const std::string& name) {
    Headless::ZoneDesc desc;
    desc.name = name;
    return desc;
}

std::vector<GS::UniString> Texts(std::initializer_list<const char*> texts) {
    return std::vector<GS::UniString>(texts.begin(), texts.end());
}

class StampUpdateTest : public StampTest {
protected:
    // Another label part declaring the stamp's parameters under the same names.
    Int32 AddLookalikePart() {
        Headless::LibPartDesc desc;
        desc.name = "Lookalike.gsm";
        desc.uniqueId = "{2E1E5C4A-0000-4000-8000-000000000001}-{2E1E5C4A-0000-4000-8000-000000000002}";
        desc.parameters = host.FindLibraryPart(stampLibInd)->desc.parameters;
        return host.AddLibraryPart(desc);
    }

    std::vector<std::string> CallsWithArguments() const {
        std::vector<std::string> calls;
        for (const Headless::CallLogEntry& entry : host.GetCallLog())
            calls.push_back(entry.operation + "(" + entry.arguments + ")");
        return calls;
    }
};

TEST_F(StampUpdateTest, StampWithoutRoomsGetsTheSinglePlaceholderRow) {
    const API_Guid stamp = AddStamp({}, 0, StaleStamp("stamp"));
    ASSERT_EQ(UpdateStamp(stamp), NoError);

    const Parameter& categories = Param(stamp, "zm_roomCats");
    EXPECT_EQ(categories.GetDim1(), 1);
    EXPECT_EQ(categories.GetDim2(), 1);
    EXPECT_EQ(categories.GetNumbers(), std::vector<double>{-1.0});
    const Parameter& areas = Param(stamp, "zm_roomAreasInZari");
    EXPECT_EQ(areas.GetDim1(), 1);
    EXPECT_EQ(areas.GetDim2(), 4);
    EXPECT_EQ(areas.GetNumbers(), std::vector<double>(4, 0.0));
    EXPECT_EQ(Param(stamp, "zm_version").GetReal(), 2.0);
}

TEST_F(StampUpdateTest, UpdateWritesTheRoomDataAndNothingElse) {
    host.AddZoneCategory("LIV", "Living");
    host.AddZoneCategory("BTH", "Bath");
    host.AddZoneCategory("BED", "Bedroom");
    ASSERT_TRUE(host.DeleteZoneCategory(2));
    const API_Guid bedroom = AddRoom(3, {20, 19, 18, 17, 1}, Named("bedroom"));
    const API_Guid living = AddRoom(1, {10, 10, 9, 9, 0}, Named("living"));
    const API_Guid stamp = AddStamp({bedroom, living}, 0, StaleStamp("stamp"));
    const Headless::ElementRecord before = Element(stamp);
    host.ClearCallLog();

    ASSERT_EQ(UpdateStamp(stamp), NoError);

    const Headless::ElementRecord& after = Element(stamp);
    EXPECT_EQ(Param(stamp, "zm_version").GetReal(), 2.0);
    EXPECT_EQ(Param(stamp, "zm_roomCats").GetNumbers(), (std::vector<double>{3, 1}));
    EXPECT_EQ(Param(stamp, "zm_roomCats").GetDim1(), 2);
    EXPECT_EQ(Param(stamp, "zm_roomAreasInZari").GetNumbers(),
              (std::vector<double>{20, 19, 18, 17, 10, 10, 9, 9}));
    EXPECT_EQ(Param(stamp, "zm_roomAreasInZari").GetDim1(), 2);
    EXPECT_EQ(Param(stamp, "zm_roomAreas").GetNumbers(), std::vector<double>{1.0});
    EXPECT_EQ(Param(stamp, "zm_ZoneCatExists").GetNumbers(), (std::vector<double>{1, 0, 1}));
    EXPECT_EQ(Param(stamp, "zm_ZoneCatCodes").GetTexts(), Texts({"LIV", "", "BED"}));
    EXPECT_EQ(Param(stamp, "zm_ZoneCatNames").GetTexts(), Texts({"Living", "", "Bedroom"}));
    ExpectSameParameters(before.parameters, after.parameters,
                         {"zm_version", "zm_roomCats", "zm_roomAreas", "zm_roomAreasInZari",
                          "zm_ZoneCatExists", "zm_ZoneCatCodes", "zm_ZoneCatNames"});

    // The element itself, its links and its observer stay as they were.
    EXPECT_EQ(after.element.label.libInd, stampLibInd);
    EXPECT_EQ(after.element.header.layer, before.element.header.layer);
    EXPECT_EQ(after.element.header.floorInd, before.element.header.floorInd);
    EXPECT_EQ(after.element.label.begC.x, 3.0);
    EXPECT_EQ(after.element.label.endC.y, 4.0);
    EXPECT_EQ(after.links, before.links);
    EXPECT_TRUE(after.observed);
    EXPECT_EQ(Links(bedroom), std::vector<API_Guid>{stamp});
    const std::vector<std::string> calls = CalledOperations();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "HostChangeElement"), 1);
    for (const char* untouched : {"HostLinkElements", "HostUnlinkElements", "HostDetachElementObserver",
                                  "HostAttachElementObserver", "HostCreateElement", "HostDeleteElements"})
        EXPECT_FALSE(Called(untouched)) << untouched;
}

TEST_F(StampUpdateTest, LinkedElementTheHostNoLongerKnowsIsSkippedAndStaysLinked) {
    const API_Guid unknown = AddRoom(1, {30, 30, 30, 30, 0});
    const API_Guid kept = AddRoom(2, {12, 11, 10, 9, 0});
    const API_Guid stamp = AddStamp({unknown, kept}, 0, StaleStamp("stamp"));
    // The stamp is read first, then each linked room.
    ASSERT_TRUE(host.InjectFault("HostGetElement", 2, APIERR_BADELEMENT));

    ASSERT_EQ(UpdateStamp(stamp), NoError);
    EXPECT_EQ(Param(stamp, "zm_roomCats").GetNumbers(), std::vector<double>{2});
    EXPECT_EQ(Param(stamp, "zm_roomAreasInZari").GetNumbers(), (std::vector<double>{12, 11, 10, 9}));
    // Updating never re-links: what is linked stays linked.
    EXPECT_EQ(Links(stamp), (std::vector<API_Guid>{unknown, kept}));
}

TEST_F(StampUpdateTest, ReplacedLabelLosesObserverAndLinksBothWays) {
    const API_Guid first = AddRoom(1, {10, 10, 10, 10, 0}, Named("first"));
    const API_Guid second = AddRoom(1, {10, 10, 10, 10, 0}, Named("second"));
    Headless::LabelDesc neighbourDesc;
    neighbourDesc.name = "neighbour";
    const API_Guid neighbour = AddStamp({first}, 0, neighbourDesc);
    const API_Guid stamp = AddStamp({first, second}, 0, StaleStamp("stamp"));
    ASSERT_EQ(host.ChangeLabelLibPart(stamp, AddLookalikePart()), NoError);
    const ParameterList parameters = Element(stamp).parameters;
    host.ClearCallLog();

    EXPECT_EQ(UpdateStamp(stamp), ErrStampLabelReplaced);

    EXPECT_FALSE(Element(stamp).observed);
    EXPECT_TRUE(Links(stamp).empty());
    EXPECT_EQ(Links(first), std::vector<API_Guid>{neighbour});
    EXPECT_TRUE(Links(second).empty());
    EXPECT_EQ(Links(neighbour), std::vector<API_Guid>{first});
    EXPECT_TRUE(Element(neighbour).observed);
    ExpectSameParameters(parameters, Element(stamp).parameters);
    const std::vector<std::string> expected = {"HostGetElement(stamp)",
                                               "HostGetElementLinks(stamp)",
                                               "HostGetLibPartUniqueId(31990)",
                                               "HostSearchLibraryPart({013BD535-32AB-49CE-AAD9-580F3229FDAC}-"
                                               "{BB8967E8-9C6F-4D84-B27D-99B27AFAB3BD})",
                                               "HostDetachElementObserver(stamp)",
                                               "HostUnlinkElements(first, stamp)",
                                               "HostUnlinkElements(stamp, first)",
                                               "HostUnlinkElements(second, stamp)",
                                               "HostUnlinkElements(stamp, second)"};
    EXPECT_EQ(CallsWithArguments(), expected);
}

TEST_F(StampUpdateTest, ReplacedLabelAgainGivesTheSameWithoutTouchingIt) {
    const API_Guid room = AddRoom(1, {10, 10, 10, 10, 0});
    const API_Guid stamp = AddStamp({room}, 0, StaleStamp("stamp"));
    ASSERT_EQ(host.ChangeLabelLibPart(stamp, AddLookalikePart()), NoError);
    ASSERT_EQ(UpdateStamp(stamp), ErrStampLabelReplaced);
    const Headless::ElementRecord released = Element(stamp);
    host.ClearCallLog();

    EXPECT_EQ(UpdateStamp(stamp), ErrStampLabelReplaced);

    for (const char* change : {"HostUnlinkElements", "HostLinkElements", "HostChangeElement",
                               "HostGetElementMemo", "HostAttachElementObserver"})
        EXPECT_FALSE(Called(change)) << change;
    EXPECT_FALSE(Element(stamp).observed);
    EXPECT_TRUE(Links(stamp).empty());
    ExpectSameParameters(released.parameters, Element(stamp).parameters);
}

TEST_F(StampUpdateTest, UnlinkingGoesOnWhateverTheHostAnswers) {
    const API_Guid first = AddRoom(1, {10, 10, 10, 10, 0});
    const API_Guid second = AddRoom(1, {10, 10, 10, 10, 0});
    const API_Guid stamp = AddStamp({first, second}, 0, StaleStamp("stamp"));
    ASSERT_EQ(host.ChangeLabelLibPart(stamp, AddLookalikePart()), NoError);
    ASSERT_TRUE(host.InjectFault("HostDetachElementObserver", 1, APIERR_GENERAL));
    ASSERT_TRUE(host.InjectFault("HostUnlinkElements", 1, APIERR_GENERAL));

    EXPECT_EQ(UpdateStamp(stamp), ErrStampLabelReplaced);
    // Only the first unlink failed; every later one was made.
    EXPECT_EQ(Links(first), std::vector<API_Guid>{stamp});
    EXPECT_TRUE(Links(second).empty());
    EXPECT_TRUE(Links(stamp).empty());
}

TEST_F(StampUpdateTest, LabelOfALookalikePartIsNoStamp) {
    const API_Guid room = AddRoom(1, {10, 10, 10, 10, 0});
    const Int32 lookalike = AddLookalikePart();
    const API_Guid label = AddStamp({room}, lookalike, StaleStamp("label"));
    const ParameterList parameters = Element(label).parameters;
    Int32 stampIndex = 0;
    ASSERT_EQ(FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &stampIndex), NoError);
    EXPECT_NE(stampIndex, lookalike);
    host.ClearCallLog();

    EXPECT_EQ(UpdateStamp(label), ErrStampLabelReplaced);
    EXPECT_FALSE(Called("HostGetElementMemo"));
    EXPECT_FALSE(Called("HostChangeElement"));
    ExpectSameParameters(parameters, Element(label).parameters);
}

TEST_F(StampUpdateTest, ElementThatIsNoLabelIsLeftAlone) {
    const API_Guid room = AddRoom(1, {10, 10, 10, 10, 0});
    const API_Guid stamp = AddStamp({room});
    host.ClearCallLog();

    EXPECT_EQ(UpdateStamp(room), APIERR_BADPARS);
    EXPECT_TRUE(Element(room).observed);
    EXPECT_EQ(Links(room), std::vector<API_Guid>{stamp});
    EXPECT_EQ(Links(stamp), std::vector<API_Guid>{room});
    EXPECT_EQ(CalledOperations(), std::vector<std::string>{"HostGetElement"});
}

TEST_F(StampUpdateTest, UnknownElementIsTheHostsError) {
    API_Guid unknown;
    unknown.time_low = 0xDEADBEEF;
    EXPECT_EQ(UpdateStamp(unknown), APIERR_BADELEMENT);
}

struct Refusal {
    const char* what;
    void (*arrange)(Headless::HeadlessHost& host, const API_Guid& stamp);
};

const Refusal Refusals[] = {
    {"locked", [](Headless::HeadlessHost& host, const API_Guid& stamp) { host.SetElementLock(stamp, 1); }},
    {"hidden_layer",
     [](Headless::HeadlessHost& host, const API_Guid&) { host.SetLayerFlags(1, APILay_Hidden); }},
    {"locked_layer",
     [](Headless::HeadlessHost& host, const API_Guid&) { host.SetLayerFlags(1, APILay_Locked); }},
    {"outside_workspace",
     [](Headless::HeadlessHost& host, const API_Guid& stamp) {
         host.SetTeamworkMode(true);
         host.SetReservation(stamp, Headless::Reservation::OtherMember);
     }},
    {"grouped",
     [](Headless::HeadlessHost& host, const API_Guid& stamp) {
         host.SetSuspendGroups(false);
         host.GroupElements({stamp});
     }},
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.what;
}

class RefusedStampUpdate : public StampUpdateTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedStampUpdate, IsNotEditableAndKeepsTheStamp) {
    const API_Guid room = AddRoom(1, {10, 10, 10, 10, 0});
    const API_Guid stamp = AddStamp({room}, 0, StaleStamp("stamp"));
    GetParam().arrange(host, stamp);
    const ParameterList parameters = Element(stamp).parameters;

    EXPECT_EQ(UpdateStamp(stamp), ErrStampNotEditable);
    ExpectSameParameters(parameters, Element(stamp).parameters);
    EXPECT_EQ(Links(stamp), std::vector<API_Guid>{room});
}

INSTANTIATE_TEST_SUITE_P(EveryCause, RefusedStampUpdate, ::testing::ValuesIn(Refusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) {
                             return std::string(info.param.what);
                         });

TEST_F(StampUpdateTest, EveryRefusalCodeBecomesNotEditableAndOtherCodesPass) {
    const API_Guid stamp = AddStamp({});
    const std::pair<GSErrCode, GSErrCode> answers[] = {
        {APIERR_LOCKEDELEM, ErrStampNotEditable},  {APIERR_LAYERHIDDEN, ErrStampNotEditable},
        {APIERR_LAYERLOCKED, ErrStampNotEditable}, {APIERR_NOTMINE, ErrStampNotEditable},
        {APIERR_GROUPED, ErrStampNotEditable},     {APIERR_BADELEMENT, APIERR_BADELEMENT},
        {APIERR_GENERAL, APIERR_GENERAL},
    };
    for (const auto& [hostCode, result] : answers) {
        SCOPED_TRACE(hostCode);
        ASSERT_TRUE(host.InjectFault("HostChangeElement", 1, hostCode));
        EXPECT_EQ(UpdateStamp(stamp), result);
        EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
    }
}

} // namespace
