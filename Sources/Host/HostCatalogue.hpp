#ifndef HOST_HOSTCATALOGUE_HPP
#define HOST_HOSTCATALOGUE_HPP

#include <cstddef>
#include <string>

// The names of the host operations, in catalogue order, for those that name an operation in
// text: fault injection, call logs, scenario files.

namespace Host {

inline constexpr const char* OperationNames[] = {
#define HOST_OPERATION(name, parameters, arguments, keys) #name,
#define HOST_QUERY(type, name, parameters, arguments, answer, keys) #name,
#include "Host/HostCatalogue.def"
};

inline constexpr std::size_t OperationCount = sizeof(OperationNames) / sizeof(OperationNames[0]);

inline bool IsOperationName(const std::string& name) {
    for (const char* operation : OperationNames) {
        if (name == operation)
            return true;
    }
    return false;
}

} // namespace Host

#endif
