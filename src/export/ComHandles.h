// Owners for the COM objects the picture code holds.
#pragma once

#include "framework/Handle.h"
#include "framework/SystemFunction.h"

#include <windows.h>
#include <objidl.h>

inline void ReleaseComObject(IUnknown* object) noexcept {
    object->Release();
}

using UniqueStream = UniqueHandle<IStream*, ReleaseComObject>;

// A stream over a memory block (CreateStreamOnHGlobal), with OLE's library
// loaded at the first picture encoded or read rather than at the start.
inline HRESULT CreateMemoryBlockStream(HGLOBAL block, BOOL freeWithStream, IStream** stream) {
    using Function = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
    static const auto create = SystemFunction<Function>(L"ole32.dll", "CreateStreamOnHGlobal");
    return create ? create(block, freeWithStream, stream) : E_NOTIMPL;
}
