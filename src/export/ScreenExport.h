// A rectangle of the frozen picture to the clipboard or to an image file.
#pragma once

#include "framework/Bitmap.h"
#include "tools/Selection.h"

// `rect` includes all four edges and lies on the picture. Throws "Cannot
// open clipboard" when another program holds the clipboard.
void CopyScreenRect(HWND owner, const TBitmap& picture, const TToolRect& rect);
// Asks for a file over `owner` and saves the rectangle there in the type
// chosen. A save that fails for any reason throws "Cannot create file ..."
// with the reason, and leaves an existing file of that name as it was.
void SaveScreenRect(HWND owner, const TBitmap& picture, const TToolRect& rect);
// The save itself, once the file and the type are chosen: `format` is the
// type's number (0 GIF, 1 PNG, 2 JPEG, 3 BMP, 4 TIFF).
void SaveRectToFile(const TBitmap& picture, const TToolRect& rect, const std::wstring& fileName,
                    int format, int quality);
