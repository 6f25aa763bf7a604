#include "tools/ToolActivation.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/GeometryWin.h"
#include "framework/Input.h"
#include "framework/SystemAnswers.h"
#include "framework/Window.h"
#include <algorithm>

namespace {
// The desktop window's DC including its non-client area, from the cache.
constexpr DWORD kDesktopDCFlags = DCX_WINDOW | DCX_CACHE;
} // namespace

int LensMargin(int lensSide) {
    return std::clamp(lensSide / 2, 0, kMaxLensMargin);
}

TToolActivation::TToolActivation(TForm& overlay, TActivationOwner& owner, int tool)
    : overlay_(overlay), owner_(owner), tool_(tool), toolObject_(Info().Create(*this)) {}

TToolActivation::~TToolActivation() = default;

void TToolActivation::Freeze() {
    monitors_ = MonitorRects();
    screen_ = VirtualScreenOf(monitors_);
    // The desktop surface is needed for this one copy only. Its window DC
    // counts from the desktop window's corner: the primary monitor's on
    // Windows, the virtual screen's under Wine.
    const HWND desktopWindow = GetDesktopWindow();
    RECT desktopRect{};
    GetWindowRect(desktopWindow, &desktopRect);
    WindowDC desktop(desktopWindow, kDesktopDCFlags);
    const SIZE size = OverlaySize();
    auto picture = std::make_unique<TBitmap>(size.cx + LensMargin(Settings.ZoomWidth),
                                             size.cy + LensMargin(Settings.ZoomHeight));
    // Monitor by monitor: what lies between them keeps the picture's white.
    for (const TScreenRect& m : monitors_)
        picture->Canvas().CopyFrom(ToRECT(ToOverlay(m)), desktop.get(),
                                   static_cast<int>(m.left - desktopRect.left),
                                   static_cast<int>(m.top - desktopRect.top));
    picture_ = std::move(picture);
}

TScreenPoint TToolActivation::PointerOnScreen() const {
    return ::PointerOnScreen();
}

void TToolActivation::Start(TPopupMenu& panelMenu,
                            std::function<void(TScreenPoint)> panelMouseMove) {
    if (Info().InfoRows != 0) {
        const TScreenPoint stored{Settings.*Info().PanelX, Settings.*Info().PanelY};
        // Made at the scaling of the monitor nearest to its place, then that
        // of the monitor it comes to lie on.
        const int dpi = DpiAt(stored);
        TInfoWinEvents events;
        events.MouseMove = std::move(panelMouseMove);
        // The panel's menu holds the activation: a command chosen in it acts
        // on the activation it was opened over.
        events.RunMenu = [this](const std::function<void()>& menu) { Hold(menu); };
        panel_ = std::make_unique<TInfoWin>(overlay_, panelMenu, std::move(events), Info().InfoRows,
                                            dpi);
        panel_->SetPosition(stored, monitors_, ToScreen(TOverlayPoint{0, 0}));
        if (panel_->FollowMonitorScaling())
            panel_->SetPosition(stored, monitors_, ToScreen(TOverlayPoint{0, 0}));
    }
    toolObject_->Start();
}

void TToolActivation::Stop() {
    toolObject_->Stop();
    picture_.reset();
}

void TToolActivation::StorePanelPosition() const {
    if (!panel_) return;
    const TScreenPoint position = panel_->GetPosition();
    Settings.*Info().PanelX = position.x;
    Settings.*Info().PanelY = position.y;
}

void TToolActivation::FreePanel() {
    // The panel may be ending from inside its own menu or mouse handler;
    // from now on the tool sees no panel, and the window goes once that
    // handler has returned.
    if (panel_) FreeAfterMessages(std::shared_ptr<TInfoWin>(std::move(panel_)));
}

void TToolActivation::Repaint() {
    overlay_.Invalidate();
    overlay_.Update();
}
