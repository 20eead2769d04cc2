#include "AddOn/Zarimark/StampCreation.hpp"

#include <cstring>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/ParameterRecord.hpp"
#include "AddOn/Zarimark/StampLinks.hpp"
#include "AddOn/Zarimark/StampParameters.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

constexpr double AutomaticLinesMarker = -2.0;
// The value field holds 256 UTF-16 units with the terminating zero.
constexpr USize MaxApartmentIdLength = API_UniLongNameLen - 1;

bool IsAutomaticLinesMarker(const API_AddParType& record) {
    if (!IsArrayParameter(record) || record.dim1 != 1 || GetArrayDataSize(record) < GSSize(sizeof(double)))
        return false;
    double first = 0.0;
    std::memcpy(&first, *record.value.array, sizeof(first));
    return first == AutomaticLinesMarker;
}

GS::Array<double> LineCategories(const CategorySet& categories) {
    GS::Array<double> lines;
    for (API_AttributeIndex category : categories)
        lines.Push(static_cast<double>(category));
    return lines;
}

// The apartment ID and, unless the label fixes its lines, one line per shown category.
// `automaticLines` stays set when the lines were computed or the label has none.
GSErrCode WriteIdAndLines(API_AddParType** params, const GS::UniString& apartmentId,
                          const CategorySet& categories, bool& automaticLines) {
    const ParameterName idName(StampApartmentIdParameter);
    const ParameterName linesName("zm_lines");
    automaticLines = true;
    const USize count = GetParameterCount(params);
    for (UIndex i = 0; i < count; ++i) {
        API_AddParType& record = GetParameter(params, i);
        if (idName.Matches(record)) {
            // Written into nothing but a text value: an array's handle lives in the same field.
            if (!IsScalarTextParameter(record) || !SetScalarText(record, apartmentId))
                return ErrStampNotCreated;
        } else if (linesName.Matches(record)) {
            if (!automaticLines || !IsAutomaticLinesMarker(record)) {
                automaticLines = false;
                continue;
            }
            const GSErrCode err = WriteRealArray(record, static_cast<Int32>(categories.GetSize()), 1,
                                                 LineCategories(categories));
            if (err != NoError)
                return err;
        }
    }
    return NoError;
}

// Automatic lines repeat the label's one line text once per line.
GSErrCode WriteLineTexts(API_AddParType** params, USize lineCount) {
    const ParameterName textsName("zm_lineTexts");
    const USize count = GetParameterCount(params);
    for (UIndex i = 0; i < count; ++i) {
        API_AddParType& record = GetParameter(params, i);
        if (!textsName.Matches(record))
            continue;
        if (!IsArrayParameter(record) || record.dim1 != 1)
            return ErrStampNotCreated;
        const GS::Array<GS::UniString> texts = ReadTextArray(record);
        const GS::UniString text = texts.IsEmpty() ? GS::UniString() : texts[0];
        GS::Array<GS::UniString> lines;
        for (USize line = 0; line < lineCount; ++line)
            lines.Push(text);
        if (const GSErrCode err = WriteTextArray(record, lines))
            return err;
    }
    return NoError;
}

GSErrCode WriteStampParameters(const GS::UniString& apartmentId, const GS::Array<API_Guid>& rooms,
                               API_AddParType** params) {
    CategorySet categories;
    GSErrCode err = FillStampParameters(rooms, params, categories);
    if (err != NoError)
        return err;
    bool automaticLines = true;
    err = WriteIdAndLines(params, apartmentId, categories, automaticLines);
    if (err == NoError && automaticLines)
        err = WriteLineTexts(params, categories.GetSize());
    return err;
}

GSErrCode ObserveAndLink(const API_Guid& stamp, const GS::Array<API_Guid>& rooms) {
    GSErrCode err = HostAttachElementObserver(stamp, 0);
    if (err != NoError && err != APIERR_LINKEXIST)
        return err;
    for (const API_Guid& room : rooms) {
        err = LinkBothWays(room, stamp);
        if (err != NoError)
            return err;
    }
    return NoError;
}

} // namespace

GSErrCode CreateStampElement(const GS::UniString& apartmentId, GS::Array<API_Guid> rooms,
                             API_Element& element, API_ElementMemo& memo) {
    // Cutting the ID would show the stamp of another apartment; refuse it before anything is written.
    if (apartmentId.GetLength() > MaxApartmentIdLength)
        return ErrStampNotCreated;
    GSErrCode err = WriteStampParameters(apartmentId, rooms, memo.params);
    if (err != NoError)
        return err;
    err = HostCreateElement(&element, &memo);
    if (err != NoError)
        return err;
    return ObserveAndLink(element.header.guid, rooms);
}

} // namespace Zarimark
