#include "Report/ReportBuilder.hpp"

#include "GSRoot/DebugLog.hpp"
#include "Report/ApartmentAnalysis.hpp"

namespace Report {

namespace {

Json Names(const Headless::HeadlessHost& host, const std::vector<API_Guid>& guids) {
    Json names = Json::array();
    for (const API_Guid& guid : guids)
        names.push_back(NameOf(host, guid));
    return names;
}

void AddApartments(Headless::HeadlessHost& host, Json& report) {
    const ApartmentAnalysis analysis = AnalyzeApartments(host);
    Json apartments = Json::object();
    for (const auto& [id, rooms] : analysis.apartments)
        apartments[id.ToUtf8()] = Names(host, rooms);
    report["apartments"] = apartments;
    report["roomsWithoutApartmentId"] = Names(host, analysis.roomsWithoutId);
    report["inconsistentRooms"] = Names(host, analysis.inconsistentRooms);
}

Json PreferencesJson(const Headless::HeadlessHost& host) {
    const Headless::StoredPreferences& stored = host.GetStoredPreferences();
    if (!stored.present)
        return Json();
    return Json{{"version", stored.version}, {"bytes", stored.data}, {"platformSign", stored.platformSign}};
}

} // namespace

Json BuildReport(Headless::HeadlessHost& host, const Run::SessionRecord& record,
                 const Run::ScriptedUser& user) {
    Json report = Json::object();
    report["scenario"] = record.description;
    report["registrations"] = RegistrationsJson(host, record);
    report["steps"] = StepsJson(host, record);
    report["elements"] = ElementsJson(host);
    report["stamps"] = StampsJson(host);
    AddApartments(host, report);
    report["palette"] = PaletteJson(host);
    report["alerts"] = AlertsJson(record);
    report["dialogs"] = DialogsJson(user);
    Json state = HostStateJson(host);
    report["undoSteps"] = state["undoSteps"];
    state.erase("undoSteps");
    report["debugLines"] = GS::GetDebugLog();
    report["preferences"] = PreferencesJson(host);
    report["host"] = state;
    return report;
}

} // namespace Report
