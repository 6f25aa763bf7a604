// What the Screenshot tool hands a part of the frozen picture to: the
// clipboard and image files.
#pragma once

#include "framework/Bitmap.h"
#include "tools/Selection.h"

// `rect` includes all four edges and lies on the picture.
void CopyScreenRect(const TBitmap& picture, const TToolRect& rect);
void SaveScreenRect(const TBitmap& picture, const TToolRect& rect);
