#include "tools/ActivationLife.h"
#include <initializer_list>

namespace {
using enum TLifeState;
using enum TLifeEvent;
using enum TLifeAnswer;

struct TEventSet {
    uint32_t bits = 0;
    constexpr TEventSet(std::initializer_list<TLifeEvent> events) {
        for (TLifeEvent e : events)
            bits |= 1u << static_cast<unsigned>(e);
    }
    constexpr bool Has(TLifeEvent e) const { return (bits >> static_cast<unsigned>(e)) & 1; }
};

struct TLifeRule {
    TLifeState in;
    TEventSet on;
    TLifeAnswer answer;
    TLifeState next;
};

// Every request to end is answered alike, whoever makes it; only a
// deactivation also asks the overlay to make way while a hold keeps it.
constexpr TEventSet kAnyEnd{ToolEnd, Deactivation, DisplayChange, Exit};
constexpr TEventSet kEndsButDeactivation{ToolEnd, DisplayChange, Exit};

// Whatever is not here: a start request is refused, and any other event
// changes nothing. So an end asked for while the picture is being taken
// ends nothing: it was meant for what was there before (the tray menu that
// just closed, the activation before this one).
// clang-format off
constexpr TLifeRule kLife[] = {
    // in state        on event                        answer     next state
    {Idle,             {StartRequest},                 Capture,   Capturing},
    {Capturing,        {PictureTaken},                 None,      Starting},
    {Capturing,        {StepFailed},                   Discard,   Idle},
    {Starting,         {FirstFrameShown},              None,      Running},
    {Starting,         {StepFailed},                   EndNow,    Ending},
    {Starting,         kAnyEnd,                        EndLater,  StartingThenEnd},
    {StartingThenEnd,  {FirstFrameShown, StepFailed},  EndNow,    Ending},
    {Running,          kAnyEnd,                        EndNow,    Ending},
    {Running,          {HoldOpened},                   None,      Held},
    {Held,             kEndsButDeactivation,           EndLater,  HeldThenEnd},
    {Held,             {Deactivation},                 StepAside, HeldThenEnd},
    {Held,             {HoldClosed},                   None,      Running},
    {HeldThenEnd,      {Deactivation},                 StepAside, HeldThenEnd},
    {HeldThenEnd,      {HoldClosed},                   EndNow,    Ending},
    {Ending,           {Ended},                        None,      Idle},
};
// clang-format on
} // namespace

TLifeAnswer TActivationLife::On(TLifeEvent event) {
    if (event == HoldOpened || event == HoldClosed) {
        // Without an activation there is nothing to hold; a closing without
        // its opening changes nothing.
        if (state_ == Idle || (event == HoldClosed && holds_ == 0)) return None;
        if (event == HoldOpened ? holds_++ > 0 : --holds_ > 0) return None;
    }
    if (event == Ended) holds_ = 0;
    for (const TLifeRule& rule : kLife)
        if (rule.in == state_ && rule.on.Has(event)) {
            state_ = rule.next;
            return rule.answer;
        }
    return event == StartRequest ? Refuse : None;
}

bool TActivationLife::ToolRuns() const {
    switch (state_) {
    case Starting:
    case StartingThenEnd:
    case Running:
    case Held:
    case HeldThenEnd:
        return true;
    default:
        return false;
    }
}
