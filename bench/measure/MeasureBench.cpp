// What one mouse move costs the Measurer with a long diagonal line (erase
// the figure, draw it again, seven rows) next to drawing one such figure, and
// the Dropper (seven colour rows from the colour models and their texts), at
// one pixel and averaging its largest sample square, 9 x 9, which must not
// cost a move more than a fifth again. Neither may grow with the screen.
// Each next to an arrow key's step, which must cost no more than the mouse
// move it stands for; it moves the system's pointer as well, and what that
// alone costs is printed too. Run it on the screen size to be measured.
#include "../BenchSupport.h"
#include "shell/Settings.h"
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

// Times of `count` host mouse moves to position(i) while `tool` runs, with
// before(i) run ahead of each, untimed.
template <typename Position, typename Before>
std::vector<double> MoveTimes(TfrmHost& host, int tool, bool leftHeld, Position position, int count,
                              Before before) {
    HWND window = host.Handle();
    host.StartTool(tool);
    Application.ProcessMessages();
    if (leftHeld) {
        SetCursorPos(10, 10);
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    }
    std::vector<double> moves;
    for (int i = 0; i < count; ++i) {
        before(i);
        const POINT p = position(i);
        SetCursorPos(p.x, p.y);
        const auto start = Clock::now();
        SendMessageW(window, WM_MOUSEMOVE, leftHeld ? MK_LBUTTON : 0, MAKELPARAM(p.x, p.y));
        GdiFlush();
        moves.push_back(Microseconds(Clock::now() - start));
    }
    if (leftHeld) SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    host.StopTool();
    return moves;
}
// Median time of one host mouse move to (x(i), y(i)) while `tool` runs.
template <typename Position>
double MoveCost(TfrmHost& host, int tool, bool leftHeld, Position position) {
    return Median(MoveTimes(host, tool, leftHeld, position, kMoves, [](int) {}));
}
// Median time of one arrow-key step at (x(i), y(i)): the pointer is put
// beside the point, the key takes it there. With `lineHeld` a line from
// (10, 10) is started by Space first.
template <typename Position>
double KeyStepCost(TfrmHost& host, int tool, bool lineHeld, Position position) {
    HWND window = host.Handle();
    host.StartTool(tool);
    Application.ProcessMessages();
    if (lineHeld) {
        SetCursorPos(10, 10);
        SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    }
    std::vector<double> steps;
    for (int i = 0; i < kMoves; ++i) {
        const POINT p = position(i);
        SetCursorPos(p.x - 1, p.y);
        Application.ProcessMessages(); // what this move posts is not the key's
        const auto start = Clock::now();
        SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
        GdiFlush();
        steps.push_back(Microseconds(Clock::now() - start));
        // Timed like a mouse move: the handler, the system's pointer move in
        // it. The repaints both leave behind, and the moves the system sends
        // for its pointer (which find the step shown), come after.
        Application.ProcessMessages();
    }
    if (lineHeld) SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    host.StopTool();
    return Median(steps);
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

    // One pixel and the 9 x 9 square move by move in turns, in one
    // activation, so that neither pays for what the machine does meanwhile.
    const auto path = [](int i) { return POINT{100 + i, 100 + i % 7}; };
    const auto side = [](int i) { Settings.DropperArea = i % 2 ? 9 : 1; };
    const std::vector<double> moves = MoveTimes(host, kDropper, false, path, 2 * kMoves, side);
    Settings.DropperArea = 1;
    std::vector<double> onePixel, square;
    for (size_t i = 0; i < moves.size(); ++i)
        (i % 2 ? square : onePixel).push_back(moves[i]);
    const double dropper = Median(onePixel), dropperArea = Median(square);
    printf("dropper on a %dx%d screen: one move %.1f us (medians of %d); compare the colour "
           "bench's full conversion\n",
           width, height, dropper, kMoves);
    printf("dropper averaging 9 x 9 pixels: one move %.1f us against %.1f us with 1 x 1, "
           "ratio %.2f\n",
           dropperArea, dropper, dropperArea / dropper);

    const double measureKey = KeyStepCost(host, kMeasurer, true, farCorner);
    printf("measurer, the same line: one arrow-key step %.0f us against the mouse move it "
           "stands for %.0f us\n",
           measureKey, measure);
    const double dropperKey = KeyStepCost(host, kDropper, false, [&](int i) {
        return POINT{100 + i, 100 + i % 7};
    });
    printf("dropper: one arrow-key step %.1f us against the mouse move it stands for %.1f us\n",
           dropperKey, dropper);
    // What no key step can save: the system's own pointer moved by a pixel,
    // over the overlay of a running tool as in a step.
    host.StartTool(kDropper);
    Application.ProcessMessages();
    std::vector<double> pointerMoves;
    for (int i = 0; i < kMoves; ++i) {
        SetCursorPos(200 + i % 2, 200);
        Application.ProcessMessages();
        const auto start = Clock::now();
        SetCursorPos(201 - i % 2, 200);
        pointerMoves.push_back(Microseconds(Clock::now() - start));
    }
    host.StopTool();
    printf("of each key step, moving the system's pointer by a pixel: %.1f us\n",
           Median(pointerMoves));
    return 0;
}
