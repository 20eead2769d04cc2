#include "Report/TextReport.hpp"

#include <cstdio>
#include <sstream>
#include <vector>

namespace Report {

namespace {

// Whole numbers without a fraction, others with up to ten significant digits.
std::string NumberText(double value) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.10g", value);
    return text;
}

// A JSON value in one short line: texts in quotes, arrays in brackets.
std::string Inline(const Json& value) {
    if (value.is_string())
        return "\"" + value.get<std::string>() + "\"";
    if (value.is_null())
        return "none";
    if (value.is_number_float())
        return NumberText(value.get<double>());
    if (value.is_array()) {
        std::string text;
        for (const Json& item : value)
            text += (text.empty() ? "" : ", ") + Inline(item);
        return "[" + text + "]";
    }
    return value.dump();
}

std::string Join(const Json& values, const char* separator = ", ") {
    std::string text;
    for (const Json& value : values)
        text +=
            (text.empty() ? "" : separator) + (value.is_string() ? value.get<std::string>() : Inline(value));
    return text.empty() ? "-" : text;
}

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\t')
            escaped += "\\t";
        else
            escaped += c;
    }
    return escaped;
}

// A label's points: one when they coincide, as the add-on places its stamps.
std::string PointsText(const Json& e) {
    if (e["begin"] == e["middle"] && e["middle"] == e["end"])
        return "at " + Inline(e["middle"]);
    return "begin " + Inline(e["begin"]) + ", middle " + Inline(e["middle"]) + ", end " + Inline(e["end"]);
}

// "2 separator (10, 40) 270x2", several to a line.
std::vector<std::string> GeometryLines(const Json& items, std::size_t perLine) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t count = 0;
    for (const Json& item : items) {
        line += (line.empty() ? "" : ", ") + item["item"].dump() + " " + item["kind"].get<std::string>() +
                " (" + item["x"].dump() + ", " + item["y"].dump() + ") " + item["width"].dump() + "x" +
                item["height"].dump();
        if (++count % perLine == 0) {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// One line of the "add-on:" block: a kind of change and its items in call order.
struct ChangeLine {
    std::string kind;
    std::vector<std::string> items;
};

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (std::size_t at = text.find(", "); at != std::string::npos; at = text.find(", ", begin)) {
        parts.push_back(text.substr(begin, at - begin));
        begin = at + 2;
    }
    parts.push_back(text.substr(begin));
    return parts;
}

// The log's arguments, as the kind of change and the item it adds to that kind's line.
ChangeLine DescribeChange(const std::string& operation, const std::string& arguments) {
    const std::vector<std::string> parts = Split(arguments);
    if ((operation == "HostLinkElements" || operation == "HostUnlinkElements") && parts.size() == 2)
        return {operation == "HostLinkElements" ? "linked" : "unlinked", {parts[0] + " -> " + parts[1]}};
    if (operation == "HostChangeElement")
        return {"changed", {arguments}};
    if (operation == "HostCreateElement") // type, name
        return {"created", {parts.back()}};
    if (operation == "HostDeleteElements")
        return {"deleted", {arguments}};
    if (operation == "HostAttachElementObserver") // element, flags
        return {"observer attached", {parts.front()}};
    if (operation == "HostDetachElementObserver")
        return {"observer detached", {arguments}};
    if (operation == "HostModifyAttribute" && parts.size() == 3 && parts[0] == "1") // type, index, flags
        return {"layer flags set", {"layer " + parts[1] + " = " + parts[2]}};
    if (operation == "HostApplyElementTool") { // 'CODE', elements...
        const std::string elements =
            arguments.size() > parts[0].size() ? arguments.substr(parts[0].size() + 2) : "";
        if (parts[0] == "'LOCK'")
            return {"locked", {elements}};
        if (parts[0] == "'ULCK'")
            return {"unlocked", {elements}};
        if (parts[0] == "'SUSP'")
            return {"group suspension switched", {}};
    }
    if (operation == "HostSetLayerCombination")
        return {"layer combination set", {arguments}};
    if (operation == "HostReserveElements")
        return {"reserved", {arguments}};
    if (operation == "HostSetPreferences" && parts.size() == 2) // version, bytes
        return {"preferences written", {"version " + parts[0] + ", " + parts[1] + " bytes"}};
    return {operation, {arguments}};
}

// One line per kind, kinds in the order they first came; calls whose items hold commas are
// kept apart by semicolons.
std::vector<std::string> ChangeLines(const Json& changes) {
    std::vector<ChangeLine> lines;
    std::vector<int> counts;
    for (const Json& change : changes) {
        ChangeLine described =
            DescribeChange(change["operation"].get<std::string>(), change["arguments"].get<std::string>());
        std::size_t i = 0;
        while (i < lines.size() && lines[i].kind != described.kind)
            ++i;
        if (i == lines.size()) {
            lines.push_back({described.kind, {}});
            counts.push_back(0);
        }
        lines[i].items.insert(lines[i].items.end(), described.items.begin(), described.items.end());
        ++counts[i];
    }
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bool commas = false;
        for (const std::string& item : lines[i].items)
            commas = commas || item.find(", ") != std::string::npos;
        std::string items;
        for (const std::string& item : lines[i].items)
            items += (items.empty() ? "" : commas ? "; " : ", ") + item;
        std::string text = lines[i].kind;
        if (!items.empty())
            text += " " + items;
        else if (counts[i] > 1)
            text += " (" + std::to_string(counts[i]) + " times)";
        texts.push_back(text);
    }
    return texts;
}

