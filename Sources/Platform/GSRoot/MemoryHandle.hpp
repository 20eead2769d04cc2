#ifndef GSROOT_MEMORYHANDLE_HPP
#define GSROOT_MEMORYHANDLE_HPP

#include "GSRoot/Definitions.hpp"

// Relocatable memory blocks of the host library. A handle points at a pointer to its data.
constexpr GSFlags ALLOCATE_CLEAR = 1;
constexpr GSFlags REALLOC_CLEAR = 1;
constexpr GSFlags REALLOC_FULLCLEAR = 2;
constexpr GSFlags REALLOC_MOVEABLE = 8; // keeps the leading bytes; the data may move

constexpr GSErrCode ErrParam = -50;
constexpr GSErrCode ErrMemoryFull = -108;
constexpr GSErrCode ErrNilHandle = -109;

// Null for a negative size or when memory runs out. The data is always zeroed.
GSHandle BMAllocateHandle(GSSize size, GSFlags flags, Int32 reserved);
GSSize BMGetHandleSize(GSConstHandle handle);
// New size; the leading min(old, new) bytes are kept (none with REALLOC_FULLCLEAR), new bytes are
// zero. ErrNilHandle for a null handle, ErrParam for a negative size; the handle is then unchanged.
GSErrCode BMReallocHandle(GSHandle handle, GSSize newSize, GSFlags flags, Int32 reserved);
// Releases the handle and sets it to null; a null handle is fine.
void BMKillHandle(GSHandle* handle);
// Handles alive in the process, for leak tests.
Int64 BMGetLiveHandleCount();

#endif
