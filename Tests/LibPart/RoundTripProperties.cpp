// Any part the model allows writes, and reads back equal.
#include "Formats/LibPart/LibPartFile.hpp"
#include "Generators.hpp"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace LibPartTests {
namespace {

using namespace LibPartFormat;

rc::Gen<Guid> AnyGuid() {
    return rc::gen::map(rc::gen::container<std::array<std::uint8_t, 16>>(rc::gen::arbitrary<std::uint8_t>()),
                        [](const std::array<std::uint8_t, 16>& bytes) {
                            Guid guid;
                            guid.stored = bytes;
                            return guid;
                        });
}

rc::Gen<std::string> ParameterName() {
    static const std::string starts = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
    static const std::string rest = starts + "0123456789";
    return rc::gen::map(rc::gen::pair(rc::gen::elementOf(starts),
                                      rc::gen::resize(MaxNameLength - 1, rc::gen::container<std::string>(
                                                                             rc::gen::elementOf(rest)))),
                        [](const std::pair<char, std::string>& name) {
                            return (name.first + name.second).substr(0, MaxNameLength);
                        });
}

rc::Gen<double> NumberOf(ParamType type) {
    switch (type) {
    case ParamType::Integer:
    case ParamType::PenColor:
        return rc::gen::map(rc::gen::arbitrary<std::int32_t>(), [](std::int32_t n) { return double(n); });
    case ParamType::Boolean:
        return rc::gen::element(0.0, 1.0);
    default:
        return rc::gen::oneOf(
            rc::gen::element(0.0, -0.0, 1e-300, -1e300, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min()),
            rc::gen::suchThat(rc::gen::arbitrary<double>(), [](double x) { return std::isfinite(x); }));
    }
}

// A parameter of each kind, scalar or array; values follow the kind's rules.
rc::Gen<Parameter> AnyParameter() {
    const auto type =
        rc::gen::element(ParamType::Integer, ParamType::Length, ParamType::Angle, ParamType::RealNum,
                         ParamType::PenColor, ParamType::Text, ParamType::Boolean);
    return rc::gen::mapcat(
        rc::gen::tuple(type, rc::gen::arbitrary<bool>(), rc::gen::inRange(0, 4), rc::gen::inRange(1, 4)),
        [](const std::tuple<ParamType, bool, int, int>& shape) {
            Parameter parameter;
            std::tie(parameter.type, parameter.isArray, parameter.rows, parameter.columns) = shape;
            if (!parameter.isArray)
                parameter.rows = parameter.columns = 0;
            const std::size_t count = parameter.ValueCount();
            const auto texts = rc::gen::container<std::vector<std::u16string>>(
                parameter.IsText() ? count : 0,
                Generators::NonZeroUnits(parameter.isArray ? 300 : MaxTextUnits));
            const auto numbers = rc::gen::container<std::vector<double>>(parameter.IsText() ? 0 : count,
                                                                         NumberOf(parameter.type));
            return rc::gen::map(
                rc::gen::tuple(ParameterName(), Generators::NonZeroUnits(MaxTextUnits), texts, numbers),
                [parameter](const auto& values) {
                    Parameter made = parameter;
                    std::tie(made.name, made.description, made.texts, made.numbers) = values;
                    return made;
                });
        });
}

rc::Gen<std::vector<std::u16string>> Texts() {
    return rc::gen::resize(6, rc::gen::container<std::vector<std::u16string>>(Generators::NonZeroUnits(30)));
}

rc::Gen<LibPart> AnyPart() {
    return rc::gen::build<LibPart>(
        rc::gen::set(&LibPart::name, rc::gen::just(std::string("Random.gsm"))),
        rc::gen::set(&LibPart::mainGuid, AnyGuid()), rc::gen::set(&LibPart::revisionGuid, AnyGuid()),
        rc::gen::set(&LibPart::ancestry,
                     rc::gen::resize(4, rc::gen::container<std::vector<Guid>>(AnyGuid()))),
        rc::gen::set(&LibPart::macros, Texts()), rc::gen::set(&LibPart::masterScript, Generators::Utf8Text()),
        rc::gen::set(&LibPart::script2D, Generators::Utf8Text()),
        rc::gen::set(&LibPart::uiScript, Generators::Utf8Text()),
        rc::gen::set(&LibPart::parameterScript, Generators::Utf8Text()),
        rc::gen::set(&LibPart::parameters,
                     rc::gen::resize(12, rc::gen::uniqueBy<std::vector<Parameter>>(
                                             AnyParameter(), [](const Parameter& p) { return p.name; }))),
        rc::gen::set(&LibPart::author, Generators::NonZeroUnits(40)),
        rc::gen::set(&LibPart::license, Generators::NonZeroUnits(40)),
        rc::gen::set(&LibPart::keywords, Generators::NonZeroUnits(40)),
        rc::gen::set(&LibPart::comment, Generators::Utf8Text()));
}

RC_GTEST_PROP(LibPartRoundTripProperty, WrittenPartReadsBackEqual, ()) {
    const LibPart part = *AnyPart();
    const WriteResult written = Write(part);
    RC_ASSERT(written.Ok());

    const ReadResult read = Read(part.name, written.bytes);
    RC_ASSERT(read.Ok());
    RC_ASSERT(read.part->SameContent(part));
    RC_ASSERT(read.part->parameters.size() == part.parameters.size());
    for (std::size_t k = 0; k < part.parameters.size(); ++k)
        RC_ASSERT(read.part->parameters[k] == part.parameters[k]);
    // The section directory tiles the file: each section starts where the previous one ended.
    RC_ASSERT(read.part->sections.size() == std::size_t{SectionCount});
    std::uint32_t next = FirstSectionOffset;
    for (const SectionPlace& section : read.part->sections) {
        RC_ASSERT(section.offset == next);
        next += section.length;
    }
    RC_ASSERT(next == written.bytes.size());
}

// Whatever part a damaged file claims, the reader either refuses it with a place in the file or
// gives a part that writes back to exactly those bytes.
RC_GTEST_PROP(LibPartRoundTripProperty, DamagedFileIsRefusedOrReadsAsWhatItHolds, ()) {
    const LibPart part = *AnyPart();
    std::vector<std::uint8_t> bytes = Write(part).bytes;
    RC_ASSERT(!bytes.empty());
    const std::size_t at = *rc::gen::inRange<std::size_t>(0, bytes.size());
    bytes[at] ^= *rc::gen::inRange<int>(1, 256);

    const ReadResult read = Read(part.name, bytes);
    if (!read.Ok()) {
        RC_ASSERT(read.problem.offset <= bytes.size());
        RC_ASSERT(!read.problem.reason.empty());
        return;
    }
    const WriteResult again = Write(*read.part);
    RC_ASSERT(again.Ok());
    RC_ASSERT(again.bytes == bytes);
}

} // namespace
} // namespace LibPartTests
