#include "AddOn/ErrorCodes.hpp"
#include "LiveStampsSupport.hpp"
#include "ResourceIds.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

// What a room's creation, copy, change and deletion do to the stamps of its apartment, as the
// host reports them to the add-on.

namespace {

using Headless::Parameter;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Names = std::vector<std::string>;

class ZoneHandlers : public LiveStampsTest {
protected:
    // Every stamp the action rewrote shows exactly its linked rooms; the others were not touched.
    void ExpectRewritten(const std::vector<API_Guid>& stamps) {
        for (const API_Guid& stamp : stamps) {
            EXPECT_EQ(p().CallCount("HostChangeElement", p().Name(stamp)), 1) << p().Name(stamp);
            EXPECT_EQ(p().Rows(stamp), p().RowsOf(p().Element(stamp).links)) << p().Name(stamp);
        }
    }
    void ExpectNoStampWrites() { EXPECT_EQ(p().CallCount("HostChangeElement"), 0); }
};

struct NewZoneCase {
    const char* name;
    const char* apartmentId;
    Names zoneLinks; // of the new zone "z"
    std::vector<GSResID> alerts;
};

void PrintTo(const NewZoneCase& c, std::ostream* out) {
    *out << c.name;
}

const NewZoneCase NewZoneCases[] = {
    {"JoinsBothStampsOfItsApartment", "A", {"s1", "s2"}, {}},
    {"WithAnIdNoStampCarriesChangesNothing", "C", {}, {}},
    {"WithoutIdIsLinkedNowhereAndWarned", nullptr, {}, {ZM_ALERT_MISSING_APARTMENT_ID}},
};

class NewZone : public ZoneHandlers, public ::testing::WithParamInterface<NewZoneCase> {};

TEST_P(NewZone, LinksToTheStampsOfItsApartmentBothWays) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid s1 = p().Stamp("s1", "A", {a1});
    const API_Guid s2 = p().Stamp("s2", "A", {a1});
    const API_Guid sB = p().Stamp("sB", "B", {b1});
    const Headless::ParameterList sBBefore = p().Element(sB).parameters;
    API_Guid z;

    p().Act([&] { EXPECT_EQ(p().host.CreateZone(p().RoomDesc("z", GetParam().apartmentId), &z), NoError); });

    EXPECT_TRUE(p().Element(z).observed);
    EXPECT_EQ(p().LinkNames(z), GetParam().zoneLinks);
    for (const API_Guid& stamp : {s1, s2}) {
        if (GetParam().zoneLinks.empty()) {
            EXPECT_EQ(p().LinkNames(stamp), Names{"a1"});
        } else {
            EXPECT_EQ(p().LinkNames(stamp), (Names{"a1", "z"}));
            ExpectRewritten({stamp});
        }
    }
    if (GetParam().zoneLinks.empty())
        ExpectNoStampWrites();
    EXPECT_EQ(p().LinkNames(sB), Names{"b1"});
    ExpectSameParameters(sBBefore, p().Element(sB).parameters);
    EXPECT_EQ(p().AlertIds(), GetParam().alerts);
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), IsEmpty());
    EXPECT_THAT(p().Names(p().UserBatch().pendingCheckedRooms), ElementsAre("z"));
}

INSTANTIATE_TEST_SUITE_P(Cases, NewZone, ::testing::ValuesIn(NewZoneCases),
                         [](const ::testing::TestParamInfo<NewZoneCase>& info) { return info.param.name; });

TEST_F(ZoneHandlers, RoomsWithoutIdInOneActionWarnOnce) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid s = p().Stamp("s", "A", {a1});

    p().Act([&] {
        EXPECT_EQ(p().host.CreateZone(p().RoomDesc("z1", nullptr)), NoError);
        EXPECT_EQ(p().host.CreateZone(p().RoomDesc("z2", nullptr)), NoError);
    });

    EXPECT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_MISSING_APARTMENT_ID});
    EXPECT_EQ(p().LinkNames(s), Names{"a1"});
    EXPECT_EQ(p().CallCount("HostLinkElements"), 0);
    EXPECT_THAT(p().UserEventResults(), Each(NoError));
}

struct ZoneChangeCase {
    const char* name;
    const char* newId; // null: the parameter is taken away
    bool areasChange;
    Names stampALinks, stampBLinks, zoneLinks;
    Names rewritten;
    std::vector<GSResID> alerts;
};

void PrintTo(const ZoneChangeCase& c, std::ostream* out) {
    *out << c.name;
}

