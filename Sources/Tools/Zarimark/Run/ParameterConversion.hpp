#ifndef ZARIMARK_RUN_PARAMETERCONVERSION_HPP
#define ZARIMARK_RUN_PARAMETERCONVERSION_HPP

#include <string>
#include <vector>

#include "HeadlessHost/Parameters.hpp"
#include "Scenario/ScenarioModel.hpp"

namespace Run {

// A scenario value as the host's parameter. A parameter that the library part declares keeps
// the declared type (a number given for an integer parameter stays an integer); otherwise the
// value's shape or its explicit type decides. False with the reason when the value does not fit.
bool ToHostParameter(const Scenario::ParameterValue& value, const Headless::Parameter* declared,
                     Headless::Parameter* result, std::string* error);

// The declared parameters with the given values put in (unknown names appended) and the
// `without` names removed.
bool MergeParameterValues(const Headless::ParameterList& declared,
                          const std::vector<Scenario::ParameterValue>& values,
                          const std::vector<std::string>& without, Headless::ParameterList* result,
                          std::string* errorPath, std::string* error);

} // namespace Run

#endif
