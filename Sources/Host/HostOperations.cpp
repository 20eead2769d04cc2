#include "Host/HostOperations.hpp"

namespace {
HostInterface* currentHost = nullptr;
}

namespace Host {
void SetCurrentHost(HostInterface* host) {
    currentHost = host;
}

HostInterface* GetCurrentHost() {
    return currentHost;
}
} // namespace Host

#define HOST_OPERATION(name, parameters, arguments, keys)                                                    \
    GSErrCode name parameters {                                                                              \
        return currentHost != nullptr ? currentHost->name arguments : APIERR_MISSINGOPERATION;               \
    }
#define HOST_QUERY(type, name, parameters, arguments, answer, keys)                                          \
    type name parameters {                                                                                   \
        return currentHost != nullptr ? currentHost->name arguments : answer;                                \
    }
#include "Host/HostCatalogue.def"
