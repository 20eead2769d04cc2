#include "RandomProject.hpp"

#include "RandomChoice.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace RandomUsers {

namespace {

struct Room {
    std::string id;
    int story = 0;
    std::optional<std::string> apartment;
    int category = 0;
    double a = 0, b = 0, c = 0, d = 0;
};

struct Categories {
    int highest = 0;
    std::vector<bool> exists; // index - 1
    Json json = Json::array();
};

Categories GenCategories() {
    static const char* const codes[] = {"LIV", "WET", "", "SLP", "STO"};
    static const char* const names[] = {"Living", "Wet room", "Sleeping", "Bedroom", "Storage"};
    Categories categories;
    categories.highest = Between(1, 5);
    for (int index = 1; index <= categories.highest; ++index) {
        // The highest one exists, so that the table's length is what the project says.
        const bool exists = index == categories.highest || !Chance(30);
        categories.exists.push_back(exists);
        if (exists)
            categories.json.push_back(
                {{"index", index}, {"code", codes[index - 1]}, {"name", names[index - 1]}});
    }
    return categories;
}

Json Rectangle(int x, int y, int width, int height) {
    return Json::array({{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}});
}

// Left out, the host takes them from the polygon; written, they agree or contradict each other.
Json GenAreas(double polygonArea, Room& room) {
    room.a = room.b = room.c = room.d = polygonArea;
    const int kind = Between(0, 9);
    if (kind < 5)
        return nullptr;
    if (kind < 8) {
        room.b = room.a - 0.5 * Between(0, 3);
        room.c = room.b - 0.5 * Between(0, 3);
        room.d = room.c - 0.5 * Between(0, 3);
        return {{"a", room.a}, {"b", room.b}, {"c", room.c}, {"d", room.d}, {"e", 0.5 * Between(0, 2)}};
    }
    room.b = room.a + 1 + 0.5 * Between(0, 3);
    room.c = Chance(50) ? room.b + 1 : room.b;
    room.d = room.c;
    return {{"a", room.a}, {"b", room.b}, {"c", room.c}, {"d", room.d}, {"e", 0}};
}

void AddState(Json& element, bool teamwork, int lockPercent) {
    if (Chance(lockPercent))
        element["locked"] = true;
    if (teamwork)
        element["reservation"] = OneOf<std::string>({"me", "me", "free", "other"});
}

Json GenRoom(int k, int stories, const Categories& categories, bool teamwork, Room& room) {
    static const char* const names[] = {"Living", "Bath", "Kitchen", "Bedroom", "Hall", "Store"};
    // The last choice leaves the room without apartment ID.
    static const std::vector<std::string> apartments = {"A1", "A1", "A2", "A2", "B", "", "-"};
    room.id = "r" + std::to_string(k + 1);
    room.story = Between(0, stories - 1);
    const std::string apartment = OneOf(apartments);
    if (apartment != "-")
        room.apartment = apartment;
    room.category = Between(1, categories.highest);
    const int width = Between(2, 5);
    const int height = Between(2, 5);
    const int x = (k % 4) * 6;
    const int y = (k / 4) * 6;
    Json zone = {{"type", "zone"},
                 {"id", room.id},
                 {"story", room.story},
                 {"layer", Chance(15) ? "Archive" : "Rooms"},
                 {"number", std::to_string(room.story + 1) + ".0" + std::to_string(k + 1)},
                 {"name", names[k % 6]},
                 {"category", room.category},
                 {"position", {x + width / 2.0, y + height / 2.0}},
                 {"polygon", Rectangle(x, y, width, height)}};
    const Json areas = GenAreas(width * height, room);
    if (!areas.is_null())
        zone["areas"] = areas;
    if (room.apartment)
        zone["apartmentId"] = *room.apartment;
    AddState(zone, teamwork, 10);
    return zone;
}

// What a stamp holds when it shows its apartment as it stands: the rows of its rooms (a
// placeholder row without any) and the project's category table.
Json StampParameters(const std::string& apartment, const std::vector<const Room*>& rooms,
                     const Categories& categories) {
    Json cats = Json::array();
    Json areas = Json::array();
    for (const Room* room : rooms) {
        cats.push_back(room->category);
        areas.push_back({room->a, room->b, room->c, room->d});
    }
    if (rooms.empty()) {
        cats.push_back(-1);
        areas.push_back({0, 0, 0, 0});
    }
    Json exists = Json::array();
    Json codes = Json::array();
    Json names = Json::array();
    for (const Json& category : categories.json) {
        while (static_cast<int>(exists.size()) + 1 < category["index"].get<int>()) {
            exists.push_back(0);
            codes.push_back("");
            names.push_back("");
        }
        exists.push_back(1);
        codes.push_back(category["code"]);
        names.push_back(category["name"]);
    }
    return {{"zm_apartmentId", apartment}, {"zm_roomCats", cats},      {"zm_roomAreasInZari", areas},
            {"zm_ZoneCatExists", exists},  {"zm_ZoneCatCodes", codes}, {"zm_ZoneCatNames", names},
            {"zm_lines", {cats.front()}},  {"zm_lineTexts", {"Area"}}};
}

Json GenStamp(int n, const std::string& apartment, const std::vector<const Room*>& rooms,
              const Categories& categories, bool teamwork) {
    Json links = Json::array();
    for (const Room* room : rooms)
        links.push_back(room->id);
    Json stamp = {{"type", "label"},
                  {"id", "s" + std::to_string(n)},
                  {"part", "Zarimark.gsm"},
                  {"layer", Chance(15) ? "Archive" : "Labels"},
                  {"position", {Between(0, 20), Between(14, 18)}},
                  {"links", links},
                  {"parameters", StampParameters(apartment, rooms, categories)}};
    AddState(stamp, teamwork, 10);
    return stamp;
}

Json GenLayers() {
    Json rooms = {{"name", "Rooms"}};
    Json labels = {{"name", "Labels"}};
    for (Json* layer : {&rooms, &labels}) {
        if (Chance(10))
            (*layer)["hidden"] = true;
        if (Chance(10))
            (*layer)["locked"] = true;
    }
    // Index 5 leaves a gap where layers were deleted.
    Json archive = {{"name", "Archive"}, {"index", 5}, {"hidden", Chance(50)}, {"locked", Chance(50)}};
    return Json::array({rooms, labels, archive});
}

Json GenLabelDefaults() {
    switch (Between(0, 9)) {
    case 7:
        return {{"part", "Zarimark.gsm"}, {"layer", "Labels"}, {"class", "text"}};
    case 8:
        return {{"part", "Room Label.gsm"}, {"layer", "Labels"}};
    case 9:
        return {{"part", "Zarimark.gsm"}, {"layer", 9}};
    default:
        return {{"part", "Zarimark.gsm"}, {"layer", "Labels"}};
    }
}

Json GenGroups(const Json& elements) {
    Json groups = Json::array();
    std::vector<std::string> ids;
    for (const Json& element : elements)
        ids.push_back(element["id"]);
    if (Chance(30))
        groups.push_back({"w1", OneOf(ids)});
    if (Chance(20)) {
        const std::string first = OneOf(ids);
        const std::string second = OneOf(ids);
        if (first != second && first != "w1" && second != "w1")
            groups.push_back({first, second});
    }
    return groups;
}

Json GenerateProject() {
    const int stories = Chance(40) ? 2 : 1;
    const bool teamwork = Chance(40);
    Json project;
    project["stories"] = {{{"index", 0}, {"name", "Ground Floor"}, {"level", 0}}};
    if (stories == 2)
        project["stories"].push_back({{"index", 1}, {"name", "First Floor"}, {"level", 3}});
    project["currentStory"] = stories == 2 && Chance(30) ? 1 : 0;
    project["layers"] = GenLayers();
    const Categories categories = GenCategories();
    project["zoneCategories"] = categories.json;
    project["libraryParts"] = {{{"name", "Room Label.gsm"}, {"parameters", {{"txt", ""}}}}};

    Json elements = Json::array();
    std::vector<Room> rooms(static_cast<std::size_t>(Between(2, 8)));
    std::vector<std::string> apartments; // in order of their first room
    for (std::size_t k = 0; k < rooms.size(); ++k) {
        elements.push_back(GenRoom(static_cast<int>(k), stories, categories, teamwork, rooms[k]));
        if (rooms[k].apartment &&
            std::find(apartments.begin(), apartments.end(), *rooms[k].apartment) == apartments.end())
            apartments.push_back(*rooms[k].apartment);
    }
    // An apartment whose rooms are all gone still has its stamp.
    if (Chance(10))
        apartments.push_back("Z");
    int stampCount = 0;
    for (const std::string& apartment : apartments) {
        std::vector<const Room*> members;
        for (const Room& room : rooms) {
            if (room.apartment == apartment)
                members.push_back(&room);
        }
        const int copies = Chance(60) ? (Chance(10) ? 2 : 1) : 0;
        for (int i = 0; i < copies; ++i)
            elements.push_back(GenStamp(++stampCount, apartment, members, categories, teamwork));
    }
    Json wall = {{"type", "wall"}, {"id", "w1"}, {"begin", {0, -1}}, {"end", {24, -1}}};
    AddState(wall, teamwork, 20);
    elements.push_back(wall);
    const Json groups = GenGroups(elements);
    project["elements"] = elements;
    project["groups"] = groups;
    project["teamwork"] = teamwork;
    project["suspendGroups"] = Chance(50);
    project["labelDefaults"] = GenLabelDefaults();
    // The missing-ID warning switched off, as a user who chose "Don't Show This Again".
    if (Chance(50))
        project["preferences"] = {
            {"version", 1}, {"bytes", {1, 0, 0, 0, 0, 0, 0, 0}}, {"platformSign", "WW"}};
    return project;
}

} // namespace

rc::Gen<Project> GenProject() {
    return rc::gen::exec([] { return Project{GenerateProject()}; });
}

void showValue(const Project& project, std::ostream& out) {
    out << project.json.dump();
}

} // namespace RandomUsers
