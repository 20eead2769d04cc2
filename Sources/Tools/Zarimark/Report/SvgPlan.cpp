#include "Report/SvgPlan.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <sstream>

namespace Report {

namespace {

constexpr double Scale = 40.0; // SVG units per metre
constexpr double Margin = 40.0;
const char* const Colours[] = {"#8ecae6", "#ffb703", "#90be6d", "#f4a6c6",
                               "#b8a1e3", "#f9c74f", "#84a59d", "#f28482"};

std::string Escape(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

class Bounds {
public:
    void Add(const API_Coord& point) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y))
            return;
        minX_ = std::min(minX_, point.x);
        maxX_ = std::max(maxX_, point.x);
        minY_ = std::min(minY_, point.y);
        maxY_ = std::max(maxY_, point.y);
    }
    bool Empty() const { return minX_ > maxX_; }
    double X(double x) const { return Margin + (x - MinX()) * Scale; }
    double Y(double y) const { return Margin + (MaxY() - y) * Scale; }
    double Width() const { return 2 * Margin + (MaxX() - MinX()) * Scale; }
    double Height() const { return 2 * Margin + (MaxY() - MinY()) * Scale; }

private:
    double MinX() const { return Empty() ? 0.0 : minX_; }
    double MaxX() const { return Empty() ? 1.0 : maxX_; }
    double MinY() const { return Empty() ? 0.0 : minY_; }
    double MaxY() const { return Empty() ? 1.0 : maxY_; }

    double minX_ = std::numeric_limits<double>::max();
    double maxX_ = std::numeric_limits<double>::lowest();
    double minY_ = std::numeric_limits<double>::max();
    double maxY_ = std::numeric_limits<double>::lowest();
};

struct PlanData {
    std::vector<const Headless::ElementRecord*> zones, labels, walls;
    std::map<std::string, std::size_t> apartmentOfZone; // zone name -> apartment colour index
    std::set<std::string> listedRooms;                  // "number|name|story"
    std::set<std::string> listedStamps;                 // "story|apartment ID"
};

std::string Text(const char16_t* units) {
    return GS::UniString(units).ToUtf8();
}

PlanData Collect(const Headless::HeadlessHost& host, const Json& report, Int16 story, Bounds& bounds) {
    PlanData data;
    for (const API_Guid& guid : host.GetElements()) {
        const Headless::ElementRecord* record = host.FindElement(guid);
        if (record == nullptr || record->element.header.floorInd != story)
            continue;
        if (record->GetTypeId() == API_ZoneID) {
            data.zones.push_back(record);
            for (const API_Coord& point : record->polygon)
                bounds.Add(point);
            bounds.Add(record->element.zone.pos);
        } else if (record->GetTypeId() == API_LabelID) {
            data.labels.push_back(record);
            bounds.Add(record->element.label.midC);
            bounds.Add({record->element.label.midC.x + 3.2, record->element.label.midC.y - 2.5});
        } else {
            data.walls.push_back(record);
            bounds.Add(record->element.wall.begC);
            bounds.Add(record->element.wall.endC);
        }
    }
    std::size_t colour = 0;
    for (auto item = report["apartments"].begin(); item != report["apartments"].end(); ++item, ++colour) {
        for (const Json& room : item.value())
            data.apartmentOfZone[room.get<std::string>()] = colour;
    }
    for (const Json& row : report["palette"]["rooms"]) {
        if (row.size() >= 3)
            data.listedRooms.insert(row[0].get<std::string>() + "|" + row[1].get<std::string>() + "|" +
                                    row[2].get<std::string>());
    }
    for (const Json& row : report["palette"]["stamps"]) {
        if (row.size() >= 2)
            data.listedStamps.insert(row[0].get<std::string>() + "|" + row[1].get<std::string>());
    }
    return data;
}

void DrawZones(std::ostream& out, const PlanData& data, const Bounds& b) {
    for (const Headless::ElementRecord* zone : data.zones) {
        const auto apartment = data.apartmentOfZone.find(zone->name);
        const std::string fill = apartment != data.apartmentOfZone.end()
                                     ? Colours[apartment->second % (sizeof(Colours) / sizeof(*Colours))]
                                     : "#dddddd";
        const std::string number = Text(zone->element.zone.roomNoStr);
        const std::string name = Text(zone->element.zone.roomName);
        const bool listed = data.listedRooms.count(number + "|" + name + "|" +
                                                   std::to_string(zone->element.header.floorInd)) != 0;
        if (zone->polygon.size() >= 3) {
            out << "  <polygon points=\"";
            for (const API_Coord& point : zone->polygon)
                out << b.X(point.x) << "," << b.Y(point.y) << " ";
            out << "\" fill=\"" << fill << "\" stroke=\"" << (listed ? "#d00000" : "#333333")
                << "\" stroke-width=\"" << (listed ? 3 : 1) << "\""
                << (listed ? " stroke-dasharray=\"6 3\"" : "") << "/>\n";
        }
        const API_Coord& pos = zone->element.zone.pos;
        out << "  <text x=\"" << b.X(pos.x) << "\" y=\"" << b.Y(pos.y)
            << "\" font-size=\"11\" text-anchor=\"middle\">" << Escape(number) << "</text>\n";
        out << "  <text x=\"" << b.X(pos.x) << "\" y=\"" << b.Y(pos.y) + 13
            << "\" font-size=\"10\" text-anchor=\"middle\">" << Escape(name) << "</text>\n";
    }
}

