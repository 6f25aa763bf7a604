// One tool activation: the frozen copy of every monitor, the layout it was
// taken at, the information panel and the running tool. It exists exactly
// while a tool is active; the host form owns it.
//
// The overlay covers the virtual screen (the rectangle around every
// monitor), and the picture holds that rectangle: a point of the overlay is
// the same point of the picture. The tools work in these overlay
// coordinates; screen coordinates, negative left of or above the primary
// monitor, are what the user sees in the panel and what the system's pointer
// speaks.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Handle.h"
#include "framework/MonitorLayout.h"
#include "info/InfoWin.h"
#include "tools/ToolTable.h"
#include <functional>
#include <memory>
#include <vector>

class TToolActivation {
public:
    // `overlay` is the host form the tool draws on; `end` ends the activation.
    TToolActivation(TForm& overlay, int tool, std::function<void()> end);
    ~TToolActivation();
    TToolActivation(const TToolActivation&) = delete;
    TToolActivation& operator=(const TToolActivation&) = delete;

    int ToolId() const { return tool_; }
    const TToolInfo& Info() const { return kTools[tool_]; }
    TTool& Tool() { return *toolObject_; }

    // Copies every monitor once into a picture of the virtual screen, larger
    // by half a lens at the right and bottom; the margin and the gaps between
    // monitors are white. Throws when the memory is missing.
    void Freeze();
    // Until then the activation is only being started: it cannot be ended.
    bool Frozen() const { return picture_ != nullptr; }
    // The overlay shows the frozen picture: opens the tool's panel at its
    // stored place and starts the tool.
    void Start(TPopupMenu& panelMenu, std::function<void()> panelMouseMove);
    // Stops the tool and lets go of the picture.
    void Stop();
    // Stores where the panel was left into the tool's position settings.
    void StorePanelPosition() const;
    void FreePanel();

    // What the tool works on.
    TCanvas& Canvas() { return overlay_.Canvas(); }
    // The owner of what a tool opens over the overlay (a dialog).
    HWND OverlayWindow() const { return overlay_.Handle(); }
    const TBitmap& Picture() const { return *picture_; }
    // The virtual screen's size when the picture was taken: the overlay's
    // area. Asking the system on every mouse move would cost more than
    // drawing the lens.
    SIZE ScreenSize() const { return {screen_.Width(), screen_.Height()}; }
    // The virtual screen and the monitors in screen coordinates, as they were
    // when the picture was taken.
    const TScreenRect& ScreenRect() const { return screen_; }
    const std::vector<TScreenRect>& Monitors() const { return monitors_; }
    POINT ToOverlay(POINT screen) const { return {screen.x - screen_.left, screen.y - screen_.top}; }
    POINT ToScreen(POINT overlay) const {
        return {overlay.x + screen_.left, overlay.y + screen_.top};
    }
    // The pointer, in overlay coordinates.
    POINT PointerPosition() const;
    TInfoWin* Panel() { return panel_.get(); }
    const TInfoWin* Panel() const { return panel_.get(); }
    void SetCursor(int cursor) { overlay_.SetCursor(cursor); }
    // All mouse input goes to the overlay, also over the panel, until released.
    void CaptureMouse(bool capture) { overlay_.SetMouseCapture(capture); }
    // Paints the whole overlay again from the picture, now.
    void Repaint();
    void End() { end_(); }

    // Runs a step that lets window messages in: the start's shell calls, a
    // dialog, a menu. An end asked for meanwhile (the user switched to
    // another program) waits until the last such step has returned and
    // happens then, so the step and whoever called it find the activation,
    // its picture and its tool whole.
    template <typename Step> void Hold(Step&& step) {
        ++holds_;
        ScopeExit release([this] { Release(); });
        step();
    }
    bool Held() const { return holds_ > 0; }
    // An end that must wait for a step holding the activation.
    void EndWhenReleased() { endRequested_ = true; }

private:
    TForm& overlay_;
    int tool_;
    std::function<void()> end_;
    std::unique_ptr<TTool> toolObject_;
    std::unique_ptr<TBitmap> picture_;
    TScreenRect screen_{};
    std::vector<TScreenRect> monitors_;
    std::unique_ptr<TInfoWin> panel_;
    int holds_ = 0;
    bool endRequested_ = false;

    void Release() noexcept;
};

// The largest margin the frozen picture gets beside the screen: half the
// largest lens side the Preferences dialog offers. Guards the picture's size
// against lens sizes no dialog can set.
constexpr int kMaxLensMargin = 800;
// Margin for a lens side: half of it, truncated, within 0..kMaxLensMargin.
int LensMargin(int lensSide);
