#include "export/ScreenExport.h"
#include "export/ComHandles.h"
#include "export/FileReplace.h"
#include "export/GdiPictures.h"
#include "framework/Clipboard.h"
#include "framework/Error.h"
#include "framework/LastError.h"
#include "framework/SaveDialog.h"
#include "shell/Settings.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr wchar_t kFilter[] = L"GIF Image (*.gif)|*.gif|PNG Image (*.png)|*.png|"
                              L"JPEG Image (*.jpg)|*.jpg|BMP Image (*.bmp)|*.bmp|"
                              L"TIFF Image (*.tif)|*.tif";
// The default extension of each file type, in the filter's order.
constexpr const wchar_t* kTypeExtensions[] = {L".gif", L".png", L".jpg", L".bmp", L".tif"};
constexpr int kPngFilterIndex = 2;
constexpr int kHighestJpegQuality = 100;

void svdScreenshotTypeChange(TSaveDialog& sender) {
    const int index = sender.FilterIndex - 1;
    if (index >= 0 && index < static_cast<int>(std::size(kTypeExtensions)))
        sender.DefaultExt = kTypeExtensions[index];
}

// The save dialog keeps the last name, type and default extension for as
// long as the program runs, never longer.
TSaveDialog& svdScreenshot() {
    static TSaveDialog dialog = [] {
        TSaveDialog d;
        d.DefaultExt = L"png";
        d.Filter = kFilter;
        d.FilterIndex = kPngFilterIndex;
        d.Options = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        d.OnTypeChange = svdScreenshotTypeChange;
        return d;
    }();
    return dialog;
}

// A bitmap of its own holding the rectangle, selected into no device
// context once it is handed on: the clipboard and GDI+ both want it so.
UniqueBitmap WorkingBitmap(const TBitmap& picture, const TOverlayRect& rect) {
    const int width = static_cast<int>(rect.Width()), height = static_cast<int>(rect.Height());
    WindowDC screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!bitmap) ThrowLastError(L"Not enough memory for the picture");
    UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    if (!dc) ThrowLastError(L"Not enough memory for the picture");
    SelectedObject selected(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, width, height, picture.DC(), static_cast<int>(rect.left),
           static_cast<int>(rect.top), SRCCOPY);
    return bitmap;
}
// The same pixels as a packed device-independent bitmap (24 bits a pixel,
// bottom row first) in a movable memory block, as the clipboard keeps one.
UniqueGlobal PackedDib(HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    header.biSizeImage = static_cast<DWORD>(stride * height);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + header.biSizeImage));
    if (!block) ThrowLastError(L"Not enough memory for the picture");
    auto* bytes = static_cast<BYTE*>(GlobalLock(block.get()));
    ScopeExit unlock([&] { GlobalUnlock(block.get()); });
    std::memcpy(bytes, &header, sizeof(header));
    WindowDC screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), bytes + sizeof(header),
                   reinterpret_cast<BITMAPINFO*>(bytes), DIB_RGB_COLORS))
        ThrowLastError(L"Cannot copy the picture");
    return block;
}
} // namespace

void CopyScreenRect(HWND owner, const TBitmap& picture, const TOverlayRect& rect) {
    const int width = static_cast<int>(rect.Width()), height = static_cast<int>(rect.Height());
    UniqueBitmap bitmap = WorkingBitmap(picture, rect);
    // The device-independent form goes along: Wine cannot derive it from a
    // 32-bit program's bitmap for other programs; Windows derives the rest.
    UniqueGlobal dib = PackedDib(bitmap.get(), width, height);
    TClipboard clipboard(owner, L"Cannot open clipboard");
    if (!clipboard.Put(CF_BITMAP, bitmap.get())) ThrowLastError(L"Cannot copy the picture");
    bitmap.release(); // the clipboard owns it now
    if (!clipboard.Put(CF_DIB, dib.get())) ThrowLastError(L"Cannot copy the picture");
    dib.release();
}

void SaveScreenRect(HWND owner, const TBitmap& picture, const TOverlayRect& rect) {
    TSaveDialog& dialog = svdScreenshot();
    if (!dialog.Execute(owner)) return;
    // The type chosen decides the format, never the name's extension.
    SaveRectToFile(picture, rect, dialog.FileName, dialog.FilterIndex - 1, Settings.JPEGQuality);
}

void SaveRectToFile(const TBitmap& picture, const TOverlayRect& rect, const std::wstring& fileName,
                    int format, int quality) {
    UniqueBitmap bitmap = WorkingBitmap(picture, rect);
    // A JPEG encoder refuses qualities beyond its scale.
    if (format == ImageFormatJpeg) quality = std::min(quality, kHighestJpegQuality);
    const Gdiplus::Status status =
        EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), fileName, format, quality, 0);
    // A failed encoder has written nothing; the user hears of it.
    if (status != Gdiplus::Ok)
        ThrowCannotCreateFile(fileName, L"The picture could not be encoded (status " +
                                            std::to_wstring(status) + L").");
}
