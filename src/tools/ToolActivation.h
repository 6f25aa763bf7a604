// One tool activation: the frozen copy of every monitor, the layout it was
// taken at, the information panel and the running tool. It exists from the
// start request to the end; the host form owns it, and decides with its
// TActivationLife when it ends.
//
// The overlay covers the virtual screen (the rectangle around every
// monitor), and the picture holds that rectangle: a point of the overlay is
// the same point of the picture. The tools work in these overlay
// coordinates; screen coordinates, negative left of or above the primary
// monitor, are what the user sees in the panel and what the system's pointer
// speaks. The conversions between the two are here and nowhere else.
#pragma once

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Geometry.h"
#include "framework/MonitorLayout.h"
#include "info/InfoWin.h"
#include "tools/ActivationLife.h"
#include "tools/ToolTable.h"
#include <functional>
#include <memory>
#include <vector>

// Who runs activations (the host form): it hears of what happens to one.
class TActivationOwner {
public:
    virtual void Report(TLifeEvent event) = 0;

protected:
    ~TActivationOwner() = default;
};

// A step that lets window messages in (a dialog, a menu) or runs a tool's
// handler holds the activation while it lives: an end asked for meanwhile
// comes once the last hold has closed, so the step and whoever called it
// find the activation, its picture and its tool whole.
class TActivationHold {
public:
    explicit TActivationHold(TActivationOwner& owner) : owner_(owner) {
        owner_.Report(TLifeEvent::HoldOpened);
    }
    // The end that may come now is shown as an error if it fails, never thrown.
    ~TActivationHold() {
        GuardedCall([this] { owner_.Report(TLifeEvent::HoldClosed); });
    }
    TActivationHold(const TActivationHold&) = delete;
    TActivationHold& operator=(const TActivationHold&) = delete;

private:
    TActivationOwner& owner_;
};

class TToolActivation {
public:
    // `overlay` is the host form the tool draws on; `owner` hears of ends
    // and holds.
    TToolActivation(TForm& overlay, TActivationOwner& owner, int tool);
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
    // The overlay shows the frozen picture: opens the tool's panel at its
    // stored place and starts the tool.
    void Start(TPopupMenu& panelMenu, std::function<void(TScreenPoint)> panelMouseMove);
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
    // The overlay's area, as when the picture was taken. Asking the system
    // on every mouse move would cost more than drawing the lens.
    TOverlayRect OverlayRect() const { return {0, 0, screen_.Width(), screen_.Height()}; }
    SIZE OverlaySize() const {
        return {static_cast<LONG>(screen_.Width()), static_cast<LONG>(screen_.Height())};
    }
    // The virtual screen and the monitors as they were when the picture was
    // taken.
    const TScreenRect& ScreenRect() const { return screen_; }
    const std::vector<TScreenRect>& Monitors() const { return monitors_; }

    TOverlayPoint ToOverlay(TScreenPoint p) const {
        return {Saturate32(int64_t{p.x} - screen_.left), Saturate32(int64_t{p.y} - screen_.top)};
    }
    TScreenPoint ToScreen(TOverlayPoint p) const {
        return {Saturate32(int64_t{p.x} + screen_.left), Saturate32(int64_t{p.y} + screen_.top)};
    }
    TOverlayRect ToOverlay(const TScreenRect& r) const {
        return {r.left - screen_.left, r.top - screen_.top, r.right - screen_.left,
                r.bottom - screen_.top};
    }
    // Where the system's pointer is.
    TScreenPoint PointerOnScreen() const;
    TOverlayPoint PointerOnOverlay() const { return ToOverlay(PointerOnScreen()); }

    TInfoWin* Panel() { return panel_.get(); }
    const TInfoWin* Panel() const { return panel_.get(); }
    void SetCursor(int cursor) { overlay_.SetCursor(cursor); }
    // All mouse input goes to the overlay, also over the panel, until released.
    void CaptureMouse(bool capture) { overlay_.SetMouseCapture(capture); }
    // Paints the whole overlay again from the picture, now.
    void Repaint();
    // Asks for the end; it comes once the handler asking has returned.
    void End() { owner_.Report(TLifeEvent::ToolEnd); }
    // Runs a step that lets window messages in (a dialog) as a hold.
    template <typename Step> void Hold(Step&& step) {
        TActivationHold hold(owner_);
        step();
    }

private:
    TForm& overlay_;
    TActivationOwner& owner_;
    int tool_;
    std::unique_ptr<TTool> toolObject_;
    std::unique_ptr<TBitmap> picture_;
    TScreenRect screen_{};
    std::vector<TScreenRect> monitors_;
    std::unique_ptr<TInfoWin> panel_;
};

// The largest margin the frozen picture gets beside the screen: half the
// largest lens side the Preferences dialog offers. Guards the picture's size
// against lens sizes no dialog can set.
constexpr int kMaxLensMargin = 800;
// Margin for a lens side: half of it, truncated, within 0..kMaxLensMargin.
int LensMargin(int lensSide);
