// The activation's life as a table: every event in every state, and the
// orders of events that ended activations at the wrong moment before.
#include "tools/ActivationLife.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
using enum TLifeState;
using enum TLifeEvent;
using enum TLifeAnswer;

const char* const kStateNames[] = {"Idle",    "Capturing", "Starting",    "StartingThenEnd",
                                   "Running", "Held",      "HeldThenEnd", "Ending"};
const char* const kEventNames[] = {
    "StartRequest",  "PictureTaken", "FirstFrameShown", "StepFailed", "ToolEnd", "Deactivation",
    "DisplayChange", "Exit",         "HoldOpened",      "HoldClosed", "Ended"};

// How each state is reached from the start.
std::vector<TLifeEvent> PathTo(TLifeState state) {
    switch (state) {
    case Idle:
        return {};
    case Capturing:
        return {StartRequest};
    case Starting:
        return {StartRequest, PictureTaken};
    case StartingThenEnd:
        return {StartRequest, PictureTaken, Deactivation};
    case Running:
        return {StartRequest, PictureTaken, FirstFrameShown};
    case Held:
        return {StartRequest, PictureTaken, FirstFrameShown, HoldOpened};
    case HeldThenEnd:
        return {StartRequest, PictureTaken, FirstFrameShown, HoldOpened, ToolEnd};
    case Ending:
        return {StartRequest, PictureTaken, FirstFrameShown, ToolEnd};
    }
    return {};
}

struct Step {
    TLifeAnswer answer;
    TLifeState next;
};

TActivationLife In(TLifeState state) {
    TActivationLife life;
    for (TLifeEvent e : PathTo(state))
        life.On(e);
    return life;
}
} // namespace

TEST(ActivationLife, EveryEventInEveryState) {
    // Each row: a state, then the answer and next state for each event in
    // the order StartRequest, PictureTaken, FirstFrameShown, StepFailed,
    // ToolEnd, Deactivation, DisplayChange, Exit, HoldOpened, HoldClosed,
    // Ended. In the Held states a hold opened is a second one: it changes
    // nothing, and HoldClosed closes the last one.
    struct Row {
        TLifeState state;
        Step steps[11];
    };
    // clang-format off
    const Row table[] = {
        {Idle, {{Capture, Capturing}, {None, Idle}, {None, Idle}, {None, Idle},
                {None, Idle}, {None, Idle}, {None, Idle}, {None, Idle},
                {None, Idle}, {None, Idle}, {None, Idle}}},
        // An end before the picture was meant for what was there before.
        {Capturing, {{Refuse, Capturing}, {None, Starting}, {None, Capturing}, {Discard, Idle},
                     {None, Capturing}, {None, Capturing}, {None, Capturing}, {None, Capturing},
                     {None, Capturing}, {None, Capturing}, {None, Capturing}}},
        {Starting, {{Refuse, Starting}, {None, Starting}, {None, Running}, {EndNow, Ending},
                    {EndLater, StartingThenEnd}, {EndLater, StartingThenEnd},
                    {EndLater, StartingThenEnd}, {EndLater, StartingThenEnd},
                    {None, Starting}, {None, Starting}, {None, Starting}}},
        {StartingThenEnd, {{Refuse, StartingThenEnd}, {None, StartingThenEnd}, {EndNow, Ending},
                           {EndNow, Ending}, {None, StartingThenEnd}, {None, StartingThenEnd},
                           {None, StartingThenEnd}, {None, StartingThenEnd},
                           {None, StartingThenEnd}, {None, StartingThenEnd},
                           {None, StartingThenEnd}}},
        {Running, {{Refuse, Running}, {None, Running}, {None, Running}, {None, Running},
                   {EndNow, Ending}, {EndNow, Ending}, {EndNow, Ending}, {EndNow, Ending},
                   {None, Held}, {None, Running}, {None, Running}}},
        // Another program took the foreground while a dialog holds the
        // activation: the overlay must stop covering it.
        {Held, {{Refuse, Held}, {None, Held}, {None, Held}, {None, Held},
                {EndLater, HeldThenEnd}, {StepAside, HeldThenEnd}, {EndLater, HeldThenEnd},
                {EndLater, HeldThenEnd}, {None, Held}, {None, Running}, {None, Held}}},
        {HeldThenEnd, {{Refuse, HeldThenEnd}, {None, HeldThenEnd}, {None, HeldThenEnd},
                       {None, HeldThenEnd}, {None, HeldThenEnd}, {StepAside, HeldThenEnd},
                       {None, HeldThenEnd}, {None, HeldThenEnd}, {None, HeldThenEnd},
                       {EndNow, Ending}, {None, HeldThenEnd}}},
        {Ending, {{Refuse, Ending}, {None, Ending}, {None, Ending}, {None, Ending},
                  {None, Ending}, {None, Ending}, {None, Ending}, {None, Ending},
                  {None, Ending}, {None, Ending}, {None, Idle}}},
    };
    // clang-format on
    for (const Row& row : table) {
        ASSERT_EQ(In(row.state).State(), row.state) << kStateNames[int(row.state)];
        for (int e = 0; e < 11; ++e) {
            TActivationLife life = In(row.state);
            const TLifeAnswer answer = life.On(static_cast<TLifeEvent>(e));
            EXPECT_EQ(answer, row.steps[e].answer)
                << kStateNames[int(row.state)] << " on " << kEventNames[e];
            EXPECT_EQ(life.State(), row.steps[e].next)
                << kStateNames[int(row.state)] << " on " << kEventNames[e];
        }
    }
}

