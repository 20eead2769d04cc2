#include <cmath>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "Report/Reference/ApartmentReference.hpp"
#include "Report/Reference/StampReference.hpp"

// The report's reference, run on projects laid out directly in a headless host with no add-on
// loaded: the expected values are written out by hand, so that a wrong rule shows as a failure.

namespace {

using Headless::Parameter;
using Headless::ParameterList;
using Report::Reference::StampDifference;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

std::vector<API_Coord> Rectangle(double width, double height) {
    return {{0, 0}, {width, 0}, {width, height}, {0, height}};
}

API_Guid AddZone(Headless::HeadlessHost& host, const std::string& name, API_AttributeIndex category,
                 double width, ParameterList parameters) {
    Headless::ZoneDesc desc;
    desc.name = name;
    desc.category = category;
    desc.polygon = Rectangle(width, 4);
    desc.parameters = std::move(parameters);
    std::string error;
    const API_Guid guid = host.AddZone(desc, &error);
    EXPECT_EQ(error, "");
    return guid;
}

ParameterList Id(const GS::UniString& id) {
    return {Parameter::Text("stApartmentId", id)};
}

std::vector<std::string> Names(const Headless::HeadlessHost& host, const std::vector<API_Guid>& guids) {
    std::vector<std::string> names;
    for (const API_Guid& guid : guids)
        names.push_back(host.GetElementName(guid));
    return names;
}

TEST(ApartmentReferenceTest, RoomsGroupByTheExactTextOfTheirFirstApartmentIdParameter) {
    Headless::HeadlessHost host;
    AddZone(host, "upper", 0, 1, Id("A1"));
    AddZone(host, "lower", 0, 1, Id("a1"));
    AddZone(host, "blank", 0, 1, Id(" A1"));
    AddZone(host, "second", 0, 1, Id("A1"));
    AddZone(host, "empty", 0, 1, Id(""));
    AddZone(host, "none", 0, 1, {Parameter::Text("otherId", "A1")});
    AddZone(host, "number", 0, 1, {Parameter::Real("stApartmentId", 1)});
    AddZone(host, "twice", 0, 1,
            {Parameter::Text("stApartmentId", "B"), Parameter::Text("stApartmentId", "A1")});
    const Report::Reference::Apartments apartments = Report::Reference::ComputeApartments(host);

    std::vector<std::pair<std::string, std::vector<std::string>>> grouped;
    for (const auto& [id, rooms] : apartments.apartments)
        grouped.emplace_back(id.ToUtf8(), Names(host, rooms));
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"A1", {"upper", "second"}},
        {"a1", {"lower"}},
        {" A1", {"blank"}},
        {"", {"empty"}},
        {"B", {"twice"}}};
    EXPECT_EQ(grouped, expected);
    EXPECT_EQ(Names(host, apartments.roomsWithoutId), (std::vector<std::string>{"none", "number"}));
}

