#include "AddOn/Zarimark/ElementMemoScope.hpp"

#include "Host/HostOperations.hpp"

namespace Zarimark {

ElementMemoScope::~ElementMemoScope() {
    // The host may have filled part of the memo before failing, so it is released either way;
    // nothing may leave a destructor, which may run while another exception passes.
    try {
        HostDisposeElementMemo(&memo_);
    } catch (...) {
    }
}

GSErrCode ElementMemoScope::Fetch(const API_Guid& guid, UInt64 memoMask) {
    return HostGetElementMemo(guid, &memo_, memoMask);
}

} // namespace Zarimark
