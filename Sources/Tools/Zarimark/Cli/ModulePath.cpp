#include <climits>
#include <string>
#include <unistd.h>

#include "Cli/Commands.hpp"

namespace Cli {

std::string DefaultModulePath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return "libZarimark.so";
    const std::string executable(path, static_cast<std::size_t>(length));
    const std::size_t slash = executable.rfind('/');
    return (slash == std::string::npos ? std::string(".") : executable.substr(0, slash)) + "/libZarimark.so";
}

} // namespace Cli
