#include <algorithm>
#include <optional>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/StampCreation.hpp"
#include "StampCreationSupport.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// A parameter list of the caller's own, as CreateStampElement receives it.
class OwnMemo {
public:
    explicit OwnMemo(const Headless::ParameterList& parameters) {
        memo.params = reinterpret_cast<API_AddParType**>(Headless::EncodeParameters(parameters));
    }
    ~OwnMemo() {
        GSHandle handle = reinterpret_cast<GSHandle>(memo.params);
        Headless::FreeParameterHandle(&handle);
    }
    OwnMemo(const OwnMemo&) = delete;
    OwnMemo& operator=(const OwnMemo&) = delete;

    Headless::ParameterList Decode() const {
        return Headless::DecodeParameters(reinterpret_cast<GSConstHandle>(memo.params));
    }

    API_ElementMemo memo;
};

std::vector<GS::UniString> Uni(const std::vector<std::string>& texts) {
    std::vector<GS::UniString> result;
    for (const std::string& text : texts)
        result.emplace_back(text);
    return result;
}

struct LineCase {
    const char* name;
    std::vector<std::pair<API_AttributeIndex, double>> rooms; // category, area A to D
    std::optional<std::vector<double>> lines;                 // none: no zm_lines parameter
    std::vector<std::string> lineTexts;
    GSErrCode result;
    std::vector<double> expectedLines;
    std::vector<std::string> expectedTexts;
};

const LineCase lineCases[] = {
    {"AutomaticOnePerShownCategory",
     {{4, 12.0}, {4, 8.0}, {7, 5.0}},
     {{-2.0}},
     {"Wohnfläche"},
     NoError,
     {4.0, 7.0},
     {"Wohnfläche", "Wohnfläche"}},
    {"AutomaticInOrderOfFirstOccurrence",
     {{7, 5.0}, {4, 12.0}, {7, 3.0}},
     {{-2.0}},
     {"Area"},
     NoError,
     {7.0, 4.0},
     {"Area", "Area"}},
    {"AutomaticSkipsRoomsWithoutArea", {{4, 0.0}, {7, 5.0}}, {{-2.0}}, {"Area"}, NoError, {7.0}, {"Area"}},
    {"AutomaticWithTwoTextsRefused",
     {{4, 12.0}, {7, 5.0}},
     {{-2.0}},
     {"One", "Two"},
     ErrStampNotCreated,
     {},
     {}},
    {"FixedLinesUntouched",
     {{4, 12.0}, {7, 5.0}},
     {{1.0, 2.0}},
     {"One", "Two"},
     NoError,
     {1.0, 2.0},
     {"One", "Two"}},
    {"OtherSingleValueNotAutomatic", {{4, 12.0}}, {{-1.5}}, {"Area"}, NoError, {-1.5}, {"Area"}},
    {"MarkerFollowedByMoreLinesNotAutomatic",
     {{4, 12.0}},
     {{-2.0, 5.0}},
     {"A", "B", "C"},
     NoError,
     {-2.0, 5.0},
     {"A", "B", "C"}},
    {"AllAreasZeroGiveNoLine", {{4, 0.0}, {7, 0.0}}, {{-2.0}}, {"Area"}, NoError, {}, {}},
    {"NoRoomsGiveNoLine", {}, {{-2.0}}, {"Area"}, NoError, {}, {}},
    {"WithoutLinesParameterTextsExpanded",
     {{2, 12.0}, {3, 5.0}},
     std::nullopt,
     {"Area"},
     NoError,
     {},
     {"Area", "Area"}},
};

