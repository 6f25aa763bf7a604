// Owners for the COM objects the picture code holds.
#pragma once

#include "framework/Handle.h"

#include <windows.h>
#include <objidl.h>

inline void ReleaseComObject(IUnknown* object) noexcept {
    object->Release();
}

using UniqueStream = UniqueHandle<IStream*, ReleaseComObject>;
