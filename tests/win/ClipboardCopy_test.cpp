// A copied picture on the clipboard: promised first, then handed over by the
// message loop. Whoever reads it, and whenever, gets the copied pixels.
#include "export/ScreenExport.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <chrono>
#include <future>
#include <vector>

namespace {
// The clipboard's device-independent picture as 0xRRGGBB values, top row
// first, as any program reads it; empty when there is none.
std::vector<uint32_t> PastedPixels(int width, int height) {
    std::vector<uint32_t> pixels;
    if (!OpenClipboard(nullptr)) return pixels;
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data));
        if (header->biWidth == width && header->biHeight == height && header->biBitCount == 24) {
            const auto* bits = reinterpret_cast<const uint8_t*>(header + 1);
            const int stride = (width * 3 + 3) & ~3;
            for (int y = height - 1; y >= 0; --y)
                for (int x = 0; x < width; ++x) {
                    const uint8_t* p = bits + y * stride + x * 3;
                    pixels.push_back(uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]);
                }
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return pixels;
}

// A picture whose every pixel differs, and the 0xRRGGBB values of `rect` in it.
std::vector<uint32_t> Paint(TBitmap& picture, const TOverlayRect& rect) {
    std::vector<uint32_t> expected;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const uint32_t rgb = 0x102030u + static_cast<uint32_t>(y * 0x010300 + x * 0x070001);
            SetPixel(picture.DC(), x, y, RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
            if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom)
                expected.push_back(rgb & 0xFFFFFF);
        }
    return expected;
}
} // namespace

TEST(ClipboardCopy, ThePicturesPixelsReachEveryReaderBeforeAndAfterTheHandOver) {
    TBitmap picture(9, 7);
    const TOverlayRect first{1, 2, 8, 6}, second{0, 0, 5, 3};
    const std::vector<uint32_t> firstPixels = Paint(picture, first);
    const std::vector<uint32_t> secondPixels = Paint(picture, second);

    // Asked for before the loop ran: rendered for the asker at once.
    CopyScreenRect(picture, first);
    EXPECT_EQ(PastedPixels(7, 4), firstPixels);

    // Handed over by the loop: another thread reads it while this one
    // handles no message, so nothing but the clipboard itself can answer.
    CopyScreenRect(picture, second);
    Application.ProcessMessages();
    auto reader = std::async(std::launch::async, [] { return PastedPixels(5, 3); });
    if (reader.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "the picture was still waiting for this thread to render it";
        while (reader.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
            Application.ProcessMessages();
    }
    const std::vector<uint32_t> pasted = reader.get();
    EXPECT_EQ(pasted, secondPixels);
    // The later copy replaced the earlier one for good.
    EXPECT_EQ(PastedPixels(5, 3), secondPixels);
}