const ZoneChangeCase ZoneChangeCases[] = {
    {"IdChangedLeavesOldStampsForNewOnes", "B", false, {"a1"}, {"b1", "z"}, {"sB"}, {"sA", "sB"}, {}},
    {"IdRemovedLeavesItsStampsAndWarns",
     nullptr,
     false,
     {"a1"},
     {"b1"},
     {},
     {"sA"},
     {ZM_ALERT_MISSING_APARTMENT_ID}},
    {"AreasChangedRewritesItsStampsOnly", "A", true, {"a1", "z"}, {"b1"}, {"sA"}, {"sA"}, {}},
};

class ZoneChange : public ZoneHandlers, public ::testing::WithParamInterface<ZoneChangeCase> {};

TEST_P(ZoneChange, RelinksOnlyWhenTheApartmentChanged) {
    const ZoneChangeCase& c = GetParam();
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid z = p().Room("z", "A");
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid sA = p().Stamp("sA", "A", {a1, z});
    const API_Guid sB = p().Stamp("sB", "B", {b1});
    Headless::ZoneChange change;
    change.parameters = Headless::ParameterList{};
    if (c.newId != nullptr)
        change.parameters->push_back(Parameter::Text("stApartmentId", c.newId));
    if (c.areasChange)
        change.areas = Headless::ZoneAreaDesc{30.0, 29.0, 28.0, 27.0, 0.0};

    p().Act([&] { EXPECT_EQ(p().host.ChangeZone(z, change), NoError); });

    EXPECT_EQ(p().LinkNames(sA), c.stampALinks);
    EXPECT_EQ(p().LinkNames(sB), c.stampBLinks);
    EXPECT_EQ(p().LinkNames(z), c.zoneLinks);
    for (const API_Guid& stamp : {sA, sB}) {
        const bool rewritten =
            std::find(c.rewritten.begin(), c.rewritten.end(), p().Name(stamp)) != c.rewritten.end();
        if (rewritten)
            ExpectRewritten({stamp});
        else
            EXPECT_EQ(p().CallCount("HostChangeElement", p().Name(stamp)), 0) << p().Name(stamp);
    }
    if (c.areasChange) {
        EXPECT_EQ(p().CallCount("HostLinkElements"), 0);
        EXPECT_EQ(p().CallCount("HostUnlinkElements"), 0);
        EXPECT_EQ(p().Rows(sA)[1], (std::vector<double>{30, 29, 28, 27}));
    }
    EXPECT_EQ(p().AlertIds(), c.alerts);
    EXPECT_THAT(p().Names(p().UserBatch().pendingWrongStamps), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ZoneChange, ::testing::ValuesIn(ZoneChangeCases),
                         [](const ::testing::TestParamInfo<ZoneChangeCase>& info) {
                             return info.param.name;
                         });

struct DeletionCase {
    const char* name;
    std::vector<std::vector<const char*>> deletions; // one DeleteElements each, in one action
    bool stampGoneFirst;                             // the zone's handler finds its stamp deleted already
};

void PrintTo(const DeletionCase& c, std::ostream* out) {
    *out << c.name;
}

const DeletionCase DeletionCases[] = {
    {"InOneDeletion", {{"z", "sA"}}, true},
    {"StampThenZone", {{"sA"}, {"z"}}, true},
    {"ZoneThenStamp", {{"z"}, {"sA"}}, false},
};

class ZoneDeletedWithItsStamp : public ZoneHandlers, public ::testing::WithParamInterface<DeletionCase> {};

TEST_P(ZoneDeletedWithItsStamp, IsNoError) {
    const API_Guid z = p().Room("z", "A");
    const API_Guid sA = p().Stamp("sA", "A", {z});
    const API_Guid b1 = p().Room("b1", "B");
    const API_Guid sB = p().Stamp("sB", "B", {b1});

    p().Act([&] {
        for (const std::vector<const char*>& deletion : GetParam().deletions) {
            std::vector<API_Guid> guids;
            for (const char* name : deletion)
                guids.push_back(std::string(name) == "z" ? z : sA);
            EXPECT_EQ(p().host.DeleteElements(guids), NoError);
        }
    });

    EXPECT_FALSE(p().Exists(z));
    EXPECT_FALSE(p().Exists(sA));
    EXPECT_THAT(p().AlertIds(), IsEmpty());
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError, NoError));
    const EventBatch& batch = p().UserBatch();
    EXPECT_THAT(p().Names(batch.pendingClearedStamps), ElementsAre("sA"));
    EXPECT_THAT(p().Names(batch.pendingCheckedRooms), Contains("z"));
    EXPECT_THAT(p().Names(batch.pendingWrongStamps), IsEmpty());
    const std::vector<Headless::CallLogEntry>& log = p().host.GetCallLog();
    const bool stampFoundGone = std::any_of(log.begin(), log.end(), [](const Headless::CallLogEntry& entry) {
        return entry.operation == "HostGetElement" && entry.arguments == "sA" &&
               entry.result == APIERR_BADELEMENT;
    });
    EXPECT_EQ(stampFoundGone, GetParam().stampGoneFirst);
    EXPECT_EQ(p().LinkNames(sB), Names{"b1"});
    EXPECT_EQ(p().CallCount("HostChangeElement", "sB"), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZoneDeletedWithItsStamp, ::testing::ValuesIn(DeletionCases),
                         [](const ::testing::TestParamInfo<DeletionCase>& info) { return info.param.name; });