class Writer {
public:
    explicit Writer(const Json& report) : report_(report) {}
    std::string Render();
    // Everything below the title line.
    std::string RenderBody();

private:
    void Section(const std::string& title) { out_ << "\n== " << title << "\n"; }
    void Registrations();
    void Steps();
    std::vector<std::string> MetByUser(const Json& step) const;
    void Elements();
    void Layers();
    void LabelDefaults();
    void Groups();
    void Stamps();
    void StampStatus();
    void Apartments();
    void Palette();
    void Alert(const Json& alert);
    void Dialog(const Json& dialog);
    void AlertsAndDialogs();
    void Others();

    const Json& report_;
    std::ostringstream out_;
};

void Writer::Registrations() {
    const Json& r = report_["registrations"];
    out_ << "Add-on: " << r["name"].get<std::string>() << " (" << r["module"].get<std::string>() << ")\n";
    out_ << "  " << Escaped(r["description"].get<std::string>()) << "\n";
    for (const Json& menu : r["menus"])
        out_ << "  menu " << menu["id"] << " \"" << menu["item"].get<std::string>() << "\" at position "
             << menu["position"] << ", flags " << menu["flags"]
             << (menu["handler"].get<bool>() ? "" : ", no handler") << "\n";
    for (const Json& window : r["windows"])
        out_ << "  palette " << window["guid"].get<std::string>() << " (reference "
             << window["referenceId"].get<std::string>() << ")\n";
    out_ << "  element observer " << (r["elementObserver"].get<bool>() ? "installed" : "not installed")
         << "; new elements of types " << Join(r["newElementTypes"]) << "; project events mask "
         << r["projectEventMask"] << "\n";
    std::string parts;
    for (const Json& part : r["libraryParts"])
        parts += (parts.empty() ? "" : ", ") + part["name"].get<std::string>() +
                 (part["builtIn"].get<bool>() ? " (built-in)" : "");
    out_ << "  library parts: " << (parts.empty() ? "-" : parts) << "\n";
}

