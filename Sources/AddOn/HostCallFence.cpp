#include "AddOn/HostCallFence.hpp"

#include "AddOn/EntryGuard.hpp"

namespace Zarimark {

#define HOST_OPERATION(name, parameters, arguments, keys)                                                    \
    GSErrCode HostCallFence::name parameters {                                                               \
        return CatchInto<GSErrCode>(#name, APIERR_GENERAL, [&] { return target_.name arguments; });          \
    }
#define HOST_QUERY(type, name, parameters, arguments, answer, keys)                                          \
    type HostCallFence::name parameters {                                                                    \
        return CatchInto<type>(#name, answer, [&] { return target_.name arguments; });                       \
    }
#include "Host/HostCatalogue.def"

} // namespace Zarimark