TEST_F(ZoneHandlers, DeletedZoneDropsOutOfItsStampsKeepingTheirLinks) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid z = p().Room("z", "A");
    const API_Guid sA = p().Stamp("sA", "A", {a1, z});

    p().Act([&] { EXPECT_EQ(p().host.DeleteElements({z}), NoError); });

    EXPECT_EQ(p().CallCount("HostUnlinkElements"), 0);
    EXPECT_EQ(p().CallCount("HostChangeElement", "sA"), 1);
    EXPECT_EQ(p().Rows(sA), p().RowsOf({a1}));
    EXPECT_THAT(p().AlertIds(), IsEmpty());
}

TEST_F(ZoneHandlers, CopiedZoneIsObservedAndJoinsEveryStampOfItsSource) {
    const API_Guid z = p().Room("z", "A");
    const API_Guid other = p().Room("other", "A");
    const API_Guid s1 = p().Stamp("s1", "A", {z});
    const API_Guid s2 = p().Stamp("s2", "A", {z, other});
    const API_Guid s3 = p().Stamp("s3", "A", {other});
    API_Guid copy;

    p().Act([&] { EXPECT_EQ(p().host.CopyElement(z, {5.0, 0.0}, "copy", &copy), NoError); });

    EXPECT_TRUE(p().Element(copy).observed);
    EXPECT_EQ(p().LinkNames(copy), (Names{"s1", "s2"}));
    EXPECT_EQ(p().LinkNames(s1), (Names{"z", "copy"}));
    EXPECT_EQ(p().LinkNames(s2), (Names{"z", "other", "copy"}));
    // The copy's own ID is not read: only the source's stamps count.
    EXPECT_EQ(p().LinkNames(s3), Names{"other"});
    ExpectRewritten({s1, s2});
    EXPECT_EQ(p().CallCount("HostChangeElement", "s3"), 0);
    EXPECT_THAT(p().AlertIds(), IsEmpty());
    EXPECT_THAT(p().UserEventResults(), ElementsAre(NoError));
}

TEST_F(ZoneHandlers, StampWithoutApartmentIdStopsANewZoneWithTheCodeShown) {
    const API_Guid a1 = p().Room("a1", "A");
    p().Stamp("sA", "A", {a1});
    p().Stamp("broken", nullptr, {});
    API_Guid z;

    p().Act([&] { EXPECT_EQ(p().host.CreateZone(p().RoomDesc("z", "A"), &z), NoError); });

    ASSERT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_EVENT_ERROR});
    EXPECT_NE(p().Alerts()[0].smallText.ToUtf8().find("Error Code: -2129788919\n"), std::string::npos)
        << p().Alerts()[0].smallText.ToUtf8();
    EXPECT_THAT(p().UserEventResults(), ElementsAre(ErrParameterNotFound));
    EXPECT_THAT(p().LinkNames(z), IsEmpty());
    EXPECT_EQ(p().CallCount("HostChangeElement"), 0);
}

TEST_F(ZoneHandlers, NewZoneWhoseIdCannotBeReadStopsWithTheHostCode) {
    const API_Guid a1 = p().Room("a1", "A");
    const API_Guid sA = p().Stamp("sA", "A", {a1});
    // The zone's own parameters are the first memo asked for.
    ASSERT_TRUE(p().host.InjectFault("HostGetElementMemo", 1, InjectedCode));
    API_Guid z;

    p().Act([&] { EXPECT_EQ(p().host.CreateZone(p().RoomDesc("z", "A"), &z), NoError); });

    ASSERT_EQ(p().AlertIds(), std::vector<GSResID>{ZM_ALERT_UNEXPECTED_EVENT_ERROR});
    EXPECT_NE(p().Alerts()[0].smallText.ToUtf8().find("Error Code: " + std::to_string(InjectedCode) + "\n"),
              std::string::npos);
    EXPECT_THAT(p().LinkNames(z), IsEmpty());
    EXPECT_EQ(p().LinkNames(sA), Names{"a1"});
}

} // namespace
