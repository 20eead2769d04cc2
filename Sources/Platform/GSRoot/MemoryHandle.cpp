#include "GSRoot/MemoryHandle.hpp"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

// A handle is the address of `data`, the first member, so the block is found again from it.
struct HandleBlock {
    char* data;
    GSSize size;
};

std::atomic<Int64> liveHandles{0};

HandleBlock* BlockOf(GSConstHandle handle) {
    return reinterpret_cast<HandleBlock*>(const_cast<char**>(handle));
}

// malloc(0) may give null; one spare byte keeps an empty handle distinguishable from a failure.
char* AllocateData(GSSize size) {
    return static_cast<char*>(std::calloc(static_cast<std::size_t>(size) + 1, 1));
}

} // namespace

GSHandle BMAllocateHandle(GSSize size, GSFlags /*flags*/, Int32 /*reserved*/) {
    if (size < 0)
        return nullptr;
    auto* block = static_cast<HandleBlock*>(std::malloc(sizeof(HandleBlock)));
    if (block == nullptr)
        return nullptr;
    block->data = AllocateData(size);
    if (block->data == nullptr) {
        std::free(block);
        return nullptr;
    }
    block->size = size;
    ++liveHandles;
    return &block->data;
}

GSSize BMGetHandleSize(GSConstHandle handle) {
    return handle == nullptr ? 0 : BlockOf(handle)->size;
}

GSErrCode BMReallocHandle(GSHandle handle, GSSize newSize, GSFlags flags, Int32 /*reserved*/) {
    if (handle == nullptr)
        return ErrNilHandle;
    if (newSize < 0)
        return ErrParam;
    HandleBlock* block = BlockOf(handle);
    char* data = AllocateData(newSize);
    if (data == nullptr)
        return ErrMemoryFull;
    if ((flags & REALLOC_FULLCLEAR) == 0)
        std::memcpy(data, block->data,
                    static_cast<std::size_t>(newSize < block->size ? newSize : block->size));
    std::free(block->data);
    block->data = data;
    block->size = newSize;
    return NoError;
}

void BMKillHandle(GSHandle* handle) {
    if (handle == nullptr || *handle == nullptr)
        return;
    HandleBlock* block = BlockOf(*handle);
    std::free(block->data);
    std::free(block);
    --liveHandles;
    *handle = nullptr;
}

Int64 BMGetLiveHandleCount() {
    return liveHandles.load();
}
