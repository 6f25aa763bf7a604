// How long the path from a tool start to the first frame of the frozen
// picture takes, next to the least it could take: one block copy of the
// whole screen into memory. Run it on the screen size to be measured.
#include "../BenchSupport.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
using Clock = BenchClock;
constexpr int kRuns = 30;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double BlockCopyOnce(int width, int height) {
    TBitmap target(width, height);
    HDC screen = GetDC(nullptr);
    auto start = Clock::now();
    BitBlt(target.DC(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    auto end = Clock::now();
    ReleaseDC(nullptr, screen);
    return Milliseconds(end - start);
}

double ActivationOnce(TfrmHost& host) {
    auto start = Clock::now();
    host.StartTool(kScreenshot);
    UpdateWindow(host.Handle()); // the first WM_PAINT, drawn now
    GdiFlush();
    auto end = Clock::now();
    host.StopTool();
    Application.ProcessMessages();
    return Milliseconds(end - start);
}
} // namespace

int main() {
    StartBenchApplication();

    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    BenchHost bench;
    TfrmHost& host = bench.host;

    std::vector<double> copies, activations;
    ActivationOnce(host); // warm-up: first use of every code path
    for (int i = 0; i < kRuns; ++i) {
        copies.push_back(BlockCopyOnce(width, height));
        activations.push_back(ActivationOnce(host));
    }
    const double copy = Median(copies), activation = Median(activations);
    printf("activation %dx%d: start to first frame %.2f ms, one full-screen block copy %.2f ms, "
           "ratio %.1f (medians of %d)\n",
           width, height, activation, copy, activation / copy, kRuns);
    return 0;
}
