#ifndef IO_LOCATION_HPP
#define IO_LOCATION_HPP

#include <string>

namespace IO {

// A file location, as a library-part record may hold it after a lookup.
class Location {
public:
    Location() = default;
    explicit Location(std::string path) : path_(std::move(path)) {}

    const std::string& ToPath() const { return path_; }
    bool IsEmpty() const { return path_.empty(); }

private:
    std::string path_;
};

} // namespace IO

#endif
