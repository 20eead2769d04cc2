#ifndef ZARIMARK_REPORT_TEXTREPORT_HPP
#define ZARIMARK_REPORT_TEXTREPORT_HPP

#include <string>

#include "Report/ReportBuilder.hpp"

namespace Report {

// The report for a person: the same content as the JSON report, in sections.
std::string RenderText(const Json& report);

} // namespace Report

#endif
