#ifndef ZARIMARK_REPORT_APARTMENTANALYSIS_HPP
#define ZARIMARK_REPORT_APARTMENTANALYSIS_HPP

#include <string>
#include <utility>
#include <vector>

#include "HeadlessHost/HeadlessHost.hpp"

namespace Report {

// The apartments and inconsistent rooms exactly as the add-on finds them: its own grouping and
// consistency test run against the host, so the report cannot drift from the add-on's rules.
struct ApartmentAnalysis {
    std::vector<std::pair<GS::UniString, std::vector<API_Guid>>> apartments; // first-insertion order
    std::vector<API_Guid> roomsWithoutId;
    std::vector<API_Guid> inconsistentRooms;
    GSErrCode groupResult = NoError;
    GSErrCode checkResult = NoError;
};

// Leaves the host's faults, call log and memo balance as they were.
ApartmentAnalysis AnalyzeApartments(Headless::HeadlessHost& host);

} // namespace Report

#endif