class CreateStampElementLines : public CreationTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(CreateStampElementLines, WritesLinesAndCreates) {
    const LineCase& c = GetParam();
    std::vector<API_AttributeIndex> categories;
    GS::Array<API_Guid> rooms;
    for (const auto& room : c.rooms) {
        rooms.Push(p().Room("room-" + std::to_string(rooms.GetSize() + 1),
                            RoomPlan{"A", room.first, SameAreas(room.second)}));
        categories.push_back(room.first);
    }
    Headless::ParameterList parameters = p().StampPartDefaults();
    if (c.lines) {
        *Headless::FindParameter(parameters, "zm_lines") =
            Headless::Parameter::NumberArray("zm_lines", static_cast<Int32>(c.lines->size()), 1, *c.lines);
    } else {
        parameters.erase(std::remove_if(parameters.begin(), parameters.end(),
                                        [](const Headless::Parameter& parameter) {
                                            return parameter.GetName() == "zm_lines";
                                        }),
                         parameters.end());
    }
    *Headless::FindParameter(parameters, "zm_lineTexts") = Headless::Parameter::TextArray(
        "zm_lineTexts", static_cast<Int32>(c.lineTexts.size()), 1, Uni(c.lineTexts));
    OwnMemo memo(parameters);
    API_Element element;
    element.header.type.typeID = API_LabelID;
    element.header.layer = 1;
    element.header.hasMemo = true;
    element.label.libInd = p().stampLibInd;
    p().ClearLogs();

    GSErrCode result = NoError;
    p().host.RunAddOnCall([&] { result = CreateStampElement("A", rooms, element, memo.memo); });

