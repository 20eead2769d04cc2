#include "TestSupport.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace ResourceTests {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zm-resources-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

fs::path TempDir::Write(const std::string& name, const std::string& contents) const {
    const fs::path path = path_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

std::vector<std::string> TempDir::FileNames() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_))
        names.push_back(fs::relative(entry.path(), path_).string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

std::string Quote(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument)
        quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

CompilerRun RunCompiler(const fs::path& workDir, const std::vector<std::string>& arguments) {
    const fs::path errors = workDir / ".." / (workDir.filename().string() + ".stderr");
    std::string command = "cd " + Quote(workDir.string()) + " && " + Quote(ZM_RESOURCE_COMPILER_PATH);
    for (const std::string& argument : arguments)
        command += " " + Quote(argument);
    command += " 2>" + Quote(errors.string());
    const int status = std::system(command.c_str());
    CompilerRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const std::vector<unsigned char> text = ReadBytes(errors);
    run.errors.assign(text.begin(), text.end());
    std::error_code ignored;
    fs::remove(errors, ignored);
    return run;
}

std::vector<unsigned char> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace ResourceTests
