#include "framework/Bitmap.h"
#include "framework/Error.h"
#include <algorithm>
#include <cstdint>

TBitmap::~TBitmap() {
    Release();
}

void TBitmap::Release() {
    canvas_.Detach();
    selection_.reset();
    dc_.reset();
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    stride_ = 0;
}

void TBitmap::SetSize(int width, int height, TPixelFormat format) {
    Release();
    if (width <= 0 || height <= 0) return;
    const auto notEnoughMemory = [&] {
        return Error(L"Not enough memory for a picture of " + std::to_wstring(width) + L" x " +
                     std::to_wstring(height) + L" pixels.");
    };
    // GDI takes no picture of 2 GB or more, and would count its size in 32 bits.
    const uint64_t rowBytes =
        (static_cast<uint64_t>(width) * static_cast<int>(format) + 31) / 32 * 4;
    if (rowBytes * static_cast<uint64_t>(height) > INT32_MAX) throw notEnoughMemory();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(format);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !bits) throw notEnoughMemory();

    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    selection_ = std::make_unique<SelectedObject>(dc_.get(), bitmap_.get());
    width_ = width;
    height_ = height;
    format_ = format;
    stride_ = ((static_cast<size_t>(width) * static_cast<int>(format) + 31) / 32) * 4;
    bits_ = static_cast<uint8_t*>(bits);
    std::fill(bits_, bits_ + stride_ * height, 0xFF);
    canvas_.Attach(dc_.get());
}

COLORREF TBitmap::Pixel(int x, int y) const {
    const uint8_t* p = ScanLine(y) + x * (static_cast<int>(format_) / 8);
    return RGB(p[2], p[1], p[0]);
}
