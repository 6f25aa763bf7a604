// GIF needs a picture of at most 256 colours. GDI+ reduces true colour to a
// fixed halftone palette (Windows) or writes a broken file (Wine), so the
// program hands the GIF encoder an 8-bit indexed copy it made itself.
#pragma once

#include "export/GdiPlus.h"

// An 8-bit indexed GDI+ bitmap with the image's colours (exactly, when it has
// at most 256), or null when the image's pixels cannot be read, as for a
// metafile. The caller disposes of it.
Gdiplus::GpBitmap* CreateIndexedCopy(Gdiplus::GpImage* image, UINT width, UINT height);
