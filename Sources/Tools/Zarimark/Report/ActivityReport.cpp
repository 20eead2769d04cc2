#include <cstdio>
#include <map>
#include <optional>

#include "DG/ListBox.hpp"
#include "DG/UILog.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/APIGuid.hpp"
#include "Report/ReportBuilder.hpp"
#include "Run/PaletteAccess.hpp"

namespace Report {

namespace {

const char* TypeName(Int32 typeID) {
    switch (typeID) {
    case API_ZoneID:
        return "zone";
    case API_LabelID:
        return "label";
    case API_WallID:
        return "wall";
    default:
        return "";
    }
}

Json BatchJson(const Headless::DeliveredBatch& batch) {
    Json events = Json::array();
    for (const Headless::DeliveredEvent& event : batch.events) {
        if (event.code == APINotifyElement_BeginEvents || event.code == APINotifyElement_EndEvents)
            continue;
        Json item{{"code", event.code}, {"type", TypeName(event.typeID)}, {"element", event.elementName}};
        if (event.toNewElementHandler)
            item["newElementHandler"] = true;
        item["result"] = event.result;
        events.push_back(item);
    }
    return Json{{"origin", batch.origin == Headless::BatchOrigin::User ? "user" : "add-on"},
                {"round", batch.round},
                {"events", events}};
}

// The host operations by which the add-on changes the project or the host's state.
bool ChangesState(const std::string& operation) {
    static const char* const operations[] = {
        "HostLinkElements",          "HostUnlinkElements",  "HostChangeElement",
        "HostCreateElement",         "HostDeleteElements",  "HostAttachElementObserver",
        "HostDetachElementObserver", "HostModifyAttribute", "HostApplyElementTool",
        "HostSetLayerCombination",   "HostReserveElements", "HostSetPreferences"};
    for (const char* name : operations) {
        if (operation == name)
            return true;
    }
    return false;
}

// The step's host calls in call order: every one, or only the successful state-changing ones
// (failed calls changed nothing).
Json CallsJson(const Headless::HeadlessHost& host, const Run::StepRecord& step, bool onlyChanges) {
    Json calls = Json::array();
    const std::vector<Headless::CallLogEntry>& log = host.GetCallLog();
    for (std::size_t i = step.firstCall; i < step.endCall && i < log.size(); ++i) {
        const Headless::CallLogEntry& entry = log[i];
        if (!onlyChanges)
            calls.push_back(Json{{"operation", entry.operation},
                                 {"arguments", entry.arguments},
                                 {"result", entry.result},
                                 {"injected", entry.injected}});
        else if (entry.result == NoError && !entry.injected && ChangesState(entry.operation))
            calls.push_back(Json{{"operation", entry.operation}, {"arguments", entry.arguments}});
    }
    return calls;
}

Json DuringJson(const Run::ScriptedUser* user, std::size_t entry) {
    const std::optional<Run::ScriptedUser::During> during =
        user != nullptr ? user->DuringOf(entry) : std::nullopt;
    if (!during)
        return Json();
    return *during == Run::ScriptedUser::During::Echo ? "echo" : "action";
}

// A copy of an alert or dialog of the report, marked with what it is.
Json Typed(const char* type, const Json& item) {
    Json typed{{"type", type}};
    for (auto field = item.begin(); field != item.end(); ++field)
        typed[field.key()] = field.value();
    return typed;
}

const char* AlertKindText(RS::AlertKind kind) {
    switch (kind) {
    case RS::AlertKind::Warning:
        return "warning";
    case RS::AlertKind::Error:
        return "error";
    default:
        return "information";
    }
}

// The step whose UI log range holds entry `index`; -1 for entries outside every step.
int StepOfUiEntry(const Run::SessionRecord& record, std::size_t index) {
    for (const Run::StepRecord& step : record.steps) {
        if (index >= step.firstUiEntry && index < step.endUiEntry)
            return static_cast<int>(step.index);
    }
    return -1;
}

Json ListHeaders(const DG::Panel& panel, short item) {
    Json headers = Json::array();
    RS::ItemKind kind;
    if (!panel.GetItemKind(item, &kind) || kind != RS::ItemKind::SingleSelList)
        return headers;
    const DG::ListBox list(panel, item);
    for (short field = 1; field <= list.GetTabFieldCount() && list.HasHeader(); ++field)
        headers.push_back(list.GetHeaderItemText(field).ToUtf8());
    return headers;
}

std::string Hex(UInt32 value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", value);
    return text;
}

// A one-column list's rows as texts, others as arrays of texts.
Json RowsJson(const std::vector<std::vector<std::string>>& rows) {
    bool single = true;
    for (const std::vector<std::string>& row : rows)
        single = single && row.size() == 1;
    Json json = Json::array();
    for (const std::vector<std::string>& row : rows)
        json.push_back(single ? Json(row[0]) : Json(row));
    return json;
}

const char* EndText(DG::DialogCloseReason reason) {
    switch (reason) {
    case DG::DialogCloseReason::Accepted:
        return "accepted";
    case DG::DialogCloseReason::Cancelled:
        return "cancelled";
    case DG::DialogCloseReason::CloseBox:
        return "closed with the close box";
    case DG::DialogCloseReason::DriverReturned:
        return "cancelled (left open)";
    case DG::DialogCloseReason::NoDriver:
        return "cancelled (no user)";
    case DG::DialogCloseReason::NotLoaded:
        return "not shown (its resource is missing)";
    default:
        return "aborted by an exception";
    }
}

// The closing of the dialog opened at `opened`; dialogs opened inside it close first.
const DG::UILogEntry* ClosingOf(const std::vector<DG::UILogEntry>& log, std::size_t opened) {
    int depth = 0;
    for (std::size_t i = opened + 1; i < log.size(); ++i) {
        if (log[i].kind == DG::UILogKind::DialogOpened)
            ++depth;
        else if (log[i].kind == DG::UILogKind::DialogClosed &&
                 log[i].reason != DG::DialogCloseReason::NotLoaded && depth-- == 0)
            return &log[i];
    }
    return nullptr;
}

} // namespace

Json GeometryJson(const std::vector<Run::ItemGeometry>& items) {
    Json json = Json::array();
    for (const Run::ItemGeometry& item : items)
        json.push_back(Json{{"item", item.item},
                            {"kind", item.kind},
                            {"x", item.x},
                            {"y", item.y},
                            {"width", item.width},
                            {"height", item.height}});
    return json;
}

std::string CodeText(GSErrCode code) {
    if (code == NoError)
        return "0";
    return std::to_string(code) + " (" + Hex(static_cast<UInt32>(code)) + ")";
}

Json StepsJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record,
               const ReportOptions& options) {
    Json steps = Json::array();
    const auto& batches = host.GetDeliveredBatches();
    const std::vector<std::string>& debugLog = GS::GetDebugLog();
    for (const Run::StepRecord& step : record.steps) {
        Json events = Json::array();
        for (std::size_t i = step.firstBatch; i < step.endBatch && i < batches.size(); ++i)
            events.push_back(BatchJson(batches[i]));
        Json debugLines = Json::array();
        for (std::size_t i = step.firstDebugLine; i < step.endDebugLine && i < debugLog.size(); ++i)
            debugLines.push_back(debugLog[i]);
        Json json{{"step", step.index}, {"path", step.path}, {"action", step.summary}};
        if (!step.note.empty())
            json["note"] = step.note;
        json["result"] = step.result;
        json["batches"] = events;
        json["changes"] = CallsJson(host, step, true);
        if (options.calls)
            json["calls"] = CallsJson(host, step, false);
        json["debugLines"] = debugLines;
        json["notes"] = step.notes;
        json["unusedAnswers"] = step.unusedAnswers;
        steps.push_back(json);
    }
    return steps;
}

