// What copying and saving the whole screen cost, next to their floors
// measured in the same run: the copy against one raw block copy of the same
// area, the saves against GDI+ encoding an already prepared bitmap. The
// program's own work around GDI+ (the working bitmap, the GIF's colour
// reduction, the safe file write) should be small beside the encoder.
#include "../BenchSupport.h"
#include "export/GdiPictures.h"
#include "export/ScreenExport.h"
#include "framework/ProgramPath.h"
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
using Clock = BenchClock;
constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kRuns = 7;

double Milliseconds(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        work();
        GdiFlush();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(times);
}

// A picture like a screen of windows: large areas of a few colours, edges
// and some detail, as screenshots of user interfaces are.
void PaintUserInterface(TBitmap& picture) {
    const COLORREF colours[] = {RGB(240, 240, 240), RGB(255, 255, 255), RGB(0, 120, 215),
                                RGB(30, 30, 30),    RGB(200, 200, 200), RGB(220, 53, 69)};
    picture.Canvas().FillRect({0, 0, kWidth, kHeight}, colours[0]);
    for (int i = 0; i < 60; ++i) {
        const int x = (i * 373) % (kWidth - 300), y = (i * 211) % (kHeight - 200);
        picture.Canvas().FillRect({x, y, x + 300, y + 200}, colours[i % 6]);
        picture.Canvas().FillRect({x + 2, y + 24, x + 298, y + 198}, colours[(i + 1) % 6]);
        for (int line = 0; line < 10; ++line)
            picture.Canvas().FillRect({x + 10, y + 30 + line * 16,
                                       x + 10 + (i * 37 + line * 53) % 270, y + 38 + line * 16},
                                      colours[3]);
    }
}
} // namespace

int main() {
    // As the program does, first of all.
    GdiPlusLibrary = std::make_unique<TGDIPlusFull>(L"");
    StartBenchApplication();
    TBitmap picture(kWidth, kHeight);
    PaintUserInterface(picture);
    const TOverlayRect whole{0, 0, kWidth, kHeight};

    const double copy = Milliseconds([&] { CopyScreenRect(picture, whole); });
    // Until the picture is on the clipboard itself: handed over by the loop.
    const double handedOver = Milliseconds([&] {
        CopyScreenRect(picture, whole);
        Application.ProcessMessages();
    });
    const double rawCopy = Milliseconds([&] {
        TBitmap target(kWidth, kHeight);
        BitBlt(target.DC(), 0, 0, kWidth, kHeight, picture.DC(), 0, 0, SRCCOPY);
    });
    // What the clipboard itself costs, whatever the size.
    const double copyPixel = Milliseconds([&] { CopyScreenRect(picture, {0, 0, 1, 1}); });
    printf("copy %dx%d to the clipboard %.1f ms, one raw copy of the area %.1f ms, ratio %.2f; "
           "copying one pixel %.1f ms\n",
           kWidth, kHeight, copy, rawCopy, copy / rawCopy, copyPixel);
    printf("the copy handed over to the clipboard by the message loop %.1f ms, ratio %.2f\n",
           handedOver, handedOver / rawCopy);

    // The floor: GDI+ encoding a bitmap it already holds, into memory.
    UniqueBitmap prepared(CreateCompatibleBitmap(picture.DC(), kWidth, kHeight));
    {
        UniqueMemoryDC dc(CreateCompatibleDC(picture.DC()));
        SelectedObject selected(dc.get(), prepared.get());
        BitBlt(dc.get(), 0, 0, kWidth, kHeight, picture.DC(), 0, 0, SRCCOPY);
    }
    TGdiPicture gdiPicture;
    gdiPicture.AssignBitmap(prepared.get());
    const std::wstring folder = ExecutableFolder();
    for (auto [format, name] :
         {std::pair{ImageFormatPng, L"PNG"}, std::pair{ImageFormatGif, L"GIF"}}) {
        const std::wstring file = folder + L"export_bench." + name;
        const double save = Milliseconds([&] { SaveRectToFile(picture, whole, file, format, 50); });
        const double encode = Milliseconds([&] {
            std::vector<BYTE> bytes;
            EncodeImageToBytes(gdiPicture, format, 50, bytes);
        });
        DeleteFileW(file.c_str());
        printf("save %dx%d as %ls %.1f ms, GDI+ encoding a prepared bitmap %.1f ms, ratio %.2f\n",
               kWidth, kHeight, name, save, encode, save / encode);
    }
    GdiPlusLibrary.reset();
    return 0;
}
