#include "export/ScreenExport.h"
#include "export/FileReplace.h"
#include "export/GdiPictures.h"
#include "framework/Error.h"
#include "framework/LastError.h"
#include "framework/SaveDialog.h"
#include "shell/Settings.h"
#include <algorithm>

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
UniqueBitmap WorkingBitmap(const TBitmap& picture, const TToolRect& rect) {
    const int width = rect.Right - rect.Left + 1, height = rect.Bottom - rect.Top + 1;
    WindowDC screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!bitmap) ThrowLastError(L"Not enough memory for the picture");
    UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    if (!dc) ThrowLastError(L"Not enough memory for the picture");
    SelectedObject selected(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, width, height, picture.DC(), rect.Left, rect.Top, SRCCOPY);
    return bitmap;
}
} // namespace

void CopyScreenRect(HWND owner, const TBitmap& picture, const TToolRect& rect) {
    UniqueBitmap bitmap = WorkingBitmap(picture, rect);
    if (!OpenClipboard(owner)) throw Error(L"Cannot open clipboard");
    ScopeExit close([] { CloseClipboard(); });
    EmptyClipboard();
    // The system derives the device-independent formats from the bitmap.
    if (!SetClipboardData(CF_BITMAP, bitmap.get())) ThrowLastError(L"Cannot copy the picture");
    bitmap.release(); // the clipboard owns it now
}

void SaveScreenRect(HWND owner, const TBitmap& picture, const TToolRect& rect) {
    TSaveDialog& dialog = svdScreenshot();
    if (!dialog.Execute(owner)) return;
    // The type chosen decides the format, never the name's extension.
    SaveRectToFile(picture, rect, dialog.FileName, dialog.FilterIndex - 1, Settings.JPEGQuality);
}

void SaveRectToFile(const TBitmap& picture, const TToolRect& rect, const std::wstring& fileName,
                    int format, int quality) {
    UniqueBitmap bitmap = WorkingBitmap(picture, rect);
    // A JPEG encoder refuses qualities beyond its scale.
    if (format == ImageFormatJpeg) quality = std::min(quality, kHighestJpegQuality);
    const Gdiplus::Status status =
        EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), fileName, format, quality, 0);
    // A failed encoder has written nothing; the user hears of it.
    if (status != Gdiplus::Ok)
        throw Error(
            FormatMessageText(L"Cannot create file \"%s\". %s",
                              {FullPathOf(fileName), L"The picture could not be encoded (status " +
                                                         std::to_wstring(status) + L")."}));
}
