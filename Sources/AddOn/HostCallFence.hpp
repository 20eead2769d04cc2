#ifndef ADDON_HOSTCALLFENCE_HPP
#define ADDON_HOSTCALLFENCE_HPP

#include "Host/HostInterface.hpp"

namespace Zarimark {

// Stands between the add-on and the host's operations. An operation that throws answers as one
// that failed: APIERR_GENERAL, or a query's answer for a host that lacks it. So a thrown host
// failure takes the path of a returned one (the stamp listed as wrong, the alert shown) instead of
// unwinding past the code that would have told the user.
class HostCallFence : public HostInterface {
public:
    explicit HostCallFence(HostInterface& target) : target_(target) {}

#define HOST_OPERATION(name, parameters, arguments, keys) GSErrCode name parameters override;
#define HOST_QUERY(type, name, parameters, arguments, answer, keys) type name parameters override;
#include "Host/HostCatalogue.def"

private:
    HostInterface& target_;
};

} // namespace Zarimark

#endif
