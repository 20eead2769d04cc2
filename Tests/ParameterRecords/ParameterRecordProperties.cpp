// The parameter records of a memo: what the headless host encodes it decodes byte for byte, what
// it hands out the add-on reads as written, and what the add-on writes the host reads back.
#include "AddOn/Zarimark/ParameterRecord.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "Generators.hpp"
#include "HeadlessHost/Parameters.hpp"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cstring>
#include <string>
#include <variant>
#include <vector>

namespace {

using Headless::Parameter;
using Headless::ParameterList;

// What a parameter was built from, to compare the decoded values with.
struct Scalar {
    double value;
};
struct Text {
    std::u16string value;
};
struct Numbers {
    Int32 rows;
    Int32 columns;
    std::vector<double> values;
};
struct Texts {
    std::vector<std::u16string> values;
};
using Value = std::variant<Scalar, Text, Numbers, Texts>;

struct Built {
    std::string name;
    Int32 type;
    Value value;
};

// 1 to 31 printable characters: the record's 32-byte name field with its zero.
rc::Gen<std::string> Name() {
    const auto printable = rc::gen::map(rc::gen::inRange(0x21, 0x7F), [](int c) { return char(c); });
    return rc::gen::mapcat(rc::gen::inRange(1, API_NameLen), [printable](int length) {
        return rc::gen::container<std::string>(static_cast<std::size_t>(length), printable);
    });
}

rc::Gen<Value> AnyValue() {
    const auto texts =
        rc::gen::resize(8, rc::gen::container<std::vector<std::u16string>>(Generators::NonZeroUnits(20)));
    return rc::gen::oneOf(
        rc::gen::map(rc::gen::arbitrary<double>(), [](double v) { return Value(Scalar{v}); }),
        rc::gen::map(Generators::NonZeroUnits(API_UniLongNameLen - 1),
                     [](std::u16string v) { return Value(Text{v}); }),
        rc::gen::mapcat(rc::gen::pair(rc::gen::inRange(0, 4), rc::gen::inRange(1, 4)),
                        [](std::pair<int, int> shape) {
                            return rc::gen::map(rc::gen::container<std::vector<double>>(
                                                    static_cast<std::size_t>(shape.first * shape.second),
                                                    rc::gen::arbitrary<double>()),
                                                [shape](std::vector<double> values) {
                                                    return Value(Numbers{shape.first, shape.second, values});
                                                });
                        }),
        rc::gen::map(texts, [](std::vector<std::u16string> v) { return Value(Texts{v}); }));
}

rc::Gen<Built> AnyBuilt() {
    return rc::gen::map(
        rc::gen::tuple(Name(),
                       rc::gen::element(APIParT_Integer, APIParT_Length, APIParT_RealNum, APIParT_Boolean),
                       AnyValue()),
        [](const std::tuple<std::string, Int32, Value>& t) {
            return Built{std::get<0>(t), std::get<1>(t), std::get<2>(t)};
        });
}

std::vector<GS::UniString> UniStrings(const std::vector<std::u16string>& texts) {
    return std::vector<GS::UniString>(texts.begin(), texts.end());
}

Parameter Build(const Built& built) {
    if (const auto* scalar = std::get_if<Scalar>(&built.value))
        return Parameter::Real(built.name, scalar->value, built.type);
    if (const auto* text = std::get_if<Text>(&built.value))
        return Parameter::Text(built.name, GS::UniString(text->value));
    if (const auto* numbers = std::get_if<Numbers>(&built.value))
        return Parameter::NumberArray(built.name, numbers->rows, numbers->columns, numbers->values,
                                      built.type);
    const auto& texts = std::get<Texts>(built.value).values;
    return Parameter::TextArray(built.name, static_cast<Int32>(texts.size()), 1, UniStrings(texts));
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

std::vector<std::u16string> Units(const std::vector<GS::UniString>& texts) {
    std::vector<std::u16string> units;
    for (const GS::UniString& text : texts)
        units.push_back(text.GetUnits());
    return units;
}

std::vector<std::u16string> Units(const GS::Array<GS::UniString>& texts) {
    std::vector<std::u16string> units;
    for (const GS::UniString& text : texts)
        units.push_back(text.GetUnits());
    return units;
}

// The decoded parameter holds what it was built from.
void CheckValue(const Parameter& parameter, const Built& built) {
    RC_ASSERT(parameter.GetName() == built.name);
    if (const auto* scalar = std::get_if<Scalar>(&built.value)) {
        RC_ASSERT(parameter.GetType() == built.type);
        RC_ASSERT_FALSE(parameter.IsArray());
        RC_ASSERT(SameBits(parameter.GetReal(), scalar->value));
    } else if (const auto* text = std::get_if<Text>(&built.value)) {
        RC_ASSERT(parameter.GetType() == APIParT_CString);
        RC_ASSERT(parameter.GetText().GetUnits() == text->value);
    } else if (const auto* numbers = std::get_if<Numbers>(&built.value)) {
        RC_ASSERT(parameter.IsArray());
        RC_ASSERT(parameter.GetDim1() == numbers->rows);
        RC_ASSERT(parameter.GetDim2() == numbers->columns);
        RC_ASSERT(SameBits(parameter.GetNumbers(), numbers->values));
    } else {
        const auto& texts = std::get<Texts>(built.value).values;
        RC_ASSERT(parameter.IsArray());
        RC_ASSERT(parameter.GetDim1() == static_cast<Int32>(texts.size()));
        RC_ASSERT(Units(parameter.GetTexts()) == texts);
    }
}

rc::Gen<std::vector<Built>> AnyList() {
    return rc::gen::resize(10, rc::gen::container<std::vector<Built>>(AnyBuilt()));
}

RC_GTEST_PROP(ParameterRecordProperty, EncodedListDecodesByteForByte, ()) {
    const std::vector<Built> built = *AnyList();
    ParameterList original;
    for (const Built& b : built)
        original.push_back(Build(b));
    const Int64 liveBefore = BMGetLiveHandleCount();

    GSHandle handle = Headless::EncodeParameters(original);
    RC_ASSERT(BMGetHandleSize(handle) == GSSize(original.size() * sizeof(API_AddParType)));
    const ParameterList decoded = Headless::DecodeParameters(handle);
    Headless::FreeParameterHandle(&handle);
    RC_ASSERT(handle == nullptr);
    RC_ASSERT(BMGetLiveHandleCount() == liveBefore);

    RC_ASSERT(decoded.size() == original.size());
    for (std::size_t k = 0; k < decoded.size(); ++k) {
        RC_ASSERT(std::memcmp(&decoded[k].record, &original[k].record, sizeof(API_AddParType)) == 0);
        RC_ASSERT(decoded[k].arrayData == original[k].arrayData);
        CheckValue(decoded[k], built[k]);
    }
}

RC_GTEST_PROP(ParameterRecordProperty, AddOnReadsWhatTheHostHandsOut, ()) {
    const std::vector<Built> built = *AnyList();
    ParameterList list;
    for (const Built& b : built)
        list.push_back(Build(b));
    GSHandle handle = Headless::EncodeParameters(list);
    auto** params = reinterpret_cast<API_AddParType**>(handle);

    RC_ASSERT(Zarimark::GetParameterCount(params) == USize(built.size()));
    for (std::size_t k = 0; k < built.size(); ++k) {
        const API_AddParType& record = Zarimark::GetParameter(params, static_cast<UIndex>(k));
        RC_ASSERT(Zarimark::ParameterName(GS::UniString(built[k].name)).Matches(record));
        if (const auto* text = std::get_if<Text>(&built[k].value)) {
            RC_ASSERT(Zarimark::IsScalarTextParameter(record));
            RC_ASSERT(Zarimark::GetScalarText(record).GetUnits() == text->value);
        } else if (const auto* numbers = std::get_if<Numbers>(&built[k].value)) {
            RC_ASSERT(Zarimark::IsNumericArrayParameter(record));
            RC_ASSERT(Zarimark::GetArrayDataSize(record) == GSSize(numbers->values.size() * sizeof(double)));
        } else if (const auto* texts = std::get_if<Texts>(&built[k].value)) {
            RC_ASSERT(Zarimark::IsArrayParameter(record));
            RC_ASSERT(Units(Zarimark::ReadTextArray(record)) == texts->values);
        } else {
            RC_ASSERT_FALSE(Zarimark::IsArrayParameter(record));
        }
    }
    Headless::FreeParameterHandle(&handle);
}

RC_GTEST_PROP(ParameterRecordProperty, HostReadsWhatTheAddOnWrites, ()) {
    const auto text = *Generators::NonZeroUnits(API_UniLongNameLen - 1);
    const auto texts =
        *rc::gen::resize(8, rc::gen::container<std::vector<std::u16string>>(Generators::NonZeroUnits(20)));
    const int rows = *rc::gen::inRange(0, 5);
    const int columns = *rc::gen::inRange(1, 4);
    const auto numbers = *rc::gen::container<std::vector<double>>(static_cast<std::size_t>(rows * columns),
                                                                  rc::gen::arbitrary<double>());
    // The declared parameters start with other values, as a part's defaults.
    GSHandle handle = Headless::EncodeParameters({Parameter::Text("id", "default"),
                                                  Parameter::NumberArray("areas", 1, 1, {7.0}),
                                                  Parameter::TextArray("codes", 2, 1, {"A", "B"})});
    auto** params = reinterpret_cast<API_AddParType**>(handle);

    RC_ASSERT(Zarimark::SetScalarText(Zarimark::GetParameter(params, 0), GS::UniString(text)));
    GS::Array<double> values;
    for (double n : numbers)
        values.Push(n);
    RC_ASSERT(Zarimark::WriteRealArray(Zarimark::GetParameter(params, 1), rows, columns, values) == NoError);
    GS::Array<GS::UniString> textValues;
    for (const std::u16string& t : texts)
        textValues.Push(GS::UniString(t));
    RC_ASSERT(Zarimark::WriteTextArray(Zarimark::GetParameter(params, 2), textValues) == NoError);

    const ParameterList decoded = Headless::DecodeParameters(handle);
    Headless::FreeParameterHandle(&handle);
    RC_ASSERT(decoded.size() == 3u);
    RC_ASSERT(decoded[0].GetText().GetUnits() == text);
    RC_ASSERT(decoded[1].GetDim1() == rows);
    RC_ASSERT(decoded[1].GetDim2() == columns);
    RC_ASSERT(SameBits(decoded[1].GetNumbers(), numbers));
    RC_ASSERT(decoded[2].GetDim1() == static_cast<Int32>(texts.size()));
    RC_ASSERT(Units(decoded[2].GetTexts()) == texts);
}

} // namespace
