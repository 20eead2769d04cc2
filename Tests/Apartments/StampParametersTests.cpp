#include <cstring>

#include "AddOn/Zarimark/ParameterRecord.hpp"
#include "AddOn/Zarimark/StampParameters.hpp"
#include "ApartmentTestSupport.hpp"

using namespace Zarimark;

using Headless::Parameter;

namespace {

// The stamp's parameters as the library part declares them, with stale values.
Headless::ParameterList StampParameterList() {
    return {Parameter::Text("zm_apartmentId", "A1"),
            Parameter::Real("zm_version", 1.0),
            Parameter::NumberArray("zm_roomCats", 2, 1, {7, 8}),
            Parameter::NumberArray("zm_roomAreas", 2, 2, {1, 2, 3, 4}),
            Parameter::NumberArray("zm_roomAreasInZari", 1, 4, {9, 9, 9, 9}),
            Parameter::NumberArray("zm_ZoneCatExists", 1, 1, {1}, APIParT_Boolean),
            Parameter::TextArray("zm_ZoneCatCodes", 1, 1, {"old"}),
            Parameter::TextArray("zm_ZoneCatNames", 1, 1, {"old"}),
            Parameter::NumberArray("zm_lines", 1, 1, {-2}),
            Parameter::TextArray("zm_lineTexts", 1, 1, {"<area>"})};
}

const Parameter& Find(const Headless::ParameterList& list, const char* name) {
    const Parameter* found = Headless::FindParameter(list, name);
    EXPECT_NE(found, nullptr) << name;
    static const Parameter none;
    return found != nullptr ? *found : none;
}

std::vector<API_AttributeIndex> Members(const CategorySet& set) {
    return std::vector<API_AttributeIndex>(set.begin(), set.end());
}

bool SameParameter(const Parameter& a, const Parameter& b) {
    // Array data is compared by content; the handle field is the host's and may differ.
    API_AddParType left = a.record;
    API_AddParType right = b.record;
    if (a.IsArray())
        left.value.array = right.value.array = nullptr;
    return std::memcmp(&left, &right, sizeof(API_AddParType)) == 0 && a.arrayData == b.arrayData;
}

void ExpectUnchanged(const Headless::ParameterList& before, const Headless::ParameterList& after) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(SameParameter(before[i], after[i])) << before[i].GetName();
}

class StampParametersTest : public ApartmentTest {
protected:
    // Categories 1 to count, each with code "Cn" and name "Category n".
    void AddCategories(int count) {
        for (int i = 1; i <= count; ++i)
            host.AddZoneCategory(("C" + std::to_string(i)).c_str(), "Category " + std::to_string(i));
    }

    GSErrCode Fill(const std::vector<API_Guid>& rooms, const ParameterHandle& params) {
        return FillStampParameters(Rooms(rooms), params.Get(), shown);
    }

    CategorySet shown;
};

} // namespace

TEST_F(StampParametersTest, CategoryTableHasAPlaceForEveryIndexUpToTheHighest) {
    AddCategories(4);
    ASSERT_TRUE(host.DeleteZoneCategory(3));
    ParameterHandle params(StampParameterList());

    ASSERT_EQ(Fill({}, params), NoError);

    const Headless::ParameterList written = params.Decode();
    const Parameter& exists = Find(written, "zm_ZoneCatExists");
    EXPECT_EQ(exists.GetNumbers(), (std::vector<double>{1, 1, 0, 1}));
    EXPECT_EQ(exists.GetDim1(), 4);
    EXPECT_EQ(exists.GetDim2(), 1);
    const Parameter& codes = Find(written, "zm_ZoneCatCodes");
    EXPECT_EQ(codes.GetTexts(), (std::vector<GS::UniString>{"C1", "C2", "", "C4"}));
    EXPECT_EQ(codes.arrayData.size(), 2u * (3 + 3 + 1 + 3));
    EXPECT_EQ(codes.GetDim1(), 4);
    const Parameter& names = Find(written, "zm_ZoneCatNames");
    EXPECT_EQ(names.GetTexts(), (std::vector<GS::UniString>{"Category 1", "Category 2", "", "Category 4"}));
    EXPECT_EQ(names.GetDim2(), 1);
}

