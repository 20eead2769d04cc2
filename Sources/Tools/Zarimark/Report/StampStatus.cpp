#include <algorithm>
#include <map>

#include "Report/Reference/StampReference.hpp"
#include "Report/ReportBuilder.hpp"
#include "ResourceIds.hpp"
#include "Run/PaletteAccess.hpp"

namespace Report {

namespace {

using Reference::StampCheck;
using Reference::StampDifference;

bool Contains(const std::vector<API_Guid>& guids, const API_Guid& guid) {
    return std::find(guids.begin(), guids.end(), guid) != guids.end();
}

// The alerts by which the add-on tells the user that stamps may show old values. A command that
// failed part-way ("Unexpected error while operating on Zarimarks.") tells it as well: the user
// knows the stamps it was working on may not be done.
bool TellsOfStaleStamps(int alertId) {
    return alertId == ZM_ALERT_UNEXPECTED_EVENT_ERROR || alertId == ZM_ALERT_STAMPS_NOT_UPDATED ||
           alertId == ZM_ALERT_STAMP_LABEL_REPLACED || alertId == ZM_ALERT_UNEXPECTED_COMMAND_ERROR;
}

// The first step of the run of steps after which the stamp has been stale up to now; -1 when it
// has been stale since the project was laid out.
int StaleSince(const API_Guid& stamp, const Run::SessionRecord& record) {
    std::size_t step = record.steps.size();
    while (step > 0 && Contains(record.steps[step - 1].staleStamps, stamp))
        --step;
    if (step == 0 && Contains(record.staleAtStart, stamp))
        return -1;
    return static_cast<int>(step);
}

Json TellingAlert(const Json& alerts, int since) {
    for (const Json& alert : alerts) {
        const int step = alert["step"].is_null() ? -1 : alert["step"].get<int>();
        if (TellsOfStaleStamps(alert["id"].get<int>()) && step >= since)
            return Json{{"alert", alert["id"]}, {"step", alert["step"]}};
    }
    return Json();
}

// How the add-on learns of changes: the rooms it lists and observes.
bool WatchesRooms(const Headless::CallLogEntry& call) {
    return call.operation == "HostListElements" || call.operation == "HostAttachElementObserver";
}

bool Succeeded(const Headless::CallLogEntry& call) {
    return call.result == NoError || call.result == APIERR_LINKEXIST;
}

// A new or copied room whose event the add-on failed to handle: it may never have been observed.
bool FailedToTakeUpARoom(const Headless::HeadlessHost& host, const Run::StepRecord& step) {
    const std::vector<Headless::DeliveredBatch>& batches = host.GetDeliveredBatches();
    for (std::size_t b = step.firstBatch; b < step.endBatch && b < batches.size(); ++b) {
        for (const Headless::DeliveredEvent& event : batches[b].events) {
            if (event.typeID == API_ZoneID && (event.code == 1 || event.code == 2) && event.result != NoError)
                return true;
        }
    }
    return false;
}

// The alert by which the add-on told the user that it could not watch the rooms (one shown in a
// step in which its listing or observing of rooms failed, or its handling of a new room) while no
// listing or observing of it has succeeded since: from then on it has no way to learn of a
// change, and whatever goes stale unseen has been told of. Null when the add-on watches.
Json WatchLostAlert(const Headless::HeadlessHost& host, const Run::SessionRecord& record,
                    const Json& alerts) {
    const std::vector<Headless::CallLogEntry>& log = host.GetCallLog();
    Json lost;
    for (const Run::StepRecord& step : record.steps) {
        bool failed = FailedToTakeUpARoom(host, step);
        for (std::size_t i = step.firstCall; i < step.endCall && i < log.size(); ++i) {
            if (!WatchesRooms(log[i]))
                continue;
            failed = !Succeeded(log[i]);
            if (!failed)
                lost = Json();
        }
        const Json told = TellingAlert(alerts, static_cast<int>(step.index));
        if (failed && lost.is_null() && !told.is_null() && told["step"] == Json(step.index))
            lost = told;
    }
    return lost;
}

// The palette's rows name no element, only a story and an apartment ID. A row stands for one
// stale stamp of that story and ID; with fewer rows than such stamps, the later ones in creation
// order count as not listed, so that a row is never taken for more stamps than it shows.
std::vector<API_Guid> ListedInPalette(const Headless::HeadlessHost& host,
                                      const std::vector<StampCheck>& checks, const Json& paletteRows) {
    std::map<std::pair<std::string, std::string>, int> rows;
    for (const Json& row : paletteRows) {
        if (row.is_array() && row.size() >= 2)
            ++rows[{row[0].get<std::string>(), row[1].get<std::string>()}];
    }
    std::vector<API_Guid> listed;
    for (const StampCheck& check : checks) {
        const Headless::ElementRecord* stamp = host.FindElement(check.stamp);
        if (check.IsCurrent() || stamp == nullptr)
            continue;
        // A stamp without an ID shows an empty one in the palette.
        const std::string id = check.apartmentId ? check.apartmentId->ToUtf8() : std::string();
        int& left = rows[{std::to_string(stamp->element.header.floorInd), id}];
        if (left > 0) {
            --left;
            listed.push_back(check.stamp);
        }
    }
    return listed;
}

Json DifferenceJson(const Headless::HeadlessHost& host, const StampDifference& difference) {
    switch (difference.kind) {
    case StampDifference::Kind::NoApartmentId:
        return Json{{"kind", "noApartmentId"}};
    case StampDifference::Kind::RoomNotLinked:
        return Json{{"kind", "roomNotLinked"}, {"room", NameOf(host, difference.room)}};
    case StampDifference::Kind::ForeignRoomLinked:
        return Json{{"kind", "foreignRoomLinked"}, {"room", NameOf(host, difference.room)}};
    default:
        return Json{{"kind", "parameter"},
                    {"parameter", difference.parameter},
                    {"expected", ParameterValueJson(difference.expected)},
                    {"found", ParameterValueJson(difference.found)}};
    }
}

Json PaletteStampRows() {
    const DG::Palette* palette = Run::FindCheckPalette();
    return palette != nullptr ? Json(Run::ReadListRows(*palette, Run::PaletteStampList)) : Json::array();
}

} // namespace

Json StampStatusJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record, const Json& alerts,
                     const Json& paletteStampRows) {
    const std::vector<StampCheck> checks = Reference::CheckStamps(host, Reference::ComputeApartments(host));
    const std::vector<API_Guid> listed = ListedInPalette(host, checks, paletteStampRows);
    const Json watchLost = WatchLostAlert(host, record, alerts);
    Json status = Json::object();
    for (const StampCheck& check : checks) {
        Json differences = Json::array();
        for (const StampDifference& difference : check.differences)
            differences.push_back(DifferenceJson(host, difference));
        Json entry{{"status", check.IsCurrent() ? "current" : "stale"}, {"differences", differences}};
        if (check.IsCurrent()) {
            entry.update(Json{{"staleSince", nullptr},
                              {"listedInPalette", false},
                              {"toldByAlert", nullptr},
                              {"silentlyStale", false}});
        } else {
            const int since = StaleSince(check.stamp, record);
            const bool inPalette = Contains(listed, check.stamp);
            Json told = TellingAlert(alerts, since);
            if (told.is_null() && !watchLost.is_null() && since >= watchLost["step"].get<int>())
                told = watchLost;
            entry.update(Json{{"staleSince", since < 0 ? Json("start") : Json(since)},
                              {"listedInPalette", inPalette},
                              {"toldByAlert", told},
                              {"silentlyStale", !inPalette && told.is_null()}});
        }
        status[NameOf(host, check.stamp)] = entry;
    }
    return status;
}

Json StampStatusJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record) {
    return StampStatusJson(host, record, AlertsJson(record), PaletteStampRows());
}

std::string StaleSummary(const Json& status) {
    std::string text = "stale since ";
    const Json& since = status["staleSince"];
    text += since.is_string() ? "the start" : "step [" + since.dump() + "]";
    std::string what;
    for (const Json& difference : status["differences"]) {
        const std::string kind = difference["kind"].get<std::string>();
        std::string item;
        if (kind == "parameter")
            item = difference["parameter"].get<std::string>() + " differs";
        else if (kind == "roomNotLinked")
            item = "not linked to " + difference["room"].get<std::string>();
        else if (kind == "foreignRoomLinked")
            item = "linked to " + difference["room"].get<std::string>() + ", no room of its apartment";
        else
            item = "no apartment ID";
        what += (what.empty() ? "" : "; ") + item;
    }
    return text + " (" + what + ")";
}

} // namespace Report
