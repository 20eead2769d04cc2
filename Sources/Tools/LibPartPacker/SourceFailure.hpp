#ifndef LIBPARTPACKER_SOURCEFAILURE_HPP
#define LIBPARTPACKER_SOURCEFAILURE_HPP

#include <string>

namespace LibPartPacker {

// Thrown while a source folder is read; LoadLibPartSource turns it into its error text.
struct SourceFailure {
    std::string message; // "file:line: what is wrong"
};

} // namespace LibPartPacker

#endif