Json AlertsJson(const Run::SessionRecord& record, const Run::ScriptedUser* user) {
    Json alerts = Json::array();
    const std::vector<DG::UILogEntry> log = DG::GetUILog();
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].kind != DG::UILogKind::Alert)
            continue;
        const DG::AlertRecord& alert = log[i].alert;
        Json buttons = Json::array();
        for (const GS::UniString& button : alert.buttons) {
            if (!button.IsEmpty())
                buttons.push_back(button.ToUtf8());
        }
        const int step = StepOfUiEntry(record, i);
        alerts.push_back(Json{{"step", step >= 0 ? Json(step) : Json()},
                              {"seq", i},
                              {"during", DuringJson(user, i)},
                              {"id", alert.id},
                              {"kind", AlertKindText(alert.kind)},
                              {"title", alert.title.ToUtf8()},
                              {"text", alert.largeText.ToUtf8()},
                              {"detail", alert.smallText.ToUtf8()},
                              {"buttons", buttons},
                              {"answer", alert.answer},
                              {"answerButton", alert.answer >= 1 && alert.answer <= 3
                                                   ? alert.buttons[alert.answer - 1].ToUtf8()
                                                   : std::string()},
                              {"answered", alert.answeredByDriver}});
    }
    return alerts;
}

Json DialogsJson(const Run::SessionRecord& record, const Run::ScriptedUser& user) {
    Json dialogs = Json::array();
    const std::vector<DG::UILogEntry> log = DG::GetUILog();
    for (std::size_t i = 0; i < log.size(); ++i) {
        const DG::UILogEntry& entry = log[i];
        const bool notLoaded =
            entry.kind == DG::UILogKind::DialogClosed && entry.reason == DG::DialogCloseReason::NotLoaded;
        if (entry.kind != DG::UILogKind::DialogOpened && !notLoaded)
            continue;
        const int step = StepOfUiEntry(record, i);
        Json json{{"step", step >= 0 ? Json(step) : Json()},
                  {"seq", i},
                  {"during", DuringJson(notLoaded ? nullptr : &user, i)},
                  {"id", entry.panelId},
                  {"title", entry.title.ToUtf8()},
                  {"shown", !notLoaded}};
        const Run::ScriptedUser::DialogRecord* seen = nullptr;
        for (const Run::ScriptedUser::DialogRecord& candidate : user.GetDialogs())
            seen = !notLoaded && candidate.openedEntry == i ? &candidate : seen;
        if (seen != nullptr) {
            json["prompt"] = seen->prompt;
            json["rows"] = RowsJson(seen->rows);
            json["answered"] = seen->answered;
            json["done"] = seen->done;
            json["selected"] = seen->selected.empty() ? Json() : RowsJson({seen->selected})[0];
            json["size"] = Json::array({seen->width, seen->height});
            if (seen->resized)
                json["items"] = GeometryJson(seen->items);
        }
        const DG::UILogEntry* closing = notLoaded ? &entry : ClosingOf(log, i);
        json["ended"] = closing != nullptr ? EndText(closing->reason) : "still open";
        json["accepted"] = closing != nullptr && closing->accepted;
        dialogs.push_back(json);
    }
    return dialogs;
}

