// A rectangle of the frozen picture to the clipboard or to an image file.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Geometry.h"
#include <string>

// `rect` is a rectangle of the picture (the overlay's coordinates). Throws
// "Cannot open clipboard" when another program holds the clipboard.
void CopyScreenRect(const TBitmap& picture, const TOverlayRect& rect);
// Asks for a file over `owner` and saves the rectangle there in the type
// chosen. A save that fails for any reason throws "Cannot create file ..."
// with the reason, and leaves an existing file of that name as it was.
void SaveScreenRect(HWND owner, const TBitmap& picture, const TOverlayRect& rect);
// The save itself, once the file and the type are chosen: `format` is the
// type's number (0 GIF, 1 PNG, 2 JPEG, 3 BMP, 4 TIFF).
void SaveRectToFile(const TBitmap& picture, const TOverlayRect& rect, const std::wstring& fileName,
                    int format, int quality);