void Writer::Steps() {
    Section("Steps");
    if (report_["steps"].empty())
        out_ << "(none)\n";
    for (const Json& step : report_["steps"]) {
        out_ << "[" << step["step"] << "] " << step["action"].get<std::string>();
        if (step.contains("note"))
            out_ << "  -- " << step["note"].get<std::string>();
        out_ << "\n    result " << CodeText(step["result"].get<GSErrCode>()) << "\n";
        for (const Json& batch : step["batches"]) {
            std::string events;
            for (const Json& event : batch["events"]) {
                events += (events.empty() ? "" : ", ") + std::to_string(event["code"].get<int>()) + " " +
                          event["type"].get<std::string>() + " " + event["element"].get<std::string>();
                if (event["result"].get<GSErrCode>() != NoError)
                    events += " -> " + CodeText(event["result"].get<GSErrCode>());
            }
            out_ << "    batch (" << batch["origin"].get<std::string>()
                 << "): " << (events.empty() ? "-" : events) << "\n";
        }
        const std::vector<std::string> changes = ChangeLines(step["changes"]);
        if (!changes.empty())
            out_ << "    add-on:\n";
        for (const std::string& line : changes)
            out_ << "      " << line << "\n";
        if (step.contains("calls"))
            out_ << "    calls:" << (step["calls"].empty() ? " none" : "") << "\n";
        for (const Json& call : step.value("calls", Json::array()))
            out_ << "      " << call["operation"].get<std::string>() << "("
                 << call["arguments"].get<std::string>() << ") -> "
                 << CodeText(call["result"].get<GSErrCode>())
                 << (call["injected"].get<bool>() ? " (injected)" : "") << "\n";
        for (const std::string& line : MetByUser(step))
            out_ << "    " << line << "\n";
        for (const Json& line : step["debugLines"])
            out_ << "    debug: " << Escaped(line.get<std::string>()) << "\n";
        for (const Json& note : step["notes"])
            out_ << "    note: " << note.get<std::string>() << "\n";
        for (const Json& unused : step["unusedAnswers"])
            out_ << "    unused answer: " << unused.get<std::string>() << "\n";
    }
}

// The alerts and dialogs of one step, one line each, in the order the user met them.
std::vector<std::string> Writer::MetByUser(const Json& step) const {
    std::vector<std::string> lines;
    for (const Json& item : step.value("ui", Json::array())) {
        std::string line;
        if (item["type"] == "alert") {
            line = item["id"].get<int>() != 0 ? "alert " + item["id"].dump() : "alert";
            line += ": " + Escaped(item["text"].get<std::string>()) + " -> " +
                    item["answerButton"].get<std::string>() +
                    (item["answered"].get<bool>() ? "" : " (no prepared answer)");
        } else {
            line = "dialog " + item["id"].dump() + " \"" + item["title"].get<std::string>() + "\": ";
            if (item.contains("done") && !item["done"].empty())
                line += Join(item["done"], "; ") + " -> ";
            line += item["ended"].get<std::string>();
            if (item.contains("answered") && !item["answered"].get<bool>())
                line += " (no prepared answer)";
        }
        lines.push_back(line + (item["during"] == "echo" ? " (during echo)" : ""));
    }
    return lines;
}

void Writer::Elements() {
    Section("Elements");
    for (auto item = report_["elements"].begin(); item != report_["elements"].end(); ++item) {
        const Json& e = item.value();
        const std::string type = e["type"].get<std::string>();
        out_ << item.key() << "  " << type << ", story " << e["story"] << ", layer "
             << e["layer"].get<std::string>();
        if (type == "zone") {
            out_ << ", " << Inline(e["number"]) << " " << Inline(e["name"]) << ", category " << e["category"]
                 << ", apartment " << Inline(e["apartmentId"]);
            const Json& a = e["areas"];
            out_ << "\n    areas A " << Inline(a["a"]) << ", B " << Inline(a["b"]) << ", C " << Inline(a["c"])
                 << ", D " << Inline(a["d"]) << ", E " << Inline(a["e"]);
        } else if (type != "wall") {
            out_ << ", part " << Inline(e["part"]) << " " << PointsText(e);
            if (!e["parent"].is_null())
                out_ << ", on " << e["parent"].get<std::string>();
        }
        out_ << "\n    links " << Join(e["links"]);
        std::string flags;
        if (e["observed"].get<bool>())
            flags += " observed";
        if (e["locked"].get<bool>())
            flags += " locked";
        if (e["grouped"].get<bool>())
            flags += " grouped";
        if (e["reservation"].get<std::string>() != "free")
            flags += " reserved-by-" + e["reservation"].get<std::string>();
        out_ << (flags.empty() ? "" : ";" + flags) << "\n";
    }
}