void DrawLinks(std::ostream& out, const Headless::HeadlessHost& host, const PlanData& data, const Bounds& b) {
    for (const Headless::ElementRecord* label : data.labels) {
        for (const API_Guid& linked : label->links) {
            const Headless::ElementRecord* zone = host.FindElement(linked);
            if (zone == nullptr || zone->GetTypeId() != API_ZoneID ||
                zone->element.header.floorInd != label->element.header.floorInd)
                continue;
            out << "  <line x1=\"" << b.X(label->element.label.midC.x) << "\" y1=\""
                << b.Y(label->element.label.midC.y) << "\" x2=\"" << b.X(zone->element.zone.pos.x)
                << "\" y2=\"" << b.Y(zone->element.zone.pos.y)
                << "\" stroke=\"#555555\" stroke-width=\"0.5\"/>\n";
        }
    }
}

void DrawLabels(std::ostream& out, const Json& report, const PlanData& data, const Bounds& b) {
    for (const Headless::ElementRecord* label : data.labels) {
        const double x = b.X(label->element.label.midC.x);
        const double y = b.Y(label->element.label.midC.y);
        const Json& stamps = report["stamps"];
        if (!stamps.contains(label->name)) {
            out << "  <circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"3\" fill=\"#333333\"/>\n";
            out << "  <text x=\"" << x + 5 << "\" y=\"" << y << "\" font-size=\"9\">" << Escape(label->name)
                << "</text>\n";
            continue;
        }
        const Json& stamp = stamps[label->name];
        std::vector<std::string> lines{stamp["title"].get<std::string>()};
        for (const Json& line : stamp["lines"])
            lines.push_back(line.get<std::string>());
        lines.push_back(stamp["total"].get<std::string>());
        const std::string id =
            stamp["apartmentId"].is_string() ? stamp["apartmentId"].get<std::string>() : "";
        const bool listed =
            data.listedStamps.count(std::to_string(label->element.header.floorInd) + "|" + id) != 0;
        std::size_t width = 0;
        for (const std::string& line : lines)
            width = std::max(width, line.size());
        // The box hangs below its point, so that the number and name of the room there stay readable.
        out << "  <circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"2.5\" fill=\"#000000\"/>\n";
        const double boxX = x + 4;
        const double boxY = y + 20;
        out << "  <rect x=\"" << boxX << "\" y=\"" << boxY << "\" width=\""
            << 6.0 * static_cast<double>(width) + 10 << "\" height=\""
            << 13.0 * static_cast<double>(lines.size()) + 6
            << "\" fill=\"white\" fill-opacity=\"0.85\" stroke=\"" << (listed ? "#d00000" : "#000000")
            << "\" stroke-width=\"" << (listed ? 3 : 1) << "\"/>\n";
        for (std::size_t i = 0; i < lines.size(); ++i)
            out << "  <text x=\"" << boxX + 5 << "\" y=\"" << boxY + 13.0 * static_cast<double>(i + 1)
                << "\" font-size=\"10\"" << (i == 0 ? " font-weight=\"bold\"" : "") << ">" << Escape(lines[i])
                << "</text>\n";
    }
}

// One swatch per apartment along the top margin, in the add-on's order of apartments.
void DrawLegend(std::ostream& out, const Json& report) {
    double x = 10.0;
    std::size_t colour = 0;
    for (auto item = report["apartments"].begin(); item != report["apartments"].end(); ++item, ++colour) {
        out << "  <rect x=\"" << x << "\" y=\"8\" width=\"12\" height=\"12\" fill=\""
            << Colours[colour % (sizeof(Colours) / sizeof(*Colours))] << "\" stroke=\"#333333\"/>\n";
        out << "  <text x=\"" << x + 16 << "\" y=\"18\" font-size=\"11\">" << Escape("\"" + item.key() + "\"")
            << "</text>\n";
        x += 36.0 + 8.0 * static_cast<double>(item.key().size());
    }
}

} // namespace

std::string RenderSvgPlan(const Headless::HeadlessHost& host, const Json& report, Int16 story) {
    Bounds bounds;
    const PlanData data = Collect(host, report, story, bounds);
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << bounds.Width() << "\" height=\""
        << bounds.Height() << "\" font-family=\"sans-serif\">\n";
    out << "  <title>Story " << story << "</title>\n";
    out << "  <rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    DrawZones(out, data, bounds);
    for (const Headless::ElementRecord* wall : data.walls)
        out << "  <line x1=\"" << bounds.X(wall->element.wall.begC.x) << "\" y1=\""
            << bounds.Y(wall->element.wall.begC.y) << "\" x2=\"" << bounds.X(wall->element.wall.endC.x)
            << "\" y2=\"" << bounds.Y(wall->element.wall.endC.y)
            << "\" stroke=\"#000000\" stroke-width=\"4\"/>\n";
    DrawLinks(out, host, data, bounds);
    DrawLabels(out, report, data, bounds);
    DrawLegend(out, report);
    out << "</svg>\n";
    return out.str();
}

} // namespace Report
