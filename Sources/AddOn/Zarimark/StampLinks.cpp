#include "AddOn/Zarimark/StampLinks.hpp"

#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace {

GSErrCode Unlink(const API_Guid& from, const API_Guid& to) {
    const GSErrCode err = HostUnlinkElements(from, to);
    return err == APIERR_LINKNOTEXIST ? NoError : err;
}

} // namespace

GSErrCode LinkBothWays(const API_Guid& first, const API_Guid& second) {
    const GSErrCode err = HostLinkElements(first, second, 0);
    return err != NoError ? err : HostLinkElements(second, first, 0);
}

GSErrCode UnlinkBothWays(const API_Guid& first, const API_Guid& second) {
    const GSErrCode err = Unlink(first, second);
    return err != NoError ? err : Unlink(second, first);
}

} // namespace Zarimark