void AddUserInterfaceLists(Json& report) {
    std::map<std::size_t, Json> met; // by seq
    for (const Json& alert : report["alerts"])
        met[alert["seq"].get<std::size_t>()] = Typed("alert", alert);
    for (const Json& dialog : report["dialogs"])
        met[dialog["seq"].get<std::size_t>()] = Typed("dialog", dialog);
    for (Json& step : report["steps"]) {
        Json ui = Json::array();
        for (const auto& [seq, item] : met) {
            if (item["step"] == step["step"])
                ui.push_back(item);
        }
        step["ui"] = ui;
    }
}

Json PaletteJson(const Headless::HeadlessHost& host) {
    bool registered = false;
    const API_Guid guid = APIGuidFromString(Run::CheckPaletteGuid);
    for (const Headless::ModelessWindowRecord& window : host.GetModelessWindows())
        registered = registered || window.paletteGuid == guid;
    const DG::Palette* palette = Run::FindCheckPalette();
    Json json{{"registered", registered}, {"exists", palette != nullptr}};
    json["visible"] = palette != nullptr && palette->IsVisible();
    json["roomColumns"] = palette != nullptr ? ListHeaders(*palette, Run::PaletteRoomList) : Json::array();
    json["rooms"] =
        palette != nullptr ? Json(Run::ReadListRows(*palette, Run::PaletteRoomList)) : Json::array();
    json["stampColumns"] = palette != nullptr ? ListHeaders(*palette, Run::PaletteStampList) : Json::array();
    json["stamps"] =
        palette != nullptr ? Json(Run::ReadListRows(*palette, Run::PaletteStampList)) : Json::array();
    if (palette != nullptr) {
        json["size"] = Json::array({palette->GetWidth(), palette->GetHeight()});
        json["items"] = GeometryJson(Run::ReadItemGeometry(*palette, 2, 10));
    }
    return json;
}

