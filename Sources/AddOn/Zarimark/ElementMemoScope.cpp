#include "AddOn/Zarimark/ElementMemoScope.hpp"

#include "Host/HostOperations.hpp"

ElementMemoScope::~ElementMemoScope() {
    // The host may have filled part of the memo before failing, so it is released either way.
    HostDisposeElementMemo(&memo_);
}

GSErrCode ElementMemoScope::Fetch(const API_Guid& guid, UInt64 memoMask) {
    return HostGetElementMemo(guid, &memo_, memoMask);
}