void Writer::Layers() {
    Section("Layers");
    for (const Json& layer : report_["layers"]) {
        out_ << layer["index"] << " \"" << layer["name"].get<std::string>() << "\"";
        std::string flags;
        if (layer["hidden"].get<bool>())
            flags += ", hidden";
        if (layer["locked"].get<bool>())
            flags += ", locked";
        out_ << (flags.empty() ? "" : flags.substr(1)) << "\n";
    }
    if (report_["layers"].empty())
        out_ << "(none)\n";
    Section("Layer combination");
    const Json& combination = report_["layerCombination"];
    if (combination.is_null())
        out_ << "(none)\n";
    else
        out_ << "\"" << combination["name"].get<std::string>() << "\" (" << combination["index"] << ")\n";
}

void Writer::LabelDefaults() {
    Section("Label defaults");
    const Json& d = report_["labelDefaults"];
    out_ << "part " << Inline(d["part"]) << ", layer " << d["layerIndex"] << " "
         << (d["layer"].is_null() ? "(no such layer)" : Inline(d["layer"])) << ", class "
         << d["class"].get<std::string>() << "\n";
    for (auto parameter = d["parameters"].begin(); parameter != d["parameters"].end(); ++parameter)
        out_ << "    " << parameter.key() << " = " << Inline(parameter.value()) << "\n";
}

void Writer::Groups() {
    Section("Groups");
    for (const Json& group : report_["groups"])
        out_ << Join(group) << "\n";
    if (report_["groups"].empty())
        out_ << "(none)\n";
}

void Writer::Stamps() {
    Section("Stamps");
    if (report_["stamps"].empty())
        out_ << "(none)\n";
    for (auto item = report_["stamps"].begin(); item != report_["stamps"].end(); ++item) {
        const Json& s = item.value();
        out_ << item.key() << "  apartment " << Inline(s["apartmentId"]) << ", story " << s["story"]
             << ", layer " << s["layer"].get<std::string>() << ", " << PointsText(s);
        if (!s["createdInStep"].is_null())
            out_ << "; created in step [" << s["createdInStep"] << "]";
        out_ << "\n";
        out_ << "    rooms " << Join(s["rooms"]) << "\n";
        out_ << "    shows: " << s["title"].get<std::string>() << "\n";
        for (const Json& line : s["lines"])
            out_ << "      " << line.get<std::string>() << "\n";
        out_ << "      " << s["total"].get<std::string>() << "\n";
        for (auto parameter = s["parameters"].begin(); parameter != s["parameters"].end(); ++parameter)
            out_ << "    " << parameter.key() << " = " << Inline(parameter.value()) << "\n";
    }
}

// What each stamp shows against what it must show; a silently stale stamp stands out.
void Writer::StampStatus() {
    Section("Stamp status");
    const Json& all = report_["stampStatus"];
    if (all.empty())
        out_ << "(none)\n";
    for (auto item = all.begin(); item != all.end(); ++item) {
        const Json& s = item.value();
        out_ << item.key() << "  ";
        if (s["status"] == "current") {
            out_ << "current\n";
            continue;
        }
        const std::string since =
            s["staleSince"].is_string() ? "the start" : "step [" + s["staleSince"].dump() + "]";
        if (s["silentlyStale"].get<bool>()) {
            out_ << "SILENTLY STALE since " << since
                 << ": not listed in the palette, no alert told the user\n";
        } else {
            out_ << "stale since " << since;
            if (s["listedInPalette"].get<bool>())
                out_ << ", listed in the palette";
            if (!s["toldByAlert"].is_null())
                out_ << ", told by alert " << s["toldByAlert"]["alert"] << " in step ["
                     << s["toldByAlert"]["step"] << "]";
            out_ << "\n";
        }
        for (const Json& d : s["differences"]) {
            const std::string kind = d["kind"].get<std::string>();
            out_ << "    ";
            if (kind == "parameter")
                out_ << d["parameter"].get<std::string>() << ": expected " << Inline(d["expected"])
                     << ", found " << Inline(d["found"]) << "\n";
            else if (kind == "roomNotLinked")
                out_ << "not linked to " << d["room"].get<std::string>() << ", a room of its apartment\n";
            else if (kind == "foreignRoomLinked")
                out_ << "linked to " << d["room"].get<std::string>() << ", no room of its apartment\n";
            else
                out_ << "no apartment ID (\"zm_apartmentId\" is missing or no text)\n";
        }
    }
}