Json RegistrationsJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record) {
    const Headless::AddOnDescription& description = host.GetAddOnDescription();
    Json menus = Json::array();
    for (const Headless::MenuRecord& menu : host.GetMenus())
        menus.push_back(Json{{"id", menu.menuResID},
                             {"item", menu.itemText.ToUtf8()},
                             {"position", menu.position},
                             {"flags", menu.flags},
                             {"handler", menu.handler != nullptr}});
    Json windows = Json::array();
    for (const Headless::ModelessWindowRecord& window : host.GetModelessWindows())
        windows.push_back(Json{{"referenceId", Hex(static_cast<UInt32>(window.referenceID))},
                               {"guid", APIGuidToString(window.paletteGuid)},
                               {"flags", window.controlFlags}});
    Json newElementTypes = Json::array();
    for (const Headless::NewElementHandlerRecord& handler : host.GetNewElementHandlers())
        newElementTypes.push_back(handler.type.typeID);
    Json parts = Json::array();
    for (const Headless::LibPartRecord& part : host.GetLibraryParts())
        parts.push_back(Json{
            {"index", part.index}, {"name", part.desc.name.ToUtf8()}, {"builtIn", part.fileResourceId >= 0}});
    return Json{{"module", record.modulePath},
                {"name", description.name.ToUtf8()},
                {"description", description.description.ToUtf8()},
                {"type", description.addOnType},
                {"menus", menus},
                {"windows", windows},
                {"elementObserver", host.GetElementObserverHandler() != nullptr},
                {"newElementTypes", newElementTypes},
                {"projectEventMask", host.GetProjectEventMask()},
                {"builtInLibraryRegistrations", host.GetBuiltInLibraryRegistrationCount()},
                {"libraryParts", parts}};
}

Json HostStateJson(const Headless::HeadlessHost& host) {
    Json undo = Json::array();
    for (const Headless::UndoStep& step : host.GetUndoSteps())
        undo.push_back(Json{{"name", step.name.ToUtf8()}, {"result", step.result}, {"undone", step.undone}});
    Json selection = Json::array();
    for (const API_Neig& neig : host.GetSelection())
        selection.push_back(NameOf(host, neig.guid));
    return Json{{"currentStory", host.GetCurrentStory()},
                {"selection", selection},
                {"teamwork", host.IsTeamworkMode()},
                {"suspendGroups", host.IsSuspendGroups()},
                {"outstandingMemos", host.GetOutstandingMemoCount()},
                {"updateCycle", host.HasUpdateCycle()},
                {"droppedEchoEvents", host.GetDroppedEchoEventCount()},
                {"addOnExceptions", host.GetAddOnExceptions()},
                {"undoSteps", undo}};
}

} // namespace Report
