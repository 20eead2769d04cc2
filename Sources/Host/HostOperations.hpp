#ifndef HOST_HOSTOPERATIONS_HPP
#define HOST_HOSTOPERATIONS_HPP

#include "Host/HostInterface.hpp"

// The host operations as the add-on calls them, made from Host/HostCatalogue.def. Each forwards
// to the host whose operation table arrived at load time; with none, it answers as a host that
// lacks the operation.

namespace Host {
void SetCurrentHost(HostInterface* host);
HostInterface* GetCurrentHost();
} // namespace Host

#define HOST_DEFAULT(value) = value
#define HOST_OPERATION(name, parameters, arguments, keys) GSErrCode name parameters;
#define HOST_QUERY(type, name, parameters, arguments, answer, keys) type name parameters;
#include "Host/HostCatalogue.def"

#endif
