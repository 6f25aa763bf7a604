// What one mouse move costs the Measurer with a long diagonal line (erase
// the figure, draw it again, seven rows) next to drawing one such figure, and
// the Dropper (seven colour rows from the colour models and their texts).
// Neither may grow with the screen. Run it on the screen size to be measured.
#include "../BenchSupport.h"
#include "tools/XorFrame.h"
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
using Clock = BenchClock;
constexpr int kMoves = 200;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// Median time of one host mouse move to (x(i), y(i)) while `tool` runs.
template <typename Position>
double MoveCost(TfrmHost& host, int tool, bool leftHeld, Position position) {
    HWND window = host.Handle();
    host.StartTool(tool);
    Application.ProcessMessages();
    if (leftHeld) {
        SetCursorPos(10, 10);
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    }
    std::vector<double> moves;
    for (int i = 0; i < kMoves; ++i) {
        const POINT p = position(i);
        SetCursorPos(p.x, p.y);
        const auto start = Clock::now();
        SendMessageW(window, WM_MOUSEMOVE, leftHeld ? MK_LBUTTON : 0, MAKELPARAM(p.x, p.y));
        GdiFlush();
        moves.push_back(Microseconds(Clock::now() - start));
    }
    if (leftHeld) SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    host.StopTool();
    return Median(moves);
}
} // namespace

int main() {
    StartBenchApplication();
    BenchHost bench;
    TfrmHost& host = bench.host;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const auto farCorner = [&](int i) { return POINT{width - 20 - i % 50, height - 20 - i % 50}; };

    const double measure = MoveCost(host, kMeasurer, true, farCorner);
    // The floor: the figure of such a line drawn once, frame and line.
    host.StartTool(kMeasurer);
    Application.ProcessMessages();
    TDottedXorFrame frame;
    TCanvas& canvas = host.Canvas();
    std::vector<double> figures;
    for (int i = 0; i < kMoves; ++i) {
        const POINT end = farCorner(i);
        const auto start = Clock::now();
        frame.Draw(canvas.Handle(), {10, 10, end.x, end.y});
        canvas.MoveTo(10, 10);
        canvas.LineTo(end.x, end.y);
        GdiFlush();
        figures.push_back(Microseconds(Clock::now() - start));
        frame.Draw(canvas.Handle(), {10, 10, end.x, end.y});
        canvas.MoveTo(10, 10);
        canvas.LineTo(end.x, end.y);
    }
    host.StopTool();
    const double figure = Median(figures);
    printf("measurer on a %dx%d screen, a line from corner to corner: one move %.0f us, drawing "
           "one figure %.0f us, ratio %.2f (medians of %d)\n",
           width, height, measure, figure, measure / figure, kMoves);

    const double dropper = MoveCost(host, kDropper, false, [&](int i) {
        return POINT{100 + i, 100 + i % 7};
    });
    printf("dropper on a %dx%d screen: one move %.1f us (medians of %d); compare the colour "
           "bench's full conversion\n",
           width, height, dropper, kMoves);
    return 0;
}
