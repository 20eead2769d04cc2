#ifndef FORMATS_LIBPART_FORMATFAILURE_HPP
#define FORMATS_LIBPART_FORMATFAILURE_HPP

#include <cstddef>
#include <string>

namespace LibPartFormat {

// Thrown inside the reader only; Read turns it into a ReadProblem, so nothing escapes the library.
struct FormatFailure {
    std::size_t offset;
    std::string reason;
};

} // namespace LibPartFormat

#endif