TEST(ActivationLife, EndsComeWhenWhatHoldsTheActivationIsOver) {
    struct Order {
        const char* what;
        std::vector<TLifeEvent> events;
        std::vector<TLifeAnswer> answers;
    };
    const Order orders[] = {
        // The shell's calls of the start let a deactivation in; the first
        // paint runs the tool's handler meanwhile.
        {"a deactivation inside the start",
         {StartRequest, PictureTaken, Deactivation, HoldOpened, HoldClosed, FirstFrameShown, Ended},
         {Capture, None, EndLater, None, None, EndNow, None}},
        // The context menu's Save opens the save dialog; the user switches
        // away, then saves: the picture lives until the dialog and the menu
        // have returned.
        {"an end while the save dialog is open",
         {StartRequest, PictureTaken, FirstFrameShown, HoldOpened, HoldOpened, Deactivation,
          HoldClosed, HoldClosed},
         {Capture, None, None, None, None, StepAside, None, EndNow}},
        // A hot key pressed meanwhile starts nothing over the open menu.
        {"a display change while the panel's menu is open",
         {StartRequest, PictureTaken, FirstFrameShown, HoldOpened, DisplayChange, StartRequest,
          HoldClosed, Ended, StartRequest},
         {Capture, None, None, None, EndLater, Refuse, EndNow, None, Capture}},
        // About holds no activation: Exit then has nothing to end; a tool
        // started from a hot key meanwhile ends with the program.
        {"Exit while About is open",
         {Exit, StartRequest, PictureTaken, FirstFrameShown, Exit},
         {None, Capture, None, None, EndNow}},
        {"an end asked for before the picture is taken",
         {StartRequest, Deactivation, ToolEnd, PictureTaken, FirstFrameShown},
         {Capture, None, None, None, None}},
        {"a picture that cannot be taken",
         {StartRequest, StepFailed, StartRequest},
         {Capture, Discard, Capture}},
        // A closing that matches no opening does not count against the next.
        {"an unmatched closing",
         {StartRequest, PictureTaken, FirstFrameShown, HoldClosed, HoldOpened, ToolEnd, HoldClosed},
         {Capture, None, None, None, None, EndLater, EndNow}},
        {"holds while nothing runs",
         {HoldOpened, StartRequest, PictureTaken, FirstFrameShown, ToolEnd},
         {None, Capture, None, None, EndNow}},
    };
    for (const Order& order : orders) {
        TActivationLife life;
        std::vector<TLifeAnswer> answers;
        for (TLifeEvent e : order.events)
            answers.push_back(life.On(e));
        EXPECT_EQ(answers, order.answers) << order.what;
    }
}

TEST(ActivationLife, TheToolGetsInputFromThePictureOnUntilTheEnd) {
    for (int s = 0; s < 8; ++s) {
        const auto state = static_cast<TLifeState>(s);
        const bool runs = state != Idle && state != Capturing && state != Ending;
        EXPECT_EQ(In(state).ToolRuns(), runs) << kStateNames[s];
    }
}