void Writer::Apartments() {
    Section("Apartments");
    for (auto item = report_["apartments"].begin(); item != report_["apartments"].end(); ++item)
        out_ << "\"" << item.key() << "\": " << Join(item.value()) << "\n";
    out_ << "without apartment ID: " << Join(report_["roomsWithoutApartmentId"]) << "\n";
    out_ << "inconsistent rooms: " << Join(report_["inconsistentRooms"]) << "\n";
}

void Writer::Palette() {
    Section("Palette");
    const Json& p = report_["palette"];
    if (!p["exists"].get<bool>()) {
        out_ << (p["registered"].get<bool>() ? "registered, not created yet\n" : "not registered\n");
        return;
    }
    out_ << (p["visible"].get<bool>() ? "visible" : "hidden") << ", " << p["size"][0] << " x " << p["size"][1]
         << "\n";
    out_ << "rooms (" << Join(p["roomColumns"], " | ") << "):\n";
    for (const Json& row : p["rooms"])
        out_ << "    " << Join(row, " | ") << "\n";
    out_ << "stamps (" << Join(p["stampColumns"], " | ") << "):\n";
    for (const Json& row : p["stamps"])
        out_ << "    " << Join(row, " | ") << "\n";
    out_ << "items:\n";
    for (const std::string& line : GeometryLines(p["items"], 3))
        out_ << "    " << line << "\n";
}

void Writer::Alert(const Json& alert) {
    out_ << "[step " << (alert["step"].is_null() ? "-" : alert["step"].dump()) << "] " << alert["id"] << " "
         << alert["kind"].get<std::string>() << " \"" << alert["title"].get<std::string>()
         << "\": " << Escaped(alert["text"].get<std::string>()) << "\n";
    if (!alert["detail"].get<std::string>().empty())
        out_ << "    " << Escaped(alert["detail"].get<std::string>()) << "\n";
    out_ << "    buttons " << Join(alert["buttons"], " / ") << "; answer " << alert["answer"]
         << (alert["answered"].get<bool>() ? "" : " (no prepared answer)") << "\n";
}

void Writer::Dialog(const Json& dialog) {
    out_ << "[step " << (dialog["step"].is_null() ? "-" : dialog["step"].dump()) << "] dialog "
         << dialog["id"] << " \"" << dialog["title"].get<std::string>() << "\"";
    if (dialog.contains("prompt"))
        out_ << ": " << Escaped(dialog["prompt"].get<std::string>());
    out_ << "\n";
    if (dialog.contains("rows")) {
        std::string rows;
        for (const Json& row : dialog["rows"])
            rows +=
                (rows.empty() ? "" : ", ") + (row.is_string() ? Inline(row) : "[" + Join(row, " | ") + "]");
        out_ << "    rows " << (rows.empty() ? "-" : rows) << "\n";
        out_ << "    user: " << Join(dialog["done"], "; ")
             << (dialog["answered"].get<bool>() ? "" : " (no prepared answer)") << "\n";
    }
    out_ << "    " << dialog["ended"].get<std::string>();
    if (dialog.contains("selected") && !dialog["selected"].is_null())
        out_ << ", selected " << Inline(dialog["selected"]);
    out_ << "\n";
    if (dialog.contains("items")) {
        out_ << "    resized to " << dialog["size"][0] << " x " << dialog["size"][1] << ":\n";
        for (const std::string& line : GeometryLines(dialog["items"], 3))
            out_ << "      " << line << "\n";
    }
}

