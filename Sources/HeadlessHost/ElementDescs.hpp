#ifndef HEADLESSHOST_ELEMENTDESCS_HPP
#define HEADLESSHOST_ELEMENTDESCS_HPP

#include <optional>
#include <string>
#include <vector>

#include "HeadlessHost/ProjectModel.hpp"

namespace Headless {

// What a scenario or test gives to make an element. An empty name gets a generated one.
struct ZoneDesc {
    std::string name;
    Int16 story = 0;
    API_AttributeIndex layer = 1;
    GS::UniString number;
    GS::UniString roomName;
    API_AttributeIndex category = 0;
    API_Coord position;             // where the zone's number and name are drawn
    std::vector<API_Coord> polygon; // outline; its area is the default of area A
    ZoneAreaDesc areas;
    ParameterList parameters; // e.g. Parameter::Text("stApartmentId", "A1"); may be empty
    UInt16 lockId = 0;
    API_Guid groupGuid;                          // null: not grouped
    Reservation reservation = Reservation::Free; // Teamwork only
};

struct LabelDesc {
    std::string name;
    Int16 story = 0;
    API_AttributeIndex layer = 1;
    Int32 libInd = 0; // library part (0: none)
    Int32 labelClass = APILblClass_Symbol;
    API_Coord begC, midC, endC;
    API_Guid parent; // the labelled element (its type is taken from it); null: free
    // Values given here replace the library part's defaults of the same name; parameters the
    // part does not declare are appended.
    ParameterList parameters;
    UInt16 lockId = 0;
    API_Guid groupGuid;
    Reservation reservation = Reservation::Free;
};

struct WallDesc {
    std::string name;
    Int16 story = 0;
    API_AttributeIndex layer = 1;
    API_Coord begC, endC;
    UInt16 lockId = 0;
    API_Guid groupGuid;
    Reservation reservation = Reservation::Free;
};

// A label placed with the label tool: everything else comes from the label tool defaults.
struct LabelPlacement {
    std::string name;
    API_Coord position;   // begin, middle and end point
    API_Guid clickedZone; // null: placed where no zone is; else the label's parent
    // Another part picked in the tool: the label has its default values. None: the defaults' part.
    std::optional<Int32> libInd = std::nullopt;
};

// Changes of a zone the user makes in its settings (event 3). Fields left empty stay, and so do
// the areas left out.
struct ZoneChange {
    std::optional<GS::UniString> number;
    std::optional<GS::UniString> roomName;
    std::optional<API_AttributeIndex> category;
    std::optional<API_AttributeIndex> layer;
    std::optional<ZoneAreaDesc> areas;
    std::optional<ParameterList> parameters; // replaces the whole list
};

struct LibPartDesc {
    GS::UniString name;   // e.g. "Zarimark.gsm"
    std::string uniqueId; // ownUnID text, e.g. "{MAIN-GUID}-{REVISION-GUID}"
    API_Guid mainGuid;
    Int32 typeID = API_LabelID;
    ParameterList parameters; // the part's parameters with their default values
};

struct LibPartRecord {
    Int32 index = 0; // from 1
    LibPartDesc desc;
    Int64 fileResourceId = -1; // FILE resource it came from; -1: not a built-in part
};

} // namespace Headless

#endif
