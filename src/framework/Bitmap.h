// An off-screen picture: a top-down DIB section with its own memory DC and
// canvas, so it can be drawn on with GDI and its pixels read directly.
#pragma once

#include "framework/Canvas.h"
#include <cstdint>
#include <memory>

enum class TPixelFormat { pf24bit = 24, pf32bit = 32 };

class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit) {
        SetSize(width, height, format);
    }
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap();

    // Replaces the picture by a new one of this size, filled with white.
    // Throws when the system cannot provide the memory.
    void SetSize(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    TPixelFormat PixelFormat() const { return format_; }
    HBITMAP Handle() const { return bitmap_.get(); }
    HDC DC() const { return dc_.get(); }
    TCanvas& Canvas() { return canvas_; }

    // Row y of the pixels, blue-green-red(-unused) byte order, top row first.
    uint8_t* ScanLine(int y) const { return bits_ + static_cast<size_t>(y) * stride_; }
    size_t Stride() const { return stride_; }
    // The pixel at (x, y) as 0x00BBGGRR; the caller keeps (x, y) inside.
    COLORREF Pixel(int x, int y) const;

private:
    void Release();

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf32bit;
    size_t stride_ = 0;
    uint8_t* bits_ = nullptr;
    // Declared in the order that lets them unwind safely: bitmap, its DC, the
    // selection of the one into the other, the canvas on top.
    UniqueBitmap bitmap_;
    UniqueMemoryDC dc_;
    std::unique_ptr<SelectedObject> selection_;
    TCanvas canvas_;
};
