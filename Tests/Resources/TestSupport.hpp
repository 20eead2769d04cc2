#ifndef TESTS_RESOURCES_TESTSUPPORT_HPP
#define TESTS_RESOURCES_TESTSUPPORT_HPP

#include <filesystem>
#include <string>
#include <vector>

namespace ResourceTests {

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Write(const std::string& name, const std::string& contents) const;
    std::vector<std::string> FileNames() const; // sorted

private:
    std::filesystem::path path_;
};

struct CompilerRun {
    int exitCode = -1;
    std::string errors; // what the compiler wrote to stderr
};

// Runs the built resource compiler in `workDir` with the given arguments.
CompilerRun RunCompiler(const std::filesystem::path& workDir, const std::vector<std::string>& arguments);

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path);

} // namespace ResourceTests

#endif
