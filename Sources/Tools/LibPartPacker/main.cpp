// Packs a library part's source folder into its binary file.
#include "Formats/LibPart/LibPartFile.hpp"
#include "LibPartSource.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

// Written beside the target and renamed into place, so a failed run never leaves a partial file.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    const std::filesystem::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error)
        std::filesystem::remove(temporary, error);
    return !error;
}

int Pack(const std::filesystem::path& folder, const std::filesystem::path& output) {
    const LibPartPacker::SourceResult source =
        LibPartPacker::LoadLibPartSource(folder, output.filename().string());
    if (!source.part) {
        std::cerr << "error: " << source.error << '\n';
        return 1;
    }
    const LibPartFormat::WriteResult written = LibPartFormat::Write(*source.part);
    if (!written.Ok()) {
        std::cerr << "error: " << folder.string() << ": " << written.error << '\n';
        return 1;
    }
    // The host reads the file with the same reader; refuse to ship one it would reject.
    const LibPartFormat::ReadResult check = LibPartFormat::Read(source.part->name, written.bytes);
    if (!check.Ok()) {
        std::cerr << "error: the packed part does not read back: " << check.problem.Describe() << '\n';
        return 1;
    }
    if (!WriteFileAtomically(output, written.bytes)) {
        std::cerr << "error: " << output.string() << ": cannot be written\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ZarimarkLibPartPacker SOURCE_FOLDER OUTPUT_FILE\n";
        return 2;
    }
    return Pack(argv[1], argv[2]);
}
