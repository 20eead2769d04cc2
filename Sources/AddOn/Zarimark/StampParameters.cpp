#include "AddOn/Zarimark/StampParameters.hpp"

#include "AddOn/Zarimark/ParameterRecord.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/ZoneCategoryTable.hpp"

namespace Zarimark {

namespace {

constexpr double StampDataVersion = 2.0;
// The per-room row of an apartment without rooms, so the arrays are never empty.
constexpr int PlaceholderCategory = -1;

bool HasArea(const RoomAreas& areas) {
    // A NaN is not 0.0, so it counts as an area.
    return areas.areaA != 0.0 || areas.areaB != 0.0 || areas.areaC != 0.0 || areas.areaD != 0.0;
}

CategorySet ShownCategories(const RoomAreaList& rooms) {
    CategorySet shown;
    for (UIndex i = 0; i < rooms.areas.GetSize(); ++i) {
        if (HasArea(rooms.areas[i]))
            shown.Add(rooms.categories[i]);
    }
    return shown;
}

struct StampData {
    RoomAreaList rooms;
    ZoneCategoryTable categories;
};

GS::Array<double> RoomCategoryValues(const RoomAreaList& rooms) {
    GS::Array<double> values;
    for (int category : rooms.categories)
        values.Push(static_cast<double>(category));
    return values;
}

GS::Array<double> RoomAreaRows(const RoomAreaList& rooms) {
    GS::Array<double> values;
    for (const RoomAreas& areas : rooms.areas) {
        values.Push(areas.areaA);
        values.Push(areas.areaB);
        values.Push(areas.areaC);
        values.Push(areas.areaD);
    }
    return values;
}

GS::Array<double> CategoryExistsValues(const ZoneCategoryTable& table) {
    GS::Array<double> values;
    for (bool exists : table.exists)
        values.Push(exists ? 1.0 : 0.0);
    return values;
}

Int32 RowCount(const RoomAreaList& rooms) {
    return static_cast<Int32>(rooms.areas.GetSize());
}

Int32 RowCount(const ZoneCategoryTable& table) {
    return static_cast<Int32>(table.codes.GetSize());
}

enum class StampParameter {
    Version,
    RoomCategories,
    RoomAreas,
    RoomAreasInZari,
    CategoryExists,
    CategoryCodes,
    CategoryNames,
    Other
};

class StampParameterNames {
public:
    StampParameter Identify(const API_AddParType& record) const {
        for (const Entry& entry : entries_) {
            if (entry.name.Matches(record))
                return entry.parameter;
        }
        return StampParameter::Other;
    }

private:
    struct Entry {
        ParameterName name;
        StampParameter parameter;
    };
    // Compared in this order; the first equal name decides.
    const Entry entries_[7] = {
        {ParameterName("zm_version"), StampParameter::Version},
        {ParameterName("zm_roomCats"), StampParameter::RoomCategories},
        {ParameterName("zm_roomAreas"), StampParameter::RoomAreas},
        {ParameterName("zm_roomAreasInZari"), StampParameter::RoomAreasInZari},
        {ParameterName("zm_ZoneCatExists"), StampParameter::CategoryExists},
        {ParameterName("zm_ZoneCatCodes"), StampParameter::CategoryCodes},
        {ParameterName("zm_ZoneCatNames"), StampParameter::CategoryNames},
    };
};

GSErrCode WriteRecord(API_AddParType& record, StampParameter parameter, const StampData& data) {
    switch (parameter) {
    case StampParameter::Version:
        record.value.real = StampDataVersion;
        return NoError;
    case StampParameter::RoomCategories:
        if (!IsNumericArrayParameter(record))
            return NoError;
        return WriteRealArray(record, RowCount(data.rooms), 1, RoomCategoryValues(data.rooms));
    case StampParameter::RoomAreas:
        if (!IsNumericArrayParameter(record))
            return NoError;
        return WriteRealArray(record, 1, 1, {});
    case StampParameter::RoomAreasInZari:
        if (!IsNumericArrayParameter(record))
            return NoError;
        return WriteRealArray(record, RowCount(data.rooms), 4, RoomAreaRows(data.rooms));
    // The category table goes into arrays of any type; a scalar's value field holds no handle
    // to write through, so a scalar of one of these names keeps its value.
    case StampParameter::CategoryExists:
        if (!IsArrayParameter(record))
            return NoError;
        return WriteRealArray(record, RowCount(data.categories), 1, CategoryExistsValues(data.categories));
    case StampParameter::CategoryCodes:
        return IsArrayParameter(record) ? WriteTextArray(record, data.categories.codes) : NoError;
    case StampParameter::CategoryNames:
        return IsArrayParameter(record) ? WriteTextArray(record, data.categories.names) : NoError;
    case StampParameter::Other:
        break;
    }
    return NoError;
}

GSErrCode WriteStampData(API_AddParType** params, const StampData& data) {
    const StampParameterNames names;
    const USize count = GetParameterCount(params);
    for (UIndex i = 0; i < count; ++i) {
        API_AddParType& record = GetParameter(params, i);
        const GSErrCode err = WriteRecord(record, names.Identify(record), data);
        if (err != NoError)
            return err;
    }
    return NoError;
}

} // namespace

GSErrCode FillStampParameters(const GS::Array<API_Guid>& rooms, API_AddParType** params,
                              CategorySet& categories) {
    StampData data;
    GSErrCode err = ReadZoneCategoryTable(data.categories);
    if (err != NoError)
        return err;
    err = CollectRoomAreas(rooms, data.rooms.areas, data.rooms.categories);
    if (err != NoError)
        return err;
    categories = ShownCategories(data.rooms);
    if (data.rooms.areas.IsEmpty()) {
        data.rooms.areas.Push(RoomAreas{});
        data.rooms.categories.Push(PlaceholderCategory);
    }
    return WriteStampData(params, data);
}

} // namespace Zarimark
