// The add-on's stored preference block, whatever the host holds: any version, size, platform
// sign and bytes, and failing reads. The add-on takes its block only when it is version 1 of
// 8 bytes, converting the mark from a big-endian writer; anything else gives the defaults.
// What it writes back reads as what it read.
//
// Input: a flags byte (bit 0 a block is stored, bits 1 and 2 the first or second read fails),
// the version (4 bytes, little-endian), the platform sign (2 bytes, little-endian), the data.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "AddOn/AddOnPreferences.hpp"
#include "AddOn/FrameState.hpp"
#include "FuzzCheck.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Host/AddOnLoading.hpp"

namespace {

using Zarimark::AddOnPreferences;

constexpr std::size_t HeaderSize = 7;
constexpr GSErrCode ReadFailure = static_cast<GSErrCode>(0x81060E02);

struct Input {
    Headless::StoredPreferences stored;
    bool failFirstRead = false;
    bool failSecondRead = false;
};

std::uint32_t Little(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int k = count - 1; k >= 0; --k)
        value = value << 8 | bytes[k];
    return value;
}

std::uint32_t Big(const std::uint8_t* bytes) {
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 |
           bytes[3];
}

Input Decode(const std::uint8_t* data, std::size_t size) {
    Input input;
    input.stored.present = (data[0] & 1) != 0;
    input.failFirstRead = (data[0] & 2) != 0;
    input.failSecondRead = (data[0] & 4) != 0;
    input.stored.version = static_cast<Int32>(Little(data + 1, 4));
    input.stored.platformSign = static_cast<UInt16>(Little(data + 5, 2));
    input.stored.data.assign(data + HeaderSize, data + size);
    return input;
}

// What the add-on must make of the block, worked out from the bytes alone.
AddOnPreferences Expected(const Input& input) {
    const Headless::StoredPreferences& stored = input.stored;
    AddOnPreferences expected;
    if (!stored.present || stored.version != 1 || stored.data.size() != 8 || input.failFirstRead ||
        input.failSecondRead)
        return expected;
    const std::uint8_t* bytes = stored.data.data();
    const bool bigEndian = stored.platformSign == GS::Mac_Platform_Sign;
    expected.prefsMark = static_cast<Int32>(bigEndian ? Big(bytes) : Little(bytes, 4));
    expected.showMissingIdWarning = bytes[4] != 0;
    return expected;
}

std::string Describe(const AddOnPreferences& preferences) {
    return "mark " + std::to_string(preferences.prefsMark) + ", warning " +
           (preferences.showMissingIdWarning ? "shown" : "hidden");
}

bool Same(const AddOnPreferences& a, const AddOnPreferences& b) {
    return a.prefsMark == b.prefsMark && a.showMissingIdWarning == b.showMissingIdWarning;
}

Headless::HeadlessHost& Host() {
    static Headless::HeadlessHost* host = [] {
        auto* created = new Headless::HeadlessHost;
        created->SetCallLogging(false);
        static int token = 0;
        Require(Zarimark::FrameState::AcceptHostOperations(created, HostOperationCount, &token) == NoError,
                "the add-on takes the host's operations");
        return created;
    }();
    return *host;
}

void CheckStoredBlock(const AddOnPreferences& written) {
    const Headless::StoredPreferences& stored = Host().GetStoredPreferences();
    Require(stored.present && stored.version == 1 && stored.data.size() == 8, "the written block is 8 bytes");
    Require(stored.platformSign == GS::Win_Platform_Sign, "the written block is little-endian");
    const std::uint8_t* bytes = stored.data.data();
    Require(static_cast<Int32>(Little(bytes, 4)) == written.prefsMark, "the mark is written as read");
    Require(bytes[4] == (written.showMissingIdWarning ? 1 : 0), "the flag is written as 0 or 1");
    Require(bytes[5] == 0 && bytes[6] == 0 && bytes[7] == 0, "the padding is written as zeros");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < HeaderSize)
        return 0;
    const Input input = Decode(data, size);
    Headless::HeadlessHost& host = Host();
    host.ClearFaults();
    host.SetStoredPreferences(input.stored);
    if (input.failFirstRead)
        host.InjectFault("HostGetPreferences", 1, ReadFailure);
    if (input.failSecondRead)
        host.InjectFault("HostGetPreferences", 2, ReadFailure);

    const AddOnPreferences read = Zarimark::ReadAddOnPreferences();
    const AddOnPreferences expected = Expected(input);
    Require(Same(read, expected), "read " + Describe(read) + ", expected " + Describe(expected));

    host.ClearFaults();
    Require(Zarimark::WriteAddOnPreferences(read) == NoError, "the block is written");
    CheckStoredBlock(read);
    const AddOnPreferences again = Zarimark::ReadAddOnPreferences();
    Require(Same(again, read), "the written block reads back: " + Describe(again));
    return 0;
}
