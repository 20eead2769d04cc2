#include "AddOn/Zarimark/ParameterListCopy.hpp"

#include <cstring>

#include "AddOn/Zarimark/ParameterRecord.hpp"
#include "GSRoot/MemoryHandle.hpp"

namespace Zarimark {

namespace {

bool CopyArrayData(API_AddParType& record) {
    const GSHandle source = record.value.array;
    record.value.array = nullptr;
    if (source == nullptr)
        return true;
    const GSSize size = BMGetHandleSize(source);
    GSHandle copy = BMAllocateHandle(size, ALLOCATE_CLEAR, 0);
    if (copy == nullptr)
        return false;
    std::memcpy(*copy, *source, static_cast<std::size_t>(size));
    record.value.array = copy;
    return true;
}

void Release(API_AddParType**& params) {
    const USize count = GetParameterCount(params);
    for (UIndex i = 0; i < count; ++i) {
        API_AddParType& record = GetParameter(params, i);
        if (IsArrayParameter(record))
            BMKillHandle(&record.value.array);
    }
    GSHandle handle = reinterpret_cast<GSHandle>(params);
    BMKillHandle(&handle);
    params = nullptr;
}

} // namespace

ParameterListCopy::ParameterListCopy(const API_AddParType* const* params) {
    if (params == nullptr) {
        valid_ = true;
        return;
    }
    const GSSize size = BMGetHandleSize(reinterpret_cast<GSConstHandle>(params));
    GSHandle handle = BMAllocateHandle(size, ALLOCATE_CLEAR, 0);
    if (handle == nullptr)
        return;
    std::memcpy(*handle, *reinterpret_cast<GSConstHandle>(params), static_cast<std::size_t>(size));
    memo_.params = reinterpret_cast<API_AddParType**>(handle);
    const USize count = GetParameterCount(memo_.params);
    valid_ = true;
    for (UIndex i = 0; i < count; ++i) {
        API_AddParType& record = GetParameter(memo_.params, i);
        // Until copied, a record's handle is the template's: it must never be released here.
        if (!IsArrayParameter(record))
            continue;
        if (!valid_)
            record.value.array = nullptr;
        else
            valid_ = CopyArrayData(record);
    }
    if (!valid_)
        Release(memo_.params);
}

ParameterListCopy::~ParameterListCopy() {
    if (memo_.params != nullptr)
        Release(memo_.params);
}

} // namespace Zarimark
