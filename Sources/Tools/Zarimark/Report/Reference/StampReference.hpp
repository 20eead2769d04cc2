#ifndef ZARIMARK_REPORT_REFERENCE_STAMPREFERENCE_HPP
#define ZARIMARK_REPORT_REFERENCE_STAMPREFERENCE_HPP

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "HeadlessHost/HeadlessHost.hpp"
#include "Report/Reference/ApartmentReference.hpp"

namespace Report::Reference {

constexpr const char* StampPartName = "Zarimark.gsm";
constexpr const char* StampApartmentIdName = "zm_apartmentId";

// A label drawn by the add-on's own built-in library part.
bool IsStamp(const Headless::HeadlessHost& host, const Headless::ElementRecord& record);

// The values a stamp's data parameters must hold for the rooms it is linked to.
struct StampValues {
    std::vector<double> roomCategories;           // one per room; a single -1 when there is none
    std::vector<std::array<double, 4>> roomAreas; // areas A to D, parallel to roomCategories
    std::vector<double> categoryExists;           // position j: zone category j + 1, 1 or 0
    std::vector<GS::UniString> categoryCodes;     // empty where the category does not exist
    std::vector<GS::UniString> categoryNames;
};

// Linked elements that are no live zones give no row.
StampValues ComputeStampValues(const Headless::HeadlessHost& host, const std::vector<API_Guid>& links);

struct StampDifference {
    enum class Kind {
        Parameter,        // a data parameter holds another value than it must
        NoApartmentId,    // the stamp has no text "zm_apartmentId", so it belongs to no apartment
        RoomNotLinked,    // a room of its apartment the stamp is not linked to
        ForeignRoomLinked // a live linked element that is no room of its apartment
    };
    Kind kind = Kind::Parameter;
    std::string parameter;
    Headless::Parameter expected;
    Headless::Parameter found;
    API_Guid room;
};

struct StampCheck {
    API_Guid stamp;
    std::optional<GS::UniString> apartmentId;
    std::vector<API_Guid> mustShow; // every room of its apartment, in creation order
    std::vector<StampDifference> differences;

    bool IsCurrent() const { return differences.empty(); }
};

// The lines a stamp was created with ("zm_lines", "zm_lineTexts") and its other settings are the
// user's and are not compared.
StampCheck CheckStamp(const Headless::HeadlessHost& host, const Headless::ElementRecord& stamp,
                      const Apartments& apartments);
// Every stamp of the project in creation order.
std::vector<StampCheck> CheckStamps(const Headless::HeadlessHost& host, const Apartments& apartments);
std::vector<API_Guid> FindStaleStamps(const Headless::HeadlessHost& host);

} // namespace Report::Reference

#endif
