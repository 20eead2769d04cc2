#ifndef HEADLESSHOST_PROJECTMODEL_HPP
#define HEADLESSHOST_PROJECTMODEL_HPP

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "GSRoot/Hash.hpp"
#include "GSRoot/UniString.hpp"
#include "HeadlessHost/Parameters.hpp"
#include "Host/APIGuid.hpp"
#include "Host/HostRecords.hpp"

namespace Headless {

struct GuidHasher {
    std::size_t operator()(const API_Guid& guid) const;
};

// Who holds an element in a Teamwork project.
enum class Reservation { Free, ThisUser, OtherMember };

// Member IDs written into the conflict table of HostReserveElements.
constexpr Int16 ThisUserMemberId = 1;
constexpr Int16 OtherMemberId = 2;

struct Story {
    Int16 index = 0;
    GS::UniString name;
    double level = 0.0;
};

struct Layer {
    API_AttributeIndex index = 0;
    std::string name;
    Int16 flags = 0; // APILay_Hidden, APILay_Locked
};

struct LayerCombination {
    API_AttributeIndex index = 0; // from 1
    std::string name;
    std::map<API_AttributeIndex, Int16> layerFlags; // every layer
};

struct ZoneCategory {
    API_AttributeIndex index = 0;
    GS::UniString code; // UTF-16 code of the category
    std::string name;   // 8-bit name of the attribute
};

// The five area quantities of a zone (the zone quantity record's offsets 0, 104, 128, 136, 200).
struct ZoneAreas {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
    double e = 0.0;
};

// Areas as a scenario gives them; what is left out: A = polygon area, B = C = D = A, E = 0.
struct ZoneAreaDesc {
    std::optional<double> a, b, c, d, e;
};

// Everything the host knows about one element.
struct ElementRecord {
    API_Element element;            // header (guid, type, story, layer, lockId, groupGuid) and type parts
    std::string name;               // the scenario's id, or a generated "zone-1", "stamp-2", ...
    ParameterList parameters;       // zones: e.g. "stApartmentId"; labels: the library part's parameters
    std::vector<API_Coord> polygon; // zones: outline for drawing
    ZoneAreas areas;                // zones
    bool areasFromPolygon = false;  // areas were defaulted; a geometric edit recomputes them
    bool observed = false;
    std::vector<API_Guid> links; // outgoing links in the order they were made
    Reservation reservation = Reservation::Free;
    UInt64 serial = 0; // creation order

    const API_Guid& GetGuid() const { return element.header.guid; }
    Int32 GetTypeId() const { return element.header.type.typeID; }
};

// Attribute tables keep a slot per index up to the highest index ever used; a deleted index
// is an empty slot (a gap), never reused by AddLayer/AddZoneCategory.
template <typename T>
struct AttributeTable {
    std::vector<std::optional<T>> slots; // slot i holds index i + 1

    const T* Find(API_AttributeIndex index) const {
        return index >= 1 && static_cast<std::size_t>(index) <= slots.size() && slots[index - 1]
                   ? &*slots[index - 1]
                   : nullptr;
    }
    T* Find(API_AttributeIndex index) {
        return const_cast<T*>(static_cast<const AttributeTable&>(*this).Find(index));
    }
    bool IsGap(API_AttributeIndex index) const {
        return index >= 1 && static_cast<std::size_t>(index) <= slots.size() && !slots[index - 1];
    }
};

// The project document: what an undo step snapshots and restores.
struct ProjectModel {
    std::vector<Story> stories; // ascending index
    AttributeTable<Layer> layers;
    std::vector<LayerCombination> layerCombinations; // combination i + 1 at position i
    API_AttributeIndex currentLayerCombination = 0;  // 0: none
    AttributeTable<ZoneCategory> zoneCategories;
    std::map<UInt64, ElementRecord> elements; // live elements by creation serial
    std::unordered_map<API_Guid, UInt64, GuidHasher> serialOf;

    ElementRecord* Find(const API_Guid& guid);
    const ElementRecord* Find(const API_Guid& guid) const;
    ElementRecord& Insert(ElementRecord record); // record.serial must be set
    ElementRecord Remove(const API_Guid& guid);  // the element must exist
    const Story* FindStory(Int16 index) const;
};

} // namespace Headless

#endif