TEST_F(StampParametersTest, ProjectWithoutCategoriesGivesEmptyCategoryArrays) {
    ParameterHandle params(StampParameterList());

    ASSERT_EQ(Fill({}, params), NoError);

    const Headless::ParameterList written = params.Decode();
    for (const char* name : {"zm_ZoneCatExists", "zm_ZoneCatCodes", "zm_ZoneCatNames"}) {
        const Parameter& parameter = Find(written, name);
        EXPECT_EQ(parameter.GetDim1(), 0) << name;
        EXPECT_EQ(parameter.GetDim2(), 1) << name;
        EXPECT_TRUE(parameter.arrayData.empty()) << name;
    }
}

TEST_F(StampParametersTest, OneRowPerRoomAndCategoriesOfRoomsWithArea) {
    AddCategories(5);
    const API_Guid first = AddRoom("A1", {10, 11, 12, 13, 0}, 5);
    const API_Guid empty = AddRoom("A1", {0, 0, 0, 0, 0}, 3);
    const API_Guid third = AddRoom("A1", {20, 21, 22, 23, 0}, 2);
    ParameterHandle params(StampParameterList());
    shown = {4};

    ASSERT_EQ(Fill({first, empty, third}, params), NoError);

    const Headless::ParameterList written = params.Decode();
    const Parameter& cats = Find(written, "zm_roomCats");
    EXPECT_EQ(cats.GetNumbers(), (std::vector<double>{5, 3, 2}));
    EXPECT_EQ(cats.GetDim1(), 3);
    EXPECT_EQ(cats.GetDim2(), 1);
    const Parameter& rows = Find(written, "zm_roomAreasInZari");
    EXPECT_EQ(rows.GetNumbers(), (std::vector<double>{10, 11, 12, 13, 0, 0, 0, 0, 20, 21, 22, 23}));
    EXPECT_EQ(rows.GetDim1(), 3);
    EXPECT_EQ(rows.GetDim2(), 4);
    const Parameter& cut = Find(written, "zm_roomAreas");
    EXPECT_EQ(cut.GetNumbers(), std::vector<double>{1});
    EXPECT_EQ(cut.GetDim1(), 1);
    EXPECT_EQ(cut.GetDim2(), 1);
    EXPECT_EQ(Members(shown), (std::vector<API_AttributeIndex>{5, 2}));
}

TEST_F(StampParametersTest, AreaEAloneDoesNotShowTheCategory) {
    AddCategories(2);
    const API_Guid onlyE = AddRoom("A1", {0, 0, 0, 0, 7}, 1);
    const API_Guid real = AddRoom("A1", {0, 0, 0, 0.5, 0}, 2);
    ParameterHandle params(StampParameterList());

    ASSERT_EQ(Fill({onlyE, real}, params), NoError);

    EXPECT_EQ(Members(shown), std::vector<API_AttributeIndex>{2});
}

