#ifndef RS_MODULEFORMAT_HPP
#define RS_MODULEFORMAT_HPP

#include <cstdint>

// Byte layout of a compiled resource module, shared by the resource compiler that writes it and
// the RS runtime that reads it. Every number is little-endian; Docs/resources.md describes it.
namespace RS::ModuleFormat {

constexpr unsigned char Magic[4] = {'Z', 'R', 'S', 'M'};
constexpr std::uint16_t Version = 1;

// magic[4], version u16, reserved u16, entry count u32, image length u32
constexpr std::uint32_t HeaderSize = 16;
// type u32, id i32, name offset u32, name length u32 (bytes of UTF-16LE), data offset u32, data length u32
constexpr std::uint32_t EntrySize = 24;

// Alert kinds (GALR), as stored.
constexpr std::uint16_t AlertInformation = 0;
constexpr std::uint16_t AlertWarning = 1;
constexpr std::uint16_t AlertError = 2;

// Dialog kinds and flags (GDLG), as stored.
constexpr std::uint16_t DialogModal = 0;
constexpr std::uint16_t DialogPalette = 1;
constexpr std::uint16_t DialogModeless = 2;
constexpr std::uint16_t DialogFlagGrow = 0x1;

// Dialog item kinds, fonts and flags, as stored.
constexpr std::uint16_t ItemButton = 0;
constexpr std::uint16_t ItemLeftText = 1;
constexpr std::uint16_t ItemSeparator = 2;
constexpr std::uint16_t ItemSingleSelList = 3;
constexpr std::uint16_t ItemIcon = 4;
constexpr std::uint16_t ItemKindCount = 5;

constexpr std::uint16_t FontLargePlain = 0;
constexpr std::uint16_t FontSmallPlain = 1;
constexpr std::uint16_t FontLargeBold = 2;
constexpr std::uint16_t FontSmallBold = 3;
constexpr std::uint16_t FontExtraSmall = 4;
constexpr std::uint16_t FontCount = 5;

constexpr std::uint16_t ItemFlagHeader = 0x1;

// FLDR: a 32-bit length of the rest, a 16-bit count, then per entry a zero-padded UTF-16LE name
// and the 16-bit ID of the FILE resource holding that file.
constexpr std::uint32_t FolderNameBytes = 524;
constexpr std::uint32_t FolderEntrySize = FolderNameBytes + 2;

} // namespace RS::ModuleFormat

#endif
