// What one lens move costs (the two restore strips, the source area, the
// contrast filter, the enlargement and the outline) next to the least a lens
// could cost: one stretching block copy from the frozen picture to the lens
// area. Run it on the screen size to be measured.
#include "../BenchSupport.h"
#include "tools/Magnifier.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
using Clock = BenchClock;
constexpr int kMoves = 200;

struct LensCase {
    int side, scale, contrast;
};
constexpr LensCase kCases[] = {{100, 2, 0}, {500, 2, 2}, {1600, 10, 0}};

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// The cursor walks across the middle of the screen a pixel at a time, as a
// hand moving the mouse would.
POINT Position(int i) {
    return {GetSystemMetrics(SM_CXSCREEN) / 2 - kMoves / 2 + i, GetSystemMetrics(SM_CYSCREEN) / 2};
}

TMagnifier& Magnifier(TfrmHost& host) {
    return static_cast<TMagnifier&>(host.Activation()->Tool());
}

double LensMove(TfrmHost& host, int i) {
    const POINT p = Position(i);
    auto start = Clock::now();
    Magnifier(host).DrawLens({p.x, p.y});
    GdiFlush();
    return Microseconds(Clock::now() - start);
}

double StretchCopy(TfrmHost& host, const LensCase& c, int i) {
    POINT p = Position(i);
    const int source = c.side / c.scale;
    HDC window = host.Canvas().Handle();
    auto start = Clock::now();
    SetStretchBltMode(window, COLORONCOLOR);
    StretchBlt(window, p.x - c.side / 2, p.y - c.side / 2, c.side, c.side,
               host.Activation()->Picture().DC(), p.x - source / 2, p.y - source / 2, source,
               source, SRCCOPY);
    GdiFlush();
    return Microseconds(Clock::now() - start);
}
} // namespace

int main() {
    StartBenchApplication();

    BenchHost bench;
    TfrmHost& host = bench.host;
    host.StartTool(kMagnifier);
    Magnifier(host).Stop(); // the bench draws every lens itself
    Application.ProcessMessages();

    for (const LensCase& c : kCases) {
        Settings.ZoomWidth = Settings.ZoomHeight = c.side;
        Settings.Scale = c.scale;
        Settings.HighContrast = static_cast<uint8_t>(c.contrast);
        std::vector<double> moves, copies;
        for (int i = 0; i < kMoves; ++i) {
            moves.push_back(LensMove(host, i));
            copies.push_back(StretchCopy(host, c, i));
        }
        const double move = Median(moves), copy = Median(copies);
        printf("lens %dx%d, factor %d, contrast %d on a %dx%d screen: one move %.0f us, one "
               "stretching copy %.0f us, ratio %.2f (medians of %d)\n",
               c.side, c.side, c.scale, c.contrast, GetSystemMetrics(SM_CXSCREEN),
               GetSystemMetrics(SM_CYSCREEN), move, copy, move / copy, kMoves);
    }
    host.StopTool();
    return 0;
}
