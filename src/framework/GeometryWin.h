// The system's RECT for the program's own rectangles, where Win32 takes one.
#pragma once

#include "framework/Geometry.h"
#include <windows.h>

template <typename S> RECT ToRECT(const TRectIn<S>& r) {
    return {static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.right),
            static_cast<LONG>(r.bottom)};
}