// Alerts and dialogs in the order the user met them.
void Writer::AlertsAndDialogs() {
    Section("Alerts and dialogs");
    const Json& alerts = report_["alerts"];
    const Json& dialogs = report_["dialogs"];
    std::size_t a = 0;
    std::size_t d = 0;
    while (a < alerts.size() || d < dialogs.size()) {
        if (d == dialogs.size() ||
            (a < alerts.size() && alerts[a]["seq"].get<std::size_t>() < dialogs[d]["seq"].get<std::size_t>()))
            Alert(alerts[a++]);
        else
            Dialog(dialogs[d++]);
    }
    if (alerts.empty() && dialogs.empty())
        out_ << "(none)\n";
}

void Writer::Others() {
    Section("Undo steps");
    for (const Json& step : report_["undoSteps"])
        out_ << "\"" << step["name"].get<std::string>() << "\" result "
             << CodeText(step["result"].get<GSErrCode>()) << (step["undone"].get<bool>() ? " (undone)" : "")
             << "\n";
    if (report_["undoSteps"].empty())
        out_ << "(none)\n";
    Section("Debug lines");
    for (const Json& line : report_["debugLines"])
        out_ << Escaped(line.get<std::string>()) << "\n";
    if (report_["debugLines"].empty())
        out_ << "(none)\n";
    Section("Host");
    const Json& h = report_["host"];
    out_ << "current story " << h["currentStory"] << ", teamwork "
         << (h["teamwork"].get<bool>() ? "on" : "off") << ", suspend groups "
         << (h["suspendGroups"].get<bool>() ? "on" : "off") << "\n";
    out_ << "selection: " << Join(h["selection"]) << "\n";
    out_ << "outstanding memos " << h["outstandingMemos"] << ", update cycle "
         << (h["updateCycle"].get<bool>() ? "yes" : "no") << "\n";
    for (const Json& exception : h["addOnExceptions"])
        out_ << "exception from the add-on: " << exception.get<std::string>() << "\n";
    const Json& p = report_["preferences"];
    out_ << "stored preferences: "
         << (p.is_null() ? std::string("none")
                         : "version " + p["version"].dump() + ", bytes " + p["bytes"].dump() +
                               ", platform sign " + p["platformSign"].dump())
         << "\n";
}

std::string Title(const Json& report) {
    const std::string description = report["scenario"].get<std::string>();
    return "Zarimark scenario report" + (description.empty() ? "" : ": " + description) + "\n";
}

std::string Writer::Render() {
    return Title(report_) + "\n" + RenderBody();
}

std::string Writer::RenderBody() {
    std::string silent;
    for (auto item = report_["stampStatus"].begin(); item != report_["stampStatus"].end(); ++item) {
        if (item.value()["silentlyStale"].get<bool>())
            silent += (silent.empty() ? "" : ", ") + item.key();
    }
    if (!silent.empty())
        out_ << "!! silently stale: " << silent << " (see \"Stamp status\")\n\n";
    Registrations();
    Steps();
    Elements();
    Layers();
    LabelDefaults();
    Groups();
    Stamps();
    StampStatus();
    Apartments();
    Palette();
    AlertsAndDialogs();
    Others();
    return out_.str();
}

} // namespace

std::string RenderText(const Json& report) {
    if (!report.contains("runs"))
        return Writer(report).Render();
    std::string text = Title(report);
    for (std::size_t i = 0; i < report["runs"].size(); ++i) {
        const Json& run = report["runs"][i];
        const std::string description = run["scenario"].get<std::string>();
        text += "\n== Run [" + std::to_string(i) + "]" + (description.empty() ? "" : ": " + description) +
                "\n\n" + Writer(run).RenderBody();
    }
    return text;
}

} // namespace Report