TEST(ApartmentReferenceTest, AreasAgreeWithinTheToleranceAndNeverWithANaN) {
    struct Case {
        Headless::ZoneAreas areas; // a, b, c, d, e
        bool consistent;
    };
    const std::vector<Case> cases = {
        {{20, 20, 18, 18, 0}, true},       {{20, 20.00009, 18, 18, 0}, true},
        {{20, 20.0001, 18, 18, 0}, true},                               // rounds to just above the tolerance
        {{20, 20.0002, 18, 18, 0}, false}, {{19, 20, 18, 18, 1}, true}, // E makes up for A < B
        {{19, 20, 18, 18, 0}, false},      {{20, 20, 20.001, 18, 0}, false},
        {{20, 20, 18, 18.001, 0}, false},  {{NaN, 20, 18, 18, 0}, false},
        {{20, NaN, 18, 18, 0}, false},     {{20, 20, NaN, 18, 0}, false},
        {{20, 20, 18, NaN, 0}, false},     {{20, 20, 18, 18, NaN}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Report::Reference::AreAreasConsistent(c.areas), c.consistent)
            << c.areas.a << " " << c.areas.b << " " << c.areas.c << " " << c.areas.d << " " << c.areas.e;

    // The project's list keeps creation order and takes rooms with and without an ID alike.
    Headless::HeadlessHost host;
    Headless::ZoneDesc bad;
    bad.name = "bad";
    bad.polygon = Rectangle(2, 2);
    bad.areas.b = 5;
    host.AddZone(bad);
    AddZone(host, "good", 0, 1, Id("A1"));
    bad.name = "worse";
    bad.areas.b.reset();
    bad.areas.d = NaN;
    bad.parameters = Id("A1");
    host.AddZone(bad);
    EXPECT_EQ(Names(host, Report::Reference::ComputeApartments(host).inconsistentRooms),
              (std::vector<std::string>{"bad", "worse"}));
}

// Zone categories 1 LIV, 2 SLP, 3 deleted, 4 WET, 5 deleted; rooms of A1: living (1, 24 m²) and
// bath (4, 8 m²); hall of A2 (1, 12 m²); a wall.
class StampProject {
public:
    StampProject() {
        host.AddZoneCategory("LIV", "Living");
        host.AddZoneCategory("SLP", "Sleeping");
        host.AddZoneCategory("OLD", "Old");
        host.AddZoneCategory("WET", "Wet room");
        host.AddZoneCategory("GONE", "Gone");
        host.DeleteZoneCategory(3);
        host.DeleteZoneCategory(5);
        living = AddZone(host, "living", 1, 6, Id("A1"));
        bath = AddZone(host, "bath", 4, 2, Id("A1"));
        hall = AddZone(host, "hall", 1, 3, Id("A2"));
        Headless::WallDesc wallDesc;
        wallDesc.name = "wall";
        wallDesc.endC = {1, 0};
        wall = host.AddWall(wallDesc);
        Headless::LibPartDesc part;
        part.name = "Zarimark.gsm";
        stampPart = host.AddBuiltInLibraryPart(part, 31990);
        // An ordinary part of the same name is no stamp part.
        lookalikePart = host.AddLibraryPart(part);
    }

    // Every data parameter as the stamp of A1 linked to living and bath must hold it.
    static ParameterList CurrentParameters() {
        return {Parameter::Text("zm_apartmentId", "A1"),
                Parameter::Real("zm_version", 2),
                Parameter::NumberArray("zm_roomCats", 2, 1, {1, 4}),
                Parameter::NumberArray("zm_roomAreas", 1, 1, {7}),
                Parameter::NumberArray("zm_roomAreasInZari", 2, 4, {24, 24, 24, 24, 8, 8, 8, 8}),
                Parameter::NumberArray("zm_ZoneCatExists", 4, 1, {1, 1, 0, 1}),
                Parameter::TextArray("zm_ZoneCatCodes", 4, 1, {"LIV", "SLP", "", "WET"}),
                Parameter::TextArray("zm_ZoneCatNames", 4, 1, {"Living", "Sleeping", "", "Wet room"}),
                Parameter::NumberArray("zm_lines", 2, 1, {1, 4}),
                Parameter::TextArray("zm_lineTexts", 2, 1, {"Area", "Area"})};
    }

    API_Guid AddStamp(const ParameterList& parameters, const std::vector<API_Guid>& links,
                      bool builtIn = true) {
        Headless::LabelDesc desc;
        desc.name = "stamp";
        desc.libInd = builtIn ? stampPart : lookalikePart;
        desc.parameters = parameters;
        const API_Guid stamp = host.AddLabel(desc);
        for (const API_Guid& room : links) {
            EXPECT_TRUE(host.AddLink(stamp, room));
            EXPECT_TRUE(host.AddLink(room, stamp));
        }
        return stamp;
    }

    Headless::HeadlessHost host;
    API_Guid living, bath, hall, wall;
    Int32 stampPart = 0, lookalikePart = 0;
};

TEST(StampReferenceTest, ValuesFollowTheLinkedRoomsLessThoseGoneWithAPlaceholderForNone) {
    StampProject project;
    const API_Guid deleted = AddZone(project.host, "deleted", 2, 5, Id("A1"));
    ASSERT_EQ(project.host.DeleteElements({deleted}), NoError);
    struct Case {
        std::vector<API_Guid> links;
        std::vector<double> categories;
        std::vector<std::array<double, 4>> areas;
    };
    const std::vector<Case> cases = {
        {{project.bath, deleted, project.living}, {4, 1}, {{8, 8, 8, 8}, {24, 24, 24, 24}}},
        {{project.wall, project.hall}, {1}, {{12, 12, 12, 12}}},
        {{deleted}, {-1}, {{0, 0, 0, 0}}},
        {{}, {-1}, {{0, 0, 0, 0}}},
    };
    for (const Case& c : cases) {
        const Report::Reference::StampValues values =
            Report::Reference::ComputeStampValues(project.host, c.links);
        EXPECT_EQ(values.roomCategories, c.categories);
        EXPECT_EQ(values.roomAreas, c.areas);
        // The table runs to the highest category that exists, with gaps where one was deleted.
        EXPECT_EQ(values.categoryExists, (std::vector<double>{1, 1, 0, 1}));
        EXPECT_EQ(values.categoryCodes, (std::vector<GS::UniString>{"LIV", "SLP", "", "WET"}));
        EXPECT_EQ(values.categoryNames, (std::vector<GS::UniString>{"Living", "Sleeping", "", "Wet room"}));
    }
}

TEST(StampReferenceTest, AStampIsStaleByEachParameterAndLinkThatDiffers) {
    using Kind = StampDifference::Kind;
    struct Expected {
        Kind kind;
        std::string what; // parameter or room
    };
    struct Case {
        std::string name;
        std::function<void(ParameterList&, std::vector<API_Guid>&, const StampProject&)> change;
        std::vector<Expected> differences;
    };
    const auto set = [](ParameterList& parameters, const Parameter& value) {
        *Headless::FindParameter(parameters, value.GetName()) = value;
    };
    const std::vector<Case> cases = {
        {"as written", [](auto&, auto&, auto&) {}, {}},
        {"an old row",
         [&](ParameterList& p, auto&, auto&) {
             set(p, Parameter::NumberArray("zm_roomAreasInZari", 2, 4, {24, 24, 24, 24, 8, 8, 8, 7}));
         },
         {{Kind::Parameter, "zm_roomAreasInZari"}}},
        {"an old version",
         [&](ParameterList& p, auto&, auto&) { set(p, Parameter::Real("zm_version", 1)); },
         {{Kind::Parameter, "zm_version"}}},
        {"areas not cut to one",
         [&](ParameterList& p, auto&, auto&) {
             set(p, Parameter::NumberArray("zm_roomAreas", 2, 1, {7, 7}));
         },
         {{Kind::Parameter, "zm_roomAreas"}}},
        {"a code without its terminator",
         [&](ParameterList& p, auto&, auto&) {
             Parameter codes = Parameter::TextArray("zm_ZoneCatCodes", 4, 1, {"LIV", "SLP", "", "WET"});
             codes.arrayData.resize(codes.arrayData.size() - 2);
             set(p, codes);
         },
         {{Kind::Parameter, "zm_ZoneCatCodes"}}},
        {"other lines and an unwritable room array",
         [&](ParameterList& p, auto&, auto&) {
             set(p, Parameter::NumberArray("zm_lines", 1, 1, {2}));
             set(p, Parameter::TextArray("zm_roomCats", 1, 1, {"x"}));
         },
         {}},
        {"a room of its apartment not linked",
         [&](ParameterList& p, std::vector<API_Guid>& links, const StampProject& s) {
             links = {s.living};
             set(p, Parameter::NumberArray("zm_roomCats", 1, 1, {1}));
             set(p, Parameter::NumberArray("zm_roomAreasInZari", 1, 4, {24, 24, 24, 24}));
         },
         {{Kind::RoomNotLinked, "bath"}}},
        {"a room of another apartment linked",
         [&](ParameterList& p, std::vector<API_Guid>& links, const StampProject& s) {
             links.push_back(s.hall);
             set(p, Parameter::NumberArray("zm_roomCats", 3, 1, {1, 4, 1}));
             set(p, Parameter::NumberArray("zm_roomAreasInZari", 3, 4,
                                           {24, 24, 24, 24, 8, 8, 8, 8, 12, 12, 12, 12}));
         },
         {{Kind::ForeignRoomLinked, "hall"}}},
        {"no apartment ID",
         [&](ParameterList& p, auto&, auto&) { set(p, Parameter::Real("zm_apartmentId", 1)); },
         {{Kind::NoApartmentId, ""}, {Kind::ForeignRoomLinked, "living"}, {Kind::ForeignRoomLinked, "bath"}}},
    };
    for (const Case& c : cases) {
        StampProject project;
        ParameterList parameters = StampProject::CurrentParameters();
        std::vector<API_Guid> links = {project.living, project.bath};
        c.change(parameters, links, project);
        project.AddStamp(parameters, links);
        project.AddStamp(parameters, {}, false);
        const std::vector<Report::Reference::StampCheck> checks =
            Report::Reference::CheckStamps(project.host, Report::Reference::ComputeApartments(project.host));
        ASSERT_EQ(checks.size(), 1u) << c.name;
        std::vector<std::pair<Kind, std::string>> found;
        for (const StampDifference& difference : checks[0].differences) {
            const bool room =
                difference.kind == Kind::RoomNotLinked || difference.kind == Kind::ForeignRoomLinked;
            found.emplace_back(difference.kind,
                               room ? project.host.GetElementName(difference.room) : difference.parameter);
        }
        std::vector<std::pair<Kind, std::string>> expected;
        for (const Expected& e : c.differences)
            expected.emplace_back(e.kind, e.what);
        EXPECT_EQ(found, expected) << c.name;
        EXPECT_EQ(checks[0].IsCurrent(), c.differences.empty()) << c.name;
    }
}

TEST(StampReferenceTest, ADifferenceCarriesWhatTheParameterMustHoldAndHolds) {
    StampProject project;
    ParameterList parameters = StampProject::CurrentParameters();
    *Headless::FindParameter(parameters, "zm_roomCats") = Parameter::NumberArray("zm_roomCats", 1, 1, {1});
    const API_Guid stamp = project.AddStamp(parameters, {project.living, project.bath});
    const Report::Reference::StampCheck check = Report::Reference::CheckStamp(
        project.host, *project.host.FindElement(stamp), Report::Reference::ComputeApartments(project.host));
    ASSERT_EQ(check.differences.size(), 1u);
    EXPECT_EQ(check.differences[0].expected.GetDim1(), 2);
    EXPECT_EQ(check.differences[0].expected.GetNumbers(), (std::vector<double>{1, 4}));
    EXPECT_EQ(check.differences[0].found.GetNumbers(), (std::vector<double>{1}));
    EXPECT_EQ(check.mustShow, (std::vector<API_Guid>{project.living, project.bath}));
}

} // namespace
