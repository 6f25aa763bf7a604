// What one drag step of a large selection costs (erase the old frame, the
// new rectangle, draw its frame, the panel's rows) next to the floor of
// drawing one such frame. Neither may grow with the screen: a step touches
// only the pixels of two outlines. Run it on the screen size to be measured.
#include "../BenchSupport.h"
#include "tools/XorFrame.h"
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
using Clock = BenchClock;
constexpr int kSteps = 200;
constexpr int kWidth = 900, kHeight = 600;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}
} // namespace

int main() {
    StartBenchApplication();
    BenchHost bench;
    TfrmHost& host = bench.host;
    HWND window = host.Handle();
    host.StartTool(kScreenshot);
    Application.ProcessMessages();

    // A selection of 900 x 600 being dragged by its corner, a pixel a step.
    SetCursorPos(20, 20);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    std::vector<double> steps, floors;
    TDottedXorFrame frame;
    HDC dc = host.Canvas().Handle();
    for (int i = 0; i < kSteps; ++i) {
        const int x = 20 + kWidth - 50 + i % 100, y = 20 + kHeight - 50 + i % 100;
        SetCursorPos(x, y);
        auto start = Clock::now();
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        GdiFlush();
        steps.push_back(Microseconds(Clock::now() - start));

        const TCorners r{20, 20, 20 + kWidth, 20 + kHeight};
        start = Clock::now();
        frame.Draw(dc, r);
        GdiFlush();
        floors.push_back(Microseconds(Clock::now() - start));
        frame.Draw(dc, r); // and off again
    }
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20 + kWidth, 20 + kHeight));
    host.StopTool();
    const double step = Median(steps), floor = Median(floors);
    printf("selection %dx%d on a %dx%d screen: one drag step %.0f us, drawing one frame %.0f us, "
           "ratio %.2f (medians of %d)\n",
           kWidth, kHeight, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), step,
           floor, step / floor, kSteps);
    return 0;
}
