#ifndef RESOURCECOMPILER_COMPILEERROR_HPP
#define RESOURCECOMPILER_COMPILEERROR_HPP

#include <stdexcept>
#include <string>

namespace ResourceCompiler {

// A place in an original resource source (before preprocessing).
struct SourceLocation {
    std::string file;
    int line = 0;

    // "file:line", or only the file for a problem with the file as a whole (line 0).
    std::string ToString() const { return line > 0 ? file + ":" + std::to_string(line) : file; }
};

// Bad input: the message reads "file:line: reason", ready for the user.
class CompileError : public std::runtime_error {
public:
    CompileError(const SourceLocation& where, const std::string& reason)
        : std::runtime_error(where.ToString() + ": " + reason), where_(where), reason_(reason) {}

    const SourceLocation& Where() const { return where_; }
    const std::string& Reason() const { return reason_; }

private:
    SourceLocation where_;
    std::string reason_;
};

} // namespace ResourceCompiler

#endif
