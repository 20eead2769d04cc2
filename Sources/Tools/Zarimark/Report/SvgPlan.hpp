#ifndef ZARIMARK_REPORT_SVGPLAN_HPP
#define ZARIMARK_REPORT_SVGPLAN_HPP

#include <string>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Report/ReportBuilder.hpp"

namespace Report {

// The plan of one story as SVG: zones coloured by apartment with their number and name, walls,
// stamps with the lines they show, links as thin lines; rooms and stamps listed in the check
// palette are outlined in red.
std::string RenderSvgPlan(const Headless::HeadlessHost& host, const Json& report, Int16 story);

} // namespace Report

#endif
