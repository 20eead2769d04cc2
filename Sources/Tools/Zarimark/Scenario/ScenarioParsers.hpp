#ifndef ZARIMARK_SCENARIO_SCENARIOPARSERS_HPP
#define ZARIMARK_SCENARIO_SCENARIOPARSERS_HPP

#include <optional>
#include <string>
#include <vector>

#include "Scenario/JsonReader.hpp"
#include "Scenario/ScenarioModel.hpp"

// The readers of each part of a scenario file. Each reports its problems and returns what it
// could read; the file is run only when no problem was reported anywhere.
namespace Scenario {

// Object form {"name": value, ...} or array form [{"name", "value", "type"}, ...].
std::vector<ParameterValue> ReadParameterValues(const Json& value, const std::string& path,
                                                Diagnostics& diagnostics);
// The object's "parameters" field, when it has one.
std::optional<std::vector<ParameterValue>> ReadParametersField(ObjectReader& reader, bool required = false);
std::optional<Reservation> ReadReservation(const Json& value, const std::string& path,
                                           Diagnostics& diagnostics);
AreaDesc ReadAreas(const Json& value, const std::string& path, Diagnostics& diagnostics);

// A label's "class": "symbol" (false) or "text" (true); anything else is reported and reads as "symbol".
std::optional<bool> ReadLabelClass(ObjectReader& reader);
ZoneDesc ReadZone(ObjectReader& reader);
LabelDesc ReadLabel(ObjectReader& reader);
WallDesc ReadWall(ObjectReader& reader);
ElementDesc ReadElement(const Json& value, const std::string& path, Diagnostics& diagnostics);

ZoneCategoryDesc ReadZoneCategoryFields(ObjectReader& reader, bool indexRequired);
ProjectDesc ReadProject(const Json& value, const std::string& path, Diagnostics& diagnostics);

std::vector<Answer> ReadAnswers(const Json& value, const std::string& path, Diagnostics& diagnostics);
std::vector<Expectation> ReadExpectations(const Json& value, const std::string& path,
                                          Diagnostics& diagnostics);
// The expectations of one step; `stepPointer` ("/steps/3") lets them check that step's result.
std::vector<Expectation> ReadExpectationList(const Json& value, const std::string& path,
                                             Diagnostics& diagnostics, const std::string& stepPointer);
Action ReadAction(ObjectReader& reader);
std::vector<Step> ReadSteps(const Json& value, const std::string& path, Diagnostics& diagnostics);

// Every reference (element, layer, story, category, library part, combination) names
// something the project declares or an earlier step creates.
void CheckReferences(const Scenario& scenario, Diagnostics& diagnostics);
// Follows the groups and zone category indices through the steps, as far as the file tells them:
// ungrouping an element in no group, adding a category at an index in use.
void CheckGroupsAndCategories(const Scenario& scenario, Diagnostics& diagnostics);

// Names the host gives elements the add-on creates ("stamp-1", "zone-2", ...): a scenario may
// refer to them, but may not use them as its own ids.
bool IsGeneratedName(const std::string& name);

} // namespace Scenario

#endif
