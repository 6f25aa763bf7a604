#include "tools/ToolActivation.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Input.h"
#include "framework/Monitors.h"
#include "framework/Window.h"
#include <algorithm>

namespace {
// The desktop window's DC including its non-client area, from the cache.
constexpr DWORD kDesktopDCFlags = DCX_WINDOW | DCX_CACHE;
} // namespace

int LensMargin(int lensSide) {
    return std::clamp(lensSide / 2, 0, kMaxLensMargin);
}

TToolActivation::TToolActivation(TForm& overlay, int tool, std::function<void()> end)
    : overlay_(overlay), tool_(tool), end_(std::move(end)), toolObject_(Info().Create(*this)) {}

TToolActivation::~TToolActivation() = default;

void TToolActivation::Freeze() {
    std::vector<TScreenRect> monitors = MonitorRects();
    const TScreenRect screen = VirtualScreenOf(monitors);
    // The desktop surface is needed for this one copy only. Its window DC
    // counts from the desktop window's corner: the primary monitor's on
    // Windows, the virtual screen's under Wine.
    const HWND desktopWindow = GetDesktopWindow();
    RECT desktopRect{};
    GetWindowRect(desktopWindow, &desktopRect);
    WindowDC desktop(desktopWindow, kDesktopDCFlags);
    auto picture = std::make_unique<TBitmap>(screen.Width() + LensMargin(Settings.ZoomWidth),
                                             screen.Height() + LensMargin(Settings.ZoomHeight));
    // Monitor by monitor: what lies between them keeps the picture's white.
    for (const TScreenRect& m : monitors)
        picture->Canvas().CopyFrom(
            {m.left - screen.left, m.top - screen.top, m.right - screen.left, m.bottom - screen.top},
            desktop.get(), m.left - desktopRect.left, m.top - desktopRect.top);
    picture_ = std::move(picture);
    screen_ = screen;
    monitors_ = std::move(monitors);
}

POINT TToolActivation::PointerPosition() const {
    return ToOverlay(CursorPosition());
}

void TToolActivation::Start(TPopupMenu& panelMenu, std::function<void()> panelMouseMove) {
    if (Info().InfoRows != 0) {
        const POINT stored{Settings.*Info().PanelX, Settings.*Info().PanelY};
        // Made at the scaling of the monitor it opens on, the one nearest to
        // its place (on one monitor, the system's).
        const int dpi = monitors_.size() > 1 ? DpiAt(stored) : 0;
        panel_ = std::make_unique<TInfoWin>(overlay_, panelMenu, std::move(panelMouseMove),
                                            Info().InfoRows, dpi);
        panel_->SetPosition(stored, monitors_, {screen_.left, screen_.top});
    }
    toolObject_->Start();
}

void TToolActivation::Stop() {
    toolObject_->Stop();
    picture_.reset();
}

void TToolActivation::StorePanelPosition() const {
    if (!panel_) return;
    const POINT position = panel_->GetPosition();
    Settings.*Info().PanelX = position.x;
    Settings.*Info().PanelY = position.y;
}

void TToolActivation::FreePanel() {
    // The panel may be ending from inside its own menu or mouse handler;
    // from now on the tool sees no panel, and the window goes once that
    // handler has returned.
    if (panel_) FreeAfterMessages(std::shared_ptr<TInfoWin>(std::move(panel_)));
}

void TToolActivation::Release() noexcept {
    if (--holds_ > 0 || !endRequested_) return;
    endRequested_ = false;
    // The end may free this activation: nothing of it is used afterwards.
    const std::function<void()> end = end_;
    GuardedCall(end);
}

void TToolActivation::Repaint() {
    overlay_.Invalidate();
    overlay_.Update();
}
