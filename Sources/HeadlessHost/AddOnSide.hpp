#ifndef HEADLESSHOST_ADDONSIDE_HPP
#define HEADLESSHOST_ADDONSIDE_HPP

#include <functional>

#include "GSRoot/Definitions.hpp"

namespace Headless {

class Registrations;

// The add-on as the in-memory host reaches it: what it registered through the host's
// operations, the resource module it came with, and the calls into it. The add-on session
// provides it.
class AddOnSide {
public:
    virtual ~AddOnSide() = default;

    virtual Registrations& GetRegistrations() = 0;
    virtual GSResModule GetResourceModule() const = 0;
    // One call from the host into the add-on; what escapes the add-on stops here and the call
    // answers APIERR_GENERAL.
    virtual GSErrCode CallIntoAddOn(const std::function<GSErrCode()>& call) = 0;
};

// Told when a call into the add-on begins and when it has ended, so that the host can hold the
// add-on's changes back until the outermost call has returned.
class AddOnCallListener {
public:
    virtual ~AddOnCallListener() = default;

    virtual void AddOnCallBegins() = 0;
    virtual void AddOnCallEnded() = 0;
};

} // namespace Headless

#endif
