#include "OutputFiles.hpp"

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace ResourceCompiler {

namespace fs = std::filesystem;

namespace {

std::string TemporaryPath(const std::string& path) {
    return path + ".tmp" + std::to_string(static_cast<long>(::getpid()));
}

bool WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    return !out.fail();
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

} // namespace

bool WriteAllOrNothing(const std::vector<OutputFile>& files, std::string* error) {
    std::vector<std::string> written;
    for (const OutputFile& file : files) {
        const std::string temporary = TemporaryPath(file.path);
        written.push_back(temporary);
        if (!WriteFile(temporary, file.contents)) {
            *error = "cannot write '" + file.path + "'";
            for (const std::string& path : written)
                RemoveQuietly(path);
            return false;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code failure;
        fs::rename(written[i], files[i].path, failure);
        if (failure) {
            *error = "cannot replace '" + files[i].path + "': " + failure.message();
            // Outputs renamed already would no longer match the rest: drop them too.
            for (std::size_t k = 0; k < files.size(); ++k)
                RemoveQuietly(k < i ? files[k].path : written[k]);
            return false;
        }
    }
    return true;
}

} // namespace ResourceCompiler
