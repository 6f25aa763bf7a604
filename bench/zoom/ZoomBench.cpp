// What one refresh of the information panel's zoom view costs (the stretching
// copy into the buffer, white beyond the screen, the crosshair and the one
// copy to the view) next to the least it could cost: one stretching copy from
// the overlay straight onto the view. Then a whole mouse move of a Screenshot
// tool drag, as the tool handles it: the cursor row, the three selection
// rows, the frame and the zoom view, and then painted.
#include "../BenchSupport.h"
#include "tools/ToolActivation.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {
using Clock = BenchClock;
constexpr int kMoves = 300;
constexpr int kScales[] = {2, 10};

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// The cursor walks across the middle of the screen a pixel at a time.
POINT Position(int i) {
    return {GetSystemMetrics(SM_CXSCREEN) / 2 - kMoves / 2 + i, GetSystemMetrics(SM_CYSCREEN) / 2};
}

BOOL CALLBACK FindZoomView(HWND window, LPARAM found) noexcept {
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    if (wcscmp(name, L"TDrawPanel")) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

double Refresh(TToolActivation& activation, int scale, int i) {
    const POINT p = Position(i);
    auto start = Clock::now();
    activation.Panel()->UpdateZoom({p.x, p.y}, activation.Canvas().Handle(),
                                   activation.OverlaySize(), scale);
    GdiFlush();
    return Microseconds(Clock::now() - start);
}

double StretchCopy(TToolActivation& activation, HWND view, int scale, int i) {
    const POINT p = Position(i);
    RECT client{};
    GetClientRect(view, &client);
    const int w = client.right / scale, h = client.bottom / scale;
    WindowDC dc(view);
    auto start = Clock::now();
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    StretchBlt(dc.get(), 0, 0, client.right, client.bottom, activation.Canvas().Handle(),
               p.x - w / 2, p.y - h / 2, w, h, SRCCOPY);
    GdiFlush();
    return Microseconds(Clock::now() - start);
}

// One mouse move: what the handler costs, and with the panel painted at once
// (the program paints when the queue is empty, often once for several moves).
struct MoveCost {
    double handled, painted;
};

MoveCost MouseMove(TToolActivation& activation, int i) {
    const POINT p = Position(i);
    SetCursorPos(p.x, p.y + 1);
    TInfoWin& panel = *activation.Panel();
    auto begin = Clock::now();
    activation.Tool().MouseMove(0, TOverlayPoint{p.x, p.y + 1});
    GdiFlush();
    const double handled = Microseconds(Clock::now() - begin);
    RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    return {handled, Microseconds(Clock::now() - begin)};
}
} // namespace

int main() {
    StartBenchApplication();

    BenchHost bench;
    TfrmHost& host = bench.host;
    host.StartTool(kScreenshot);
    Application.ProcessMessages();
    TToolActivation* activation = host.Activation();
    if (!activation || !activation->Panel()) return 1;
    HWND view = nullptr;
    EnumChildWindows(activation->Panel()->Handle(), FindZoomView, reinterpret_cast<LPARAM>(&view));
    RECT client{};
    GetClientRect(view, &client);

    for (int scale : kScales) {
        std::vector<double> refreshes, copies;
        for (int i = 0; i < kMoves; ++i) {
            refreshes.push_back(Refresh(*activation, scale, i));
            copies.push_back(StretchCopy(*activation, view, scale, i));
        }
        const double refresh = Median(refreshes), copy = Median(copies);
        printf("zoom view %ldx%ld, factor %d: one UpdateZoom %.1f us, one stretching copy %.1f us, "
               "ratio %.2f (medians of %d)\n",
               client.right, client.bottom, scale, refresh, copy, refresh / copy, kMoves);
    }

    // The drag starts where the walk does, a little above it, so that every
    // step changes the selection's end and size.
    const POINT press = Position(0);
    SetCursorPos(press.x, press.y);
    activation->Tool().MouseDown(TMouseButton::mbLeft, 0, TOverlayPoint{press.x, press.y});
    std::vector<double> handled, painted;
    for (int i = 0; i < kMoves; ++i) {
        const MoveCost cost = MouseMove(*activation, i);
        handled.push_back(cost.handled);
        painted.push_back(cost.painted);
    }
    const POINT release = Position(kMoves - 1);
    activation->Tool().MouseUp(TMouseButton::mbLeft, 0, TOverlayPoint{release.x, release.y});
    printf("Screenshot tool drag step (cursor row, three selection rows, frame, zoom view): "
           "%.1f us handled, "
           "%.1f us with the panel painted (medians of %d)\n",
           Median(handled), Median(painted), kMoves);
    host.StopTool();
    return 0;
}
