#include "export/GdiIndexedBitmap.h"

#include "export/ColorReduction.h"

#include <cstring>
#include <vector>

namespace {
std::vector<std::uint32_t> ReadPixels(Gdiplus::GpImage* image, UINT width, UINT height) {
    auto& gdip = *GdiPlusLibrary;
    Gdiplus::GpRect area(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    auto* bitmap = static_cast<Gdiplus::GpBitmap*>(image);
    if (gdip.GdipBitmapLockBits(bitmap, &area, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB,
                                &data) != Gdiplus::Ok)
        return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const auto* row = static_cast<const BYTE*>(data.Scan0);
    for (UINT y = 0; y < height; ++y, row += data.Stride)
        std::memcpy(&pixels[static_cast<std::size_t>(y) * width], row,
                    width * sizeof(std::uint32_t));
    gdip.GdipBitmapUnlockBits(bitmap, &data);
    return pixels;
}

struct IndexedBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[MaxIndexedColors];
};
} // namespace

Gdiplus::GpBitmap* CreateIndexedCopy(Gdiplus::GpImage* image, UINT width, UINT height) {
    if (!GdiPlusLoaded() || !image || width == 0 || height == 0) return nullptr;
    const std::vector<std::uint32_t> pixels = ReadPixels(image, width, height);
    if (pixels.empty()) return nullptr;
    const IndexedPixels indexed = ReduceToIndexed(pixels);

    // An 8-bit DIB section carries its palette as its colour table, which
    // GDI+ takes over when it imports the bitmap.
    IndexedBitmapInfo info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = static_cast<LONG>(width);
    info.header.biHeight = -static_cast<LONG>(height); // top-down, like the pixels
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = static_cast<DWORD>(indexed.palette.size());
    for (std::size_t i = 0; i < indexed.palette.size(); ++i) {
        const std::uint32_t c = indexed.palette[i];
        info.colors[i] = {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8),
                          static_cast<BYTE>(c >> 16), 0};
    }
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0));
    if (!dib || !bits) return nullptr;
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    for (UINT y = 0; y < height; ++y)
        std::memcpy(static_cast<BYTE*>(bits) + y * stride,
                    &indexed.indices[static_cast<std::size_t>(y) * width], width);
    GdiFlush();

    Gdiplus::GpBitmap* copy = nullptr;
    if (GdiPlusLibrary->GdipCreateBitmapFromHBITMAP(dib.get(), nullptr, &copy) != Gdiplus::Ok)
        return nullptr;
    return copy;
}
