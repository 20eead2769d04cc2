#ifndef RESOURCECOMPILER_OUTPUTFILES_HPP
#define RESOURCECOMPILER_OUTPUTFILES_HPP

#include <string>
#include <vector>

namespace ResourceCompiler {

struct OutputFile {
    std::string path;
    std::string contents;
};

// Writes every file or none: each goes to a temporary file beside its target first and is
// renamed into place only when all were written. False with a reason otherwise.
bool WriteAllOrNothing(const std::vector<OutputFile>& files, std::string* error);

} // namespace ResourceCompiler

#endif
