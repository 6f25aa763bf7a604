#include "export/ScreenExport.h"
#include "export/ComHandles.h"
#include "export/FileReplace.h"
#include "export/GdiPictures.h"
#include "framework/ClipboardPromise.h"
#include "framework/Error.h"
#include "framework/LastError.h"
#include "framework/SaveDialog.h"
#include "shell/Settings.h"
#include <algorithm>
#include <cstdint>
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
// context once it is handed on, as GDI+ wants it.
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
// One row of pixels at 32 bits as 24: four pixels, sixteen bytes, become
// twelve in three writes.
void PackRow24(const uint8_t* in, int width, uint8_t* out) {
    int x = 0;
    for (; x + 4 <= width; x += 4, in += 16, out += 12) {
        uint32_t p[4], packed[3];
        std::memcpy(p, in, sizeof(p));
        packed[0] = (p[0] & 0xFFFFFF) | p[1] << 24;
        packed[1] = (p[1] >> 8 & 0xFFFF) | p[2] << 16;
        packed[2] = (p[2] >> 16 & 0xFF) | p[3] << 8;
        std::memcpy(out, packed, sizeof(packed));
    }
    for (; x < width; ++x, in += 4, out += 3)
        std::memcpy(out, in, 3);
}

// The rectangle as a packed device-independent bitmap (24 bits a pixel,
// bottom row first) in a movable memory block, as the clipboard keeps one,
// read straight from the picture's own pixels.
UniqueGlobal PackedDib(const TBitmap& picture, const TOverlayRect& rect) {
    const int width = static_cast<int>(rect.Width()), height = static_cast<int>(rect.Height());
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
    auto* bytes = static_cast<uint8_t*>(GlobalLock(block.get()));
    ScopeExit unlock([&] { GlobalUnlock(block.get()); });
    std::memcpy(bytes, &header, sizeof(header));
    GdiFlush(); // drawing GDI still holds back is in the pixels
    const bool packed = picture.PixelFormat() == TPixelFormat::pf24bit;
    const size_t pixelBytes = packed ? 3 : 4, rowBytes = static_cast<size_t>(width) * 3;
    for (int row = 0; row < height; ++row) {
        const uint8_t* in = picture.ScanLine(static_cast<int>(rect.top) + height - 1 - row) +
                            static_cast<size_t>(rect.left) * pixelBytes;
        uint8_t* out = bytes + sizeof(header) + row * stride;
        if (packed)
            std::memcpy(out, in, rowBytes);
        else
            PackRow24(in, width, out);
        std::memset(out + rowBytes, 0, stride - rowBytes);
    }
    return block;
}
} // namespace

void CopyScreenRect(const TBitmap& picture, const TOverlayRect& rect) {
    // Only the device-independent form: Windows makes the bitmap and the
    // other forms from it when a program asks for them, and Wine cannot
    // derive it from a 32-bit program's bitmap. Putting a bitmap too would
    // make a copy of every pixel that most pastes never read.
    ClipboardPromise(CF_DIB, PackedDib(picture, rect), L"Cannot open clipboard");
}

void SaveScreenRect(HWND owner, const TBitmap& picture, const TOverlayRect& rect) {
    TSaveDialog& dialog = svdScreenshot();
    if (!dialog.Execute(owner)) return;
    // The type chosen decides the format, never the name's extension.
    SaveRectToFile(picture, rect, dialog.FileName, dialog.FilterIndex - 1, Settings.JPEGQuality);
}

void SaveRectToFile(const TBitmap& picture, const TOverlayRect& rect, const std::wstring& fileName,
                    int format, int quality) {
    BindGdiPlus();
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
