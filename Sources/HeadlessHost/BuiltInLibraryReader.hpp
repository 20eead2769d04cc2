#ifndef HEADLESSHOST_BUILTINLIBRARYREADER_HPP
#define HEADLESSHOST_BUILTINLIBRARYREADER_HPP

#include <string>
#include <vector>

#include "GSRoot/Definitions.hpp"
#include "GSRoot/UniString.hpp"
#include "HeadlessHost/ElementDescs.hpp"

namespace LibPartFormat {
struct LibPart;
}

// Reading an add-on's built-in library from its resource module: the folder list (FLDR) names
// the library files, each held by a FILE resource. Every reader checks the whole of its input
// and gives a reason that names the resource and the place of the first problem.

namespace Headless {

constexpr GSResID BuiltInLibraryFolderId = 128;

struct BuiltInLibraryFile {
    GS::UniString fileName;
    GSResID fileResourceId = 0;
};

// FLDR data as stored: u32 length of the rest, u16 count, then per entry a 524-byte zero-padded
// UTF-16LE name and a u16 FILE resource ID.
bool DecodeBuiltInFolder(const std::vector<unsigned char>& data, GSResID folderId,
                         std::vector<BuiltInLibraryFile>* files, std::string* error);

// FILE data as stored: u32 length of the rest, then the file's bytes.
bool DecodeBuiltInFile(const std::vector<unsigned char>& data, GSResID fileId,
                       std::vector<unsigned char>* bytes, std::string* error);

// The host's record of a part read from a file: its unique ID is "{main GUID}-{revision GUID}";
// parameters keep their declared types, shapes, defaults and descriptions.
LibPartDesc MakeBuiltInLibPartDesc(const LibPartFormat::LibPart& part);

struct BuiltInLibraryPart {
    LibPartDesc desc;
    Int64 fileResourceId = 0;
};

// Every part the folder names, or none: false with the first problem found.
bool ReadBuiltInLibrary(GSResModule module, GSResID folderId, std::vector<BuiltInLibraryPart>* parts,
                        std::string* error);

} // namespace Headless

#endif
