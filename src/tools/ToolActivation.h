// One tool activation: the frozen copy of the screen, the screen's size, the
// information panel and the running tool. It exists exactly while a tool is active; the host form owns it.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Handle.h"
#include "info/InfoWin.h"
#include "tools/ToolTable.h"
#include <functional>
#include <memory>

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

    // Copies the primary screen once into a picture larger by half a lens at
    // the right and bottom (white there). Throws when the memory is missing.
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
    // The primary screen's size when the picture was taken; asking the system
    // on every mouse move would cost more than drawing the lens.
    SIZE ScreenSize() const { return screen_; }
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
    SIZE screen_{};
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
