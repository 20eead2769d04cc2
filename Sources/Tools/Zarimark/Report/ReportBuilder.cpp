#include "Report/ReportBuilder.hpp"

#include "GSRoot/DebugLog.hpp"
#include "Report/Reference/ApartmentReference.hpp"

namespace Report {

namespace {

Json Names(const Headless::HeadlessHost& host, const std::vector<API_Guid>& guids) {
    Json names = Json::array();
    for (const API_Guid& guid : guids)
        names.push_back(NameOf(host, guid));
    return names;
}

void AddApartments(const Headless::HeadlessHost& host, Json& report) {
    const Reference::Apartments reference = Reference::ComputeApartments(host);
    Json apartments = Json::object();
    for (const auto& [id, rooms] : reference.apartments)
        apartments[id.ToUtf8()] = Names(host, rooms);
    report["apartments"] = apartments;
    report["roomsWithoutApartmentId"] = Names(host, reference.roomsWithoutId);
    report["inconsistentRooms"] = Names(host, reference.inconsistentRooms);
}

Json PreferencesJson(const Headless::HeadlessHost& host) {
    const Headless::StoredPreferences& stored = host.GetStoredPreferences();
    if (!stored.present)
        return Json();
    return Json{{"version", stored.version}, {"bytes", stored.data}, {"platformSign", stored.platformSign}};
}

// The step in which the add-on created each stamp; the project's own stamps have none.
void AddCreatingSteps(Json& report) {
    for (auto stamp = report["stamps"].begin(); stamp != report["stamps"].end(); ++stamp)
        stamp.value()["createdInStep"] = nullptr;
    for (const Json& step : report["steps"]) {
        for (const Json& change : step["changes"]) {
            const std::string arguments = change["arguments"].get<std::string>();
            const std::size_t comma = arguments.rfind(", ");
            if (change["operation"] != "HostCreateElement" || comma == std::string::npos)
                continue;
            const std::string name = arguments.substr(comma + 2);
            if (report["stamps"].contains(name))
                report["stamps"][name]["createdInStep"] = step["step"];
        }
    }
}

} // namespace

Json BuildReport(Headless::HeadlessHost& host, const Run::SessionRecord& record,
                 const Run::ScriptedUser& user, const ReportOptions& options) {
    Json report = Json::object();
    report["scenario"] = record.description;
    report["registrations"] = RegistrationsJson(host, record);
    report["steps"] = StepsJson(host, record, options);
    report["elements"] = ElementsJson(host);
    report["layers"] = LayersJson(host);
    report["layerCombination"] = LayerCombinationJson(host);
    report["labelDefaults"] = LabelDefaultsJson(host);
    report["groups"] = GroupsJson(host);
    report["stamps"] = StampsJson(host);
    AddCreatingSteps(report);
    const Json palette = PaletteJson(host);
    const Json alerts = AlertsJson(record, &user);
    report["stampStatus"] = StampStatusJson(host, record, alerts, palette["stamps"]);
    AddApartments(host, report);
    report["palette"] = palette;
    report["alerts"] = alerts;
    report["dialogs"] = DialogsJson(record, user);
    AddUserInterfaceLists(report);
    Json state = HostStateJson(host);
    report["undoSteps"] = state["undoSteps"];
    state.erase("undoSteps");
    report["debugLines"] = GS::GetDebugLog();
    report["preferences"] = PreferencesJson(host);
    report["host"] = state;
    return report;
}

} // namespace Report
