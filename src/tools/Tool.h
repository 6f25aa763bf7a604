// The one interface every tool implements. A tool lives for one activation;
// it gets what it works on (the overlay, the frozen picture, the panel) from
// that activation, and the host form hands it the overlay's input.
#pragma once

#include "framework/Form.h"
#include "framework/Geometry.h"
#include <optional>

class TToolActivation;

// Commands of the tools' context menus, carried by the menu items as tags.
enum class TToolCommand : int { None, Copy, Save, ShowHideInfo, Close };

class TTool {
public:
    explicit TTool(TToolActivation& activation) : Activation(activation) {}
    virtual ~TTool() = default;
    TTool(const TTool&) = delete;
    TTool& operator=(const TTool&) = delete;

    // The overlay shows the frozen picture: the tool begins.
    virtual void Start() {}
    // The activation ends: the overlay is about to hide.
    virtual void Stop() {}
    // Setting key to 0 marks the stroke as handled. Escape ends the tool.
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void MouseDown(TMouseButton /*button*/, TShiftState /*shift*/, TOverlayPoint /*p*/) {}
    // Also runs for moves over the information panel: `at` is where the
    // move went, on the overlay under the panel too.
    virtual void MouseMove(TShiftState /*shift*/, TOverlayPoint /*at*/) {}
    virtual void MouseUp(TMouseButton /*button*/, TShiftState /*shift*/, TOverlayPoint /*p*/) {}
    // The frozen picture was just copied to the overlay: draw the marks that
    // must stay on it.
    virtual void Paint() {}
    // The pointer over a point of the overlay; nothing: the tool's own cursor.
    virtual std::optional<int> CursorAt(TOverlayPoint /*p*/) { return std::nullopt; }
    virtual void MenuCommand(TToolCommand command);
    // The context menu's information item reads "Hide &info" or "Show &info".
    virtual bool InfoShown() const { return false; }
    // The tool holds something (a selection, a colour) its commands act on.
    virtual bool Marked() const { return false; }

protected:
    TToolActivation& Activation;
};
