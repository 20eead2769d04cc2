#ifndef GSROOT_DEFINITIONS_HPP
#define GSROOT_DEFINITIONS_HPP

#include <cstddef>
#include <cstdint>

// The host library's basic types, under the names the host's headers give them.
using Int8 = std::int8_t;
using UInt8 = std::uint8_t;
using Int16 = std::int16_t;
using UInt16 = std::uint16_t;
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using ULong = std::uint32_t;
using UIndex = std::uint32_t;
using USize = std::uint32_t;
using GSSize = std::int64_t;
using GSFlags = std::int32_t;
using GSErrCode = std::int32_t;
using GSResModule = std::int32_t;
using GSResID = std::int32_t;
using GSPtr = char*;
using GSConstPtr = const char*;
using GSHandle = char**;
using GSConstHandle = const char* const*;
using GSPlatformSign = std::uint16_t;

constexpr GSErrCode NoError = 0;
constexpr GSResModule InvalidResModule = -1;

namespace GS {
using UniChar = char16_t;
using uchar_t = char16_t;
using Int32 = ::Int32;
using UInt32 = ::UInt32;
using Int64 = ::Int64;
using ErrCode = ::GSErrCode;

// Platform signs stored with persisted blocks: the writer's byte order.
constexpr GSPlatformSign Win_Platform_Sign = 0x5757; // "WW": little-endian
constexpr GSPlatformSign Mac_Platform_Sign = 0x4D4D; // "MM": big-endian
constexpr GSPlatformSign Act_Platform_Sign = Win_Platform_Sign;
} // namespace GS

#endif