    ASSERT_EQ(result, c.result);
    if (result != NoError) {
        EXPECT_THAT(p().host.GetElements(API_LabelID), IsEmpty());
        EXPECT_EQ(p().CallCount("HostCreateElement"), 0);
        return;
    }
    ASSERT_TRUE(p().Exists(element.header.guid));
    const API_Guid stamp = element.header.guid;
    EXPECT_EQ(p().Param(stamp, "zm_apartmentId").GetText().ToUtf8(), "A");
    std::vector<double> roomCats(categories.begin(), categories.end());
    if (roomCats.empty())
        roomCats.push_back(-1.0);
    EXPECT_THAT(p().Numbers(stamp, "zm_roomCats"), ElementsAreArray(roomCats));
    EXPECT_EQ(p().Param(stamp, "zm_version").GetReal(), 2.0);
    if (c.lines) {
        const Headless::Parameter& lines = p().Param(stamp, "zm_lines");
        EXPECT_THAT(lines.GetNumbers(), ElementsAreArray(c.expectedLines));
        EXPECT_EQ(lines.GetDim1(), static_cast<Int32>(c.expectedLines.size()));
        EXPECT_EQ(lines.GetDim2(), 1);
        EXPECT_EQ(lines.arrayData.size(), 8 * c.expectedLines.size());
    } else {
        EXPECT_EQ(Headless::FindParameter(p().Element(stamp).parameters, "zm_lines"), nullptr);
    }
    const Headless::Parameter& texts = p().Param(stamp, "zm_lineTexts");
    EXPECT_THAT(p().Texts(stamp, "zm_lineTexts"), ElementsAreArray(c.expectedTexts));
    EXPECT_EQ(texts.GetDim1(), static_cast<Int32>(c.expectedTexts.size()));
    EXPECT_EQ(texts.GetDim2(), 1);
    std::size_t units = 0;
    for (const GS::UniString& text : Uni(c.expectedTexts))
        units += text.GetLength() + 1;
    EXPECT_EQ(texts.arrayData.size(), 2 * units);
    // The caller's memo holds what the stamp was made of.
    const Headless::ParameterList written = memo.Decode();
    ExpectSameParameters(p().Element(stamp).parameters, written);
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateStampElementLines, ::testing::ValuesIn(lineCases),
                         [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

struct IdCase {
    const char* name;
    std::string id;
    bool stored;
};

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

// U+1F600 takes two UTF-16 units: the limit counts units, not characters.
const IdCase idCases[] = {
    {"Ascii255Stored", Repeat("a", 255), true},
    {"Ascii256Refused", Repeat("a", 256), false},
    {"Surrogates255UnitsStored", Repeat("\xF0\x9F\x98\x80", 127) + "x", true},
    {"Surrogates256UnitsRefused", Repeat("\xF0\x9F\x98\x80", 128), false},
};

class CreateStampElementId : public CreationTest, public ::testing::WithParamInterface<IdCase> {};

TEST_P(CreateStampElementId, LongIdStoredWholeOrRefusedBeforeWriting) {
    const IdCase& c = GetParam();
    GS::Array<API_Guid> rooms;
    rooms.Push(p().Room("room-1", RoomPlan{"A", 4, SameAreas(12.0)}));
    const Headless::ParameterList parameters = p().StampPartDefaults();
    OwnMemo memo(parameters);
    API_Element element;
    element.header.type.typeID = API_LabelID;
    element.header.layer = 1;
    element.label.libInd = p().stampLibInd;
    const GS::UniString id(c.id);
    ASSERT_EQ(id.GetLength(), c.stored ? 255u : 256u);
    p().ClearLogs();

    GSErrCode result = NoError;
    p().host.RunAddOnCall([&] { result = CreateStampElement(id, rooms, element, memo.memo); });

    if (c.stored) {
        ASSERT_EQ(result, NoError);
        EXPECT_EQ(p().Param(element.header.guid, "zm_apartmentId").GetText(), id);
    } else {
        EXPECT_EQ(result, ErrStampNotCreated);
        EXPECT_THAT(p().host.GetElements(API_LabelID), IsEmpty());
        EXPECT_THAT(p().host.GetCallLog(), IsEmpty());
        ExpectSameParameters(parameters, memo.Decode());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateStampElementId, ::testing::ValuesIn(idCases),
                         [](const ::testing::TestParamInfo<IdCase>& info) { return info.param.name; });

TEST_F(CreationTest, CreateStampElementLinksEveryRoomBothWaysAndObserves) {
    const API_Guid r1 = p().Room("r1", RoomPlan{"A", 1});
    const API_Guid r2 = p().Room("r2", RoomPlan{"A", 2, {}, 1});
    const API_Guid r3 = p().Room("r3", RoomPlan{"A", 3});
    GS::Array<API_Guid> rooms;
    for (const API_Guid& room : {r1, r2, r3})
        rooms.Push(room);
    OwnMemo memo(p().StampPartDefaults());
    API_Element element;
    element.header.type.typeID = API_LabelID;
    element.header.layer = 1;
    element.label.libInd = p().stampLibInd;
    p().ClearLogs();

    GSErrCode result = APIERR_GENERAL;
    p().host.RunAddOnCall([&] { result = CreateStampElement("A", rooms, element, memo.memo); });

    ASSERT_EQ(result, NoError);
    const API_Guid stamp = element.header.guid;
    ASSERT_TRUE(p().Exists(stamp));
    EXPECT_TRUE(p().Element(stamp).observed);
    EXPECT_THAT(p().LinkNames(stamp), ElementsAre("r1", "r2", "r3"));
    for (const API_Guid& room : {r1, r2, r3})
        EXPECT_THAT(p().LinkNames(room), ElementsAre(p().Name(stamp)));
    // Room to stamp first, pair by pair; the echo of the new stamp links nothing more.
    std::vector<std::string> links;
    for (const Headless::CallLogEntry& entry : p().host.GetCallLog()) {
        if (entry.operation == "HostLinkElements")
            links.push_back(entry.arguments);
    }
    const std::string s = p().Name(stamp);
    EXPECT_THAT(links, ElementsAre("r1, " + s, s + ", r1", "r2, " + s, s + ", r2", "r3, " + s, s + ", r3"));
    EXPECT_THAT(p().UnpairedLinks(), IsEmpty());
    EXPECT_THAT(p().Alerts(), IsEmpty());
}

} // namespace
