#ifndef ZARIMARK_ELEMENTMEMOSCOPE_HPP
#define ZARIMARK_ELEMENTMEMOSCOPE_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// Owns one host element memo and hands it back to the host when the scope ends, whatever path
// leaves it. The memo starts empty; fill it with Fetch or through Get by any host operation.
class ElementMemoScope {
public:
    ElementMemoScope() = default;
    ~ElementMemoScope();
    ElementMemoScope(const ElementMemoScope&) = delete;
    ElementMemoScope& operator=(const ElementMemoScope&) = delete;

    GSErrCode Fetch(const API_Guid& guid, UInt64 memoMask);

    API_ElementMemo* Get() { return &memo_; }
    API_AddParType** GetParams() const { return memo_.params; }

private:
    API_ElementMemo memo_;
};

} // namespace Zarimark

#endif
