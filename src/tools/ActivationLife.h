// The life of a tool activation, from the start request to the end, in one
// place: its states, the events that reach it and what each event asks of
// the window side in each state. The host form reports every event here and
// carries out the answer; it keeps no state of the activation's life itself.
// No Win32 here, so the table is tested natively, every event in every state.
#pragma once

#include <cstdint>

enum class TLifeState : uint8_t {
    Idle,            // no activation
    Capturing,       // a start is under way; the picture is not taken yet
    Starting,        // the picture is taken; the overlay, panel and tool come up
    StartingThenEnd, // ... and an end was asked for meanwhile
    Running,         // the tool runs
    Held,            // a dialog, a menu or a handler of the activation runs
    HeldThenEnd,     // ... and an end was asked for meanwhile
    Ending,          // the end is being carried out
};

enum class TLifeEvent : uint8_t {
    StartRequest,    // a hot key, a tray icon or the tray menu
    PictureTaken,    // the frozen picture exists
    FirstFrameShown, // the start is done: the overlay shows the picture, the tool runs
    StepFailed,      // a step of the start raised an error
    ToolEnd,         // Escape, the tool's own end, its Close command, a close request
    Deactivation,    // another program took the foreground
    DisplayChange,   // a monitor came, went or changed its mode
    Exit,            // the program ends
    HoldOpened,      // a dialog, a menu or a handler of the activation begins
    HoldClosed,      // ... and has returned
    Ended,           // the window side has carried out the end
};

// What the window side does on an event.
enum class TLifeAnswer : uint8_t {
    None,     // nothing
    Refuse,   // ignore the start request
    Capture,  // make the activation and take the picture
    Discard,  // free the activation that has no picture
    EndNow,   // end the activation now, then report Ended
    EndLater, // nothing yet: the end comes when the start or the hold is over
    // The end comes when the hold is over; meanwhile the overlay stops
    // covering the program that took the foreground.
    StepAside,
};

class TActivationLife {
public:
    TLifeAnswer On(TLifeEvent event);

    TLifeState State() const { return state_; }
    // The picture and the tool exist: input and painting go to the tool.
    bool ToolRuns() const;

private:
    TLifeState state_ = TLifeState::Idle;
    // Dialogs, menus and handlers open one inside the other; only the first
    // opening and the last closing change the state.
    int holds_ = 0;
};
