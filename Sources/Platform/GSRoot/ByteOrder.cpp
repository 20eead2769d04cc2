#include "GSRoot/ByteOrder.hpp"

#include <cstring>

namespace {

bool IsLittleEndianMachine() {
    const UInt16 probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

// Only the two known signs say anything about byte order; an unknown sign leaves values alone.
bool NeedsSwap(GSPlatformSign fromPlatform) {
    if (fromPlatform == GS::Win_Platform_Sign)
        return !IsLittleEndianMachine();
    if (fromPlatform == GS::Mac_Platform_Sign)
        return IsLittleEndianMachine();
    return false;
}

template <typename T>
void SwapBytes(T* value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T) / 2; ++i) {
        const unsigned char keep = bytes[i];
        bytes[i] = bytes[sizeof(T) - 1 - i];
        bytes[sizeof(T) - 1 - i] = keep;
    }
    std::memcpy(value, bytes, sizeof(T));
}

} // namespace

void IVLong(GSPlatformSign fromPlatform, Int32* value) {
    if (value != nullptr && NeedsSwap(fromPlatform))
        SwapBytes(value);
}

void IVShort(GSPlatformSign fromPlatform, Int16* value) {
    if (value != nullptr && NeedsSwap(fromPlatform))
        SwapBytes(value);
}

// The stored byte may hold any value; reading it as a bool would be undefined, so read the byte.
void IVBool(GSPlatformSign /*fromPlatform*/, bool* value) {
    if (value == nullptr)
        return;
    unsigned char raw = 0;
    std::memcpy(&raw, value, 1);
    *value = raw != 0;
}
