#ifndef FORMATS_RESOURCEMODULE_HPP
#define FORMATS_RESOURCEMODULE_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The compiled resource module: its byte layout, the image as a whole and the payloads whose
// layout the resource compiler, the RS runtime and the headless host all rely on. Every number
// is little-endian; Docs/resources.md describes the format.
namespace Formats::ResourceModule {

constexpr std::uint8_t Magic[4] = {'Z', 'R', 'S', 'M'};
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
constexpr std::uint32_t FolderNameUnits = FolderNameBytes / 2;
constexpr std::uint32_t FolderEntrySize = FolderNameBytes + 2;
// FILE: a 32-bit length of the rest, then the file's bytes.
constexpr std::uint32_t LengthPrefixSize = 4;

// Four-character type codes are stored as big-endian-ordered numbers: 'STR#' is 0x53545223.
std::uint32_t TypeFromCode(const std::string& code); // the first four characters
std::string CodeFromType(std::uint32_t type);
std::string DescribeResource(std::uint32_t type, std::int32_t id); // "resource 'STR#' 32000"

struct Resource {
    std::uint32_t type = 0;
    std::int32_t id = 0;
    std::u16string name;
    std::vector<std::uint8_t> data;

    bool operator==(const Resource& other) const {
        return type == other.type && id == other.id && name == other.name && data == other.data;
    }
};

// A directory entry as read: where the resource's data lies in the image.
struct Entry {
    std::uint32_t type = 0;
    std::int32_t id = 0;
    std::u16string name;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// Header, directory, then each resource's name and data, in the order given. False (and the
// image untouched) when the module would not fit 32-bit offsets.
bool WriteImage(const std::vector<Resource>& resources, std::vector<std::uint8_t>* image, std::string* error);

// Checks the header, that every name and data range lies within the image after the directory,
// and that no (type, ID) pair appears twice; payloads are not looked at. False with a reason.
bool ReadDirectory(const std::uint8_t* image, std::uint64_t size, std::vector<Entry>* entries,
                   std::string* error);
// Every resource of a sound image, with a copy of its data.
bool ReadImage(const std::uint8_t* image, std::uint64_t size, std::vector<Resource>* resources,
               std::string* error);

struct FolderEntry {
    std::u16string name;
    std::uint16_t fileId = 0;

    bool operator==(const FolderEntry& other) const { return name == other.name && fileId == other.fileId; }
};

// Layout only: a name may be empty, and two entries may name the same FILE. A name fills its
// field from the start; only zeros may follow its end. Reasons name no resource; callers prefix.
bool DecodeFolder(const std::uint8_t* data, std::size_t size, std::vector<FolderEntry>* entries,
                  std::string* error);
// False when a name does not fit its field or there are more entries than the count can hold.
bool EncodeFolder(const std::vector<FolderEntry>& entries, std::vector<std::uint8_t>* data,
                  std::string* error);

bool DecodeFile(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>* bytes,
                std::string* error);
std::vector<std::uint8_t> EncodeFile(const std::vector<std::uint8_t>& bytes);

} // namespace Formats::ResourceModule

#endif