TEST_F(StampParametersTest, ApartmentWithoutRoomsGetsThePlaceholderRow) {
    const API_Guid gone = AddRoom("A1", {10, 10, 10, 10, 0}, 0);
    ASSERT_EQ(host.DeleteElements({gone}), NoError);
    ParameterHandle params(StampParameterList());
    shown = {3};

    ASSERT_EQ(Fill({gone}, params), NoError);

    const Headless::ParameterList written = params.Decode();
    EXPECT_EQ(Find(written, "zm_roomCats").GetNumbers(), std::vector<double>{-1});
    EXPECT_EQ(Find(written, "zm_roomAreasInZari").GetNumbers(), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(Find(written, "zm_roomAreasInZari").GetDim1(), 1);
    EXPECT_TRUE(shown.IsEmpty());
}

TEST_F(StampParametersTest, VersionIsAlwaysTwo) {
    Headless::ParameterList list = {Parameter::Real("zm_version", 3.0, APIParT_Integer)};
    list[0].record.dim1 = 5;
    ParameterHandle params(list);

    ASSERT_EQ(Fill({}, params), NoError);

    const Headless::ParameterList written = params.Decode();
    const Parameter& version = written[0];
    UInt64 bits = 0;
    std::memcpy(&bits, &version.record.value, sizeof(bits));
    EXPECT_EQ(bits, 0x4000000000000000ULL);
    EXPECT_EQ(version.GetType(), APIParT_Integer);
    EXPECT_EQ(version.GetDim1(), 5);
}

TEST_F(StampParametersTest, PerRoomNumbersGoOnlyIntoNumericArrays) {
    AddCategories(1);
    const API_Guid room = AddRoom("A1", {10, 10, 10, 10, 0}, 1);
    const Headless::ParameterList before = {
        Parameter::NumberArray("zm_roomCats", 2, 1, {7, 8}, APIParT_CString),
        Parameter::Real("zm_roomAreas", 4.0),
        Parameter::NumberArray("zm_roomAreasInZari", 1, 4, {9, 9, 9, 9}, APIParT_CString),
        Parameter::Text("zm_lineTexts", "untouched")};
    // The category table has no such test: a type-12 array still receives it.
    const Parameter exists = Parameter::NumberArray("zm_ZoneCatExists", 1, 1, {0}, APIParT_CString);
    Headless::ParameterList list = before;
    list.push_back(exists);
    ParameterHandle params(list);

    ASSERT_EQ(Fill({room}, params), NoError);

    Headless::ParameterList written = params.Decode();
    ASSERT_EQ(written.size(), before.size() + 1);
    EXPECT_EQ(written.back().GetNumbers(), std::vector<double>{1});
    written.pop_back();
    ExpectUnchanged(before, written);
}

TEST_F(StampParametersTest, ArrayWithoutDataGetsAFreshHandle) {
    AddCategories(2);
    const API_Guid room = AddRoom("A1", {10, 10, 10, 10, 0}, 2);
    ParameterHandle params(
        {Parameter::NumberArray("zm_roomCats", 0, 1, {}), Parameter::TextArray("zm_ZoneCatCodes", 0, 1, {})});
    for (UIndex i = 0; i < 2; ++i)
        BMKillHandle(&params.Record(i).value.array);

    ASSERT_EQ(Fill({room}, params), NoError);

    const Headless::ParameterList written = params.Decode();
    EXPECT_EQ(written[0].GetNumbers(), std::vector<double>{2});
    EXPECT_EQ(written[1].GetTexts(), (std::vector<GS::UniString>{"C1", "C2"}));
}

TEST_F(StampParametersTest, NothingIsWrittenWhenTheHostFails) {
    AddCategories(2);
    const API_Guid room = AddRoom("A1", {10, 10, 10, 10, 0}, 2);
    const Headless::ParameterList before = StampParameterList();
    ParameterHandle params(before);
    shown = {9};

    host.InjectFault("HostEnumerateAttributes", 1, APIERR_GENERAL);
    EXPECT_EQ(Fill({room}, params), APIERR_GENERAL);
    host.ClearFaults();
    host.InjectFault("HostGetAttribute", 2, APIERR_GENERAL);
    EXPECT_EQ(Fill({room}, params), APIERR_GENERAL);
    host.ClearFaults();
    host.InjectFault("HostGetElementQuantities", 1, APIERR_BADPARS);
    EXPECT_EQ(Fill({room}, params), APIERR_BADPARS);
    host.ClearFaults();
    host.InjectFault("HostGetElement", 1, APIERR_NOTMINE);
    EXPECT_EQ(Fill({room}, params), APIERR_NOTMINE);

    ExpectUnchanged(before, params.Decode());
    EXPECT_EQ(Members(shown), std::vector<API_AttributeIndex>{9});
}

TEST_F(StampParametersTest, MissingCategoriesAreTolerated) {
    AddCategories(3);
    ParameterHandle params(StampParameterList());

    host.InjectFault("HostGetAttribute", 1, APIERR_BADINDEX);
    ASSERT_EQ(Fill({}, params), NoError);
    EXPECT_EQ(Find(params.Decode(), "zm_ZoneCatExists").GetNumbers(), (std::vector<double>{0, 1, 1}));

    host.InjectFault("HostGetAttribute", 2, APIERR_BADELEMENT);
    ASSERT_EQ(Fill({}, params), NoError);
    EXPECT_EQ(Find(params.Decode(), "zm_ZoneCatCodes").GetTexts(),
              (std::vector<GS::UniString>{"C1", "", "C3"}));
}

TEST(ParameterRecordTest, TextsStayInsideTheirFields) {
    Parameter id = Parameter::Text("zm_apartmentId", "old");
    const std::u16string longest(API_UniLongNameLen - 1, u'x');

    EXPECT_FALSE(SetScalarText(id.record, GS::UniString(longest + u"x")));
    EXPECT_EQ(GetScalarText(id.record), GS::UniString("old"));
    EXPECT_TRUE(SetScalarText(id.record, GS::UniString(longest)));
    EXPECT_EQ(GetScalarText(id.record), GS::UniString(longest));

    ParameterHandle params({Parameter::TextArray("zm_lineTexts", 2, 1, {"one", "two"})});
    BMReallocHandle(params.Record(0).value.array, 2 * 6, REALLOC_MOVEABLE, 0); // cuts "two" after "tw"
    EXPECT_EQ(ReadTextArray(params.Record(0)), (GS::Array<GS::UniString>{"one", "tw"}));
}
