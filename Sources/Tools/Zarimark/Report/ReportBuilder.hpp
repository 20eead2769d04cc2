#ifndef ZARIMARK_REPORT_REPORTBUILDER_HPP
#define ZARIMARK_REPORT_REPORTBUILDER_HPP

#include <nlohmann/json.hpp>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Run/ScriptedUser.hpp"
#include "Run/SessionRecord.hpp"

// The report of a run as one JSON document: the --json output, the source of the text report,
// and what expectations are checked against. Elements are named by the scenario's ids.
namespace Report {

using Json = nlohmann::ordered_json;

// What a report holds beyond its usual parts.
struct ReportOptions {
    bool calls = false; // each step's host calls, failed ones included
};

Json BuildReport(Headless::HeadlessHost& host, const Run::SessionRecord& record,
                 const Run::ScriptedUser& user, const ReportOptions& options = {});

// Parts of the report, each in its own file.
Json ElementsJson(const Headless::HeadlessHost& host);
Json StampsJson(const Headless::HeadlessHost& host);
Json ParameterValueJson(const Headless::Parameter& parameter);
// Parameters whose names start with `prefix`, the first of each name.
Json ParametersJson(const Headless::ParameterList& parameters, const char* prefix);
Json StepsJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record,
               const ReportOptions& options = {});
// Without the user, when each alert came ("during") is not known.
Json AlertsJson(const Run::SessionRecord& record, const Run::ScriptedUser* user = nullptr);
// Every modal dialog in the order shown, with what the user saw and did and how it ended.
Json DialogsJson(const Run::SessionRecord& record, const Run::ScriptedUser& user);
// Each step's alerts and dialogs (`ui`) in the order the user met them, from the report's own.
void AddUserInterfaceLists(Json& report);
Json PaletteJson(const Headless::HeadlessHost& host);
Json LayersJson(const Headless::HeadlessHost& host);
Json LayerCombinationJson(const Headless::HeadlessHost& host); // null when none is in force
Json LabelDefaultsJson(const Headless::HeadlessHost& host);
Json GroupsJson(const Headless::HeadlessHost& host); // member names per group
Json RegistrationsJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record);
Json HostStateJson(const Headless::HeadlessHost& host);
Json GeometryJson(const std::vector<Run::ItemGeometry>& items);
// For every stamp whether it shows what the report's own reference says it must, and whether a
// stale one was left so without the palette or an alert telling the user ("silently stale").
Json StampStatusJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record, const Json& alerts,
                     const Json& paletteStampRows);
Json StampStatusJson(const Headless::HeadlessHost& host, const Run::SessionRecord& record);
// "stale since step [3] (zm_roomCats differs; not linked to bath)", from one stamp's status.
std::string StaleSummary(const Json& status);

std::string CodeText(GSErrCode code); // "0 (ok)", "-2129788919 (0x810E0009)"
std::string NameOf(const Headless::HeadlessHost& host, const API_Guid& guid);
bool IsStamp(const Headless::HeadlessHost& host, const Headless::ElementRecord& record);

} // namespace Report

#endif
