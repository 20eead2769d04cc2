#ifndef ZARIMARK_RUN_PROJECTBUILDER_HPP
#define ZARIMARK_RUN_PROJECTBUILDER_HPP

#include "HeadlessHost/HeadlessHost.hpp"
#include "Run/RunFailure.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Run {

constexpr const char* StampPartName = "Zarimark.gsm";

// Lays out the scenario's project in the host, as a saved project the user opens: no element
// event is reported while it is built.
RunFailure BuildProject(Headless::HeadlessHost& host, const Scenario::ProjectDesc& project);

// Helpers shared with the step runner.
API_AttributeIndex FindLayerIndex(const Headless::HeadlessHost& host, const std::string& name);
Int32 FindLibPartIndex(const Headless::HeadlessHost& host, const std::string& name);
Headless::ZoneDesc ToHostZone(const Headless::HeadlessHost& host, const Scenario::ZoneDesc& zone);
Headless::WallDesc ToHostWall(const Headless::HeadlessHost& host, const Scenario::WallDesc& wall);
// The label's place, class and part; its parent and parameters are left to the caller.
RunFailure ToHostLabel(const Headless::HeadlessHost& host, const Scenario::LabelDesc& label,
                       Headless::LabelDesc* desc);
RunFailure MissingLibraryPart(const std::string& name);
Headless::ZoneAreaDesc ToHostAreas(const Scenario::AreaDesc& areas);
Headless::Reservation ToHostReservation(Scenario::Reservation reservation);
API_Coord ToCoord(const Scenario::Point& point);
// Zones keep every value as written, duplicates included.
RunFailure ToParameterList(const std::vector<Scenario::ParameterValue>& values,
                           Headless::ParameterList* list);
// A label's parameters: its part's declarations with the scenario's values, less `without`.
RunFailure ToLabelParameters(const Headless::HeadlessHost& host, Int32 libInd,
                             const std::vector<Scenario::ParameterValue>& values,
                             const std::vector<std::string>& without, Headless::ParameterList* list);

} // namespace Run

#endif
