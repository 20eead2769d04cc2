#include "Report/Reference/StampReference.hpp"

#include <algorithm>
#include <cmath>

namespace Report::Reference {

namespace {

using Headless::Parameter;

bool SameNumber(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool Contains(const std::vector<API_Guid>& guids, const API_Guid& guid) {
    return std::find(guids.begin(), guids.end(), guid) != guids.end();
}

bool IsNumericArray(const Parameter& parameter) {
    return parameter.IsArray() && parameter.GetType() != APIParT_CString;
}

// Arrays agree in their dimensions and in every byte of data: a text array's terminators and a
// numeric array's length count, since the library part reads the data by its dimensions.
bool SameValue(const Parameter& found, const Parameter& expected) {
    if (!expected.IsArray())
        return !found.IsArray() && SameNumber(found.GetReal(), expected.GetReal());
    if (!found.IsArray() || found.GetDim1() != expected.GetDim1() || found.GetDim2() != expected.GetDim2() ||
        found.arrayData.size() != expected.arrayData.size())
        return false;
    if (expected.GetType() == APIParT_CString)
        return found.arrayData == expected.arrayData;
    const std::vector<double> a = found.GetNumbers();
    const std::vector<double> b = expected.GetNumbers();
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameNumber);
}

std::vector<double> Rows(const std::vector<std::array<double, 4>>& rows) {
    std::vector<double> values;
    for (const std::array<double, 4>& row : rows)
        values.insert(values.end(), row.begin(), row.end());
    return values;
}

// What one parameter of the stamp must hold; none when the stamp may keep whatever it holds.
// Numeric room arrays are written only into numeric array parameters; the category table always.
std::optional<Parameter> ExpectedValue(const Parameter& found, const StampValues& values) {
    const std::string name = found.GetName();
    const Int32 rooms = static_cast<Int32>(values.roomCategories.size());
    const Int32 categories = static_cast<Int32>(values.categoryExists.size());
    if (name == "zm_version" && !found.IsArray())
        return Parameter::Real(name, 2.0, found.GetType());
    if (name == "zm_roomCats" && IsNumericArray(found))
        return Parameter::NumberArray(name, rooms, 1, values.roomCategories, found.GetType());
    if (name == "zm_roomAreas" && IsNumericArray(found)) {
        // Only cut to its first element; which value that element holds is left as it was.
        const std::vector<double> held = found.GetNumbers();
        return Parameter::NumberArray(name, 1, 1, {held.empty() ? 0.0 : held.front()}, found.GetType());
    }
    if (name == "zm_roomAreasInZari" && IsNumericArray(found))
        return Parameter::NumberArray(name, rooms, 4, Rows(values.roomAreas), found.GetType());
    if (name == "zm_ZoneCatExists")
        return Parameter::NumberArray(name, categories, 1, values.categoryExists, found.GetType());
    if (name == "zm_ZoneCatCodes")
        return Parameter::TextArray(name, categories, 1, values.categoryCodes);
    if (name == "zm_ZoneCatNames")
        return Parameter::TextArray(name, categories, 1, values.categoryNames);
    return std::nullopt;
}

StampDifference RoomDifference(StampDifference::Kind kind, const API_Guid& room) {
    StampDifference difference;
    difference.kind = kind;
    difference.room = room;
    return difference;
}

} // namespace

bool IsStamp(const Headless::HeadlessHost& host, const Headless::ElementRecord& record) {
    if (record.GetTypeId() != API_LabelID)
        return false;
    const Headless::LibPartRecord* part = host.FindLibraryPart(record.element.label.libInd);
    return part != nullptr && part->fileResourceId >= 0 && part->desc.name == GS::UniString(StampPartName);
}

StampValues ComputeStampValues(const Headless::HeadlessHost& host, const std::vector<API_Guid>& links) {
    StampValues values;
    const Headless::AttributeTable<Headless::ZoneCategory>& table = host.GetProject().zoneCategories;
    // Deleted indices above the highest live one are no part of the table.
    API_AttributeIndex highest = static_cast<API_AttributeIndex>(table.slots.size());
    while (highest > 0 && table.Find(highest) == nullptr)
        --highest;
    for (API_AttributeIndex index = 1; index <= highest; ++index) {
        const Headless::ZoneCategory* category = table.Find(index);
        values.categoryExists.push_back(category != nullptr ? 1.0 : 0.0);
        values.categoryCodes.push_back(category != nullptr ? category->code : GS::UniString());
        values.categoryNames.push_back(category != nullptr ? GS::UniString(category->name) : GS::UniString());
    }
    for (const API_Guid& link : links) {
        const Headless::ElementRecord* room = host.FindElement(link);
        if (room == nullptr || room->GetTypeId() != API_ZoneID)
            continue;
        values.roomCategories.push_back(static_cast<double>(room->element.zone.catInd));
        values.roomAreas.push_back({room->areas.a, room->areas.b, room->areas.c, room->areas.d});
    }
    // The library part needs at least one row; an apartment without rooms shows zero.
    if (values.roomCategories.empty()) {
        values.roomCategories.push_back(-1.0);
        values.roomAreas.push_back({0.0, 0.0, 0.0, 0.0});
    }
    return values;
}

StampCheck CheckStamp(const Headless::HeadlessHost& host, const Headless::ElementRecord& stamp,
                      const Apartments& apartments) {
    StampCheck check;
    check.stamp = stamp.GetGuid();
    check.apartmentId = TextParameter(stamp.parameters, StampApartmentIdName);
    if (!check.apartmentId) {
        StampDifference difference;
        difference.kind = StampDifference::Kind::NoApartmentId;
        check.differences.push_back(difference);
    } else if (const std::vector<API_Guid>* rooms = apartments.RoomsOf(*check.apartmentId)) {
        check.mustShow = *rooms;
    }
    for (const API_Guid& room : check.mustShow) {
        if (!Contains(stamp.links, room))
            check.differences.push_back(RoomDifference(StampDifference::Kind::RoomNotLinked, room));
    }
    std::vector<API_Guid> foreign;
    for (const API_Guid& link : stamp.links) {
        // A link to a deleted room is left behind on purpose; it only stops giving a row.
        if (host.FindElement(link) == nullptr || Contains(check.mustShow, link) || Contains(foreign, link))
            continue;
        foreign.push_back(link);
        check.differences.push_back(RoomDifference(StampDifference::Kind::ForeignRoomLinked, link));
    }
    const StampValues values = ComputeStampValues(host, stamp.links);
    // Every parameter of a name is written, should the name occur twice.
    for (const Parameter& found : stamp.parameters) {
        const std::optional<Parameter> expected = ExpectedValue(found, values);
        if (!expected || SameValue(found, *expected))
            continue;
        StampDifference difference;
        difference.parameter = found.GetName();
        difference.expected = *expected;
        difference.found = found;
        check.differences.push_back(difference);
    }
    return check;
}

std::vector<StampCheck> CheckStamps(const Headless::HeadlessHost& host, const Apartments& apartments) {
    std::vector<StampCheck> checks;
    for (const auto& entry : host.GetProject().elements) {
        if (IsStamp(host, entry.second))
            checks.push_back(CheckStamp(host, entry.second, apartments));
    }
    return checks;
}

std::vector<API_Guid> FindStaleStamps(const Headless::HeadlessHost& host) {
    std::vector<API_Guid> stale;
    for (const StampCheck& check : CheckStamps(host, ComputeApartments(host))) {
        if (!check.IsCurrent())
            stale.push_back(check.stamp);
    }
    return stale;
}

} // namespace Report::Reference
