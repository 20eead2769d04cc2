#include <algorithm>

#include "HeadlessHost/InMemoryInternals.hpp"

// Directed element links and per-element observers.

namespace Headless {

GSErrCode InMemoryHost::HostGetElementLinks(const API_Guid& guid, GS::Array<API_Guid>* linkedElements) {
    return RunOperation([&]() -> GSErrCode {
        if (linkedElements == nullptr)
            return APIERR_BADPARS;
        // A deleted element's links stay readable until its deletion is reported.
        const ElementRecord* record = FindReadable(guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        linkedElements->Clear();
        for (const API_Guid& linked : record->links)
            linkedElements->Push(linked);
        return NoError;
    });
}

GSErrCode InMemoryHost::HostLinkElements(const API_Guid& from, const API_Guid& to, GSFlags) {
    return RunOperation([&]() -> GSErrCode {
        ElementRecord* source = FindLive(from);
        if (source == nullptr || FindLive(to) == nullptr)
            return APIERR_BADELEMENT;
        if (from == to)
            return APIERR_BADPARS;
        // Linking again keeps the one link there is.
        if (std::find(source->links.begin(), source->links.end(), to) == source->links.end())
            source->links.push_back(to);
        // A link joins two elements: both must be the user's to change.
        RecordWrite("HostLinkElements", from);
        RecordWrite("HostLinkElements", to);
        return NoError;
    });
}

GSErrCode InMemoryHost::HostUnlinkElements(const API_Guid& from, const API_Guid& to) {
    return RunOperation([&]() -> GSErrCode {
        ElementRecord* source = FindReadable(from);
        if (source == nullptr || FindReadable(to) == nullptr)
            return APIERR_BADELEMENT;
        auto found = std::find(source->links.begin(), source->links.end(), to);
        if (found == source->links.end())
            return APIERR_LINKNOTEXIST;
        source->links.erase(found); // the others keep their order
        return NoError;
    });
}

GSErrCode InMemoryHost::HostAttachElementObserver(const API_Guid& guid, GSFlags) {
    return RunOperation([&]() -> GSErrCode {
        ElementRecord* record = FindLive(guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        if (record->observed)
            return APIERR_LINKEXIST;
        record->observed = true;
        return NoError;
    });
}

GSErrCode InMemoryHost::HostDetachElementObserver(const API_Guid& guid) {
    return RunOperation([&]() -> GSErrCode {
        ElementRecord* record = FindLive(guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        if (!record->observed)
            return APIERR_LINKNOTEXIST;
        record->observed = false;
        return NoError;
    });
}

} // namespace Headless
