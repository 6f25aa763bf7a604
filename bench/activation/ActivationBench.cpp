// How long the path from a tool start to the first painted frame of the
// frozen picture takes, next to the least the same work can take done bare:
// a new bitmap, one copy of the virtual screen (every monitor) into it, a
// window over all of it shown and its first paint. The tray images follow
// the first frame; the whole start is printed too. Run it on the screen
// layout to be measured.
#include "../BenchSupport.h"
#include "framework/Input.h"
#include "framework/Window.h"
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

// The bare sequence: everything an activation must do for its first frame,
// with nothing of the program's around it.
class BareOverlay : public TWindowHandler {
public:
    BareOverlay() {
        RegisterWindowClassOnce({L"VantacleBenchBareOverlay"});
        CreateHandlerWindow(
            *this, {L"VantacleBenchBareOverlay", L"", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW});
    }
    ~BareOverlay() override { DestroyWindow(Handle()); }

    double Once(const RECT& screen) {
        const int width = screen.right - screen.left, height = screen.bottom - screen.top;
        const auto start = Clock::now();
        picture_ = std::make_unique<TBitmap>(width, height);
        // The screen DC counts from the desktop window's corner.
        RECT desktop{};
        GetWindowRect(GetDesktopWindow(), &desktop);
        HDC dc = GetDC(nullptr);
        BitBlt(picture_->DC(), 0, 0, width, height, dc, screen.left - desktop.left,
               screen.top - desktop.top, SRCCOPY);
        ReleaseDC(nullptr, dc);
        SetWindowPos(Handle(), HWND_TOPMOST, screen.left, screen.top, width, height,
                     SWP_SHOWWINDOW);
        UpdateWindow(Handle());
        GdiFlush();
        const auto end = Clock::now();
        ShowWindow(Handle(), SW_HIDE);
        picture_.reset();
        Application.ProcessMessages();
        return Milliseconds(end - start);
    }

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return DefaultMessage(message, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (picture_)
            BitBlt(dc, 0, 0, picture_->Width(), picture_->Height(), picture_->DC(), 0, 0, SRCCOPY);
        EndPaint(Handle(), &ps);
        return 0;
    }

private:
    std::unique_ptr<TBitmap> picture_;
};

// When the host form's first paint of an activation has returned.
HWND hostWindow = nullptr;
Clock::time_point firstFrame;
bool framePainted = false;
LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == hostWindow && message->message == WM_PAINT &&
        !framePainted) {
        GdiFlush();
        firstFrame = Clock::now();
        framePainted = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct ActivationTimes {
    double firstFrame, whole;
};

ActivationTimes ActivationOnce(TfrmHost& host) {
    framePainted = false;
    const auto start = Clock::now();
    host.StartTool(kScreenshot);
    UpdateWindow(host.Handle());
    GdiFlush();
    const auto end = Clock::now();
    host.StopTool();
    Application.ProcessMessages();
    return {Milliseconds((framePainted ? firstFrame : end) - start), Milliseconds(end - start)};
}
} // namespace

int main() {
    StartBenchApplication();

    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const int monitors = GetSystemMetrics(SM_CMONITORS);
    BenchHost bench;
    TfrmHost& host = bench.host;
    hostWindow = host.Handle();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    BareOverlay bare;

    std::vector<double> floors, frames, wholes;
    ActivationOnce(host); // warm-up: first use of every code path
    bare.Once(screen);
    for (int i = 0; i < kRuns; ++i) {
        floors.push_back(bare.Once(screen));
        const ActivationTimes t = ActivationOnce(host);
        frames.push_back(t.firstFrame);
        wholes.push_back(t.whole);
    }
    UnhookWindowsHookEx(hook);
    const double floor = Median(floors), frame = Median(frames), whole = Median(wholes);
    printf("activation %d monitor(s), virtual screen %ld,%ld %ldx%ld: start to first frame "
           "%.2f ms, the bare sequence %.2f ms, ratio %.2f; whole start with the tray images "
           "%.2f ms (medians of %d)\n",
           monitors, screen.left, screen.top, screen.right - screen.left,
           screen.bottom - screen.top, frame, floor, frame / floor, whole, kRuns);
    return 0;
}
