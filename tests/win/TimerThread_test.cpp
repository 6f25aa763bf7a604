// The animation thread: steps at its interval, holds when suspended, stops
// stepping when detached and frees itself when terminated.
#include "tray/TimerThread.h"
#include "EmulatorFaults.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <memory>

namespace {
bool WaitFor(auto condition, int ms = 5000) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        SwitchToThread();
    }
    return true;
}

// Lets ten intervals of 5 ms pass, as counted by a second thread of the same
// kind: how long "nothing happened" took is read off a clock that a busy
// machine slows down alike, not off a fixed sleep.
void TenIntervalsPass() {
    auto ticks = std::make_shared<std::atomic<int>>(0);
    auto* clock = TTimerThread::Create([ticks] { ++*ticks; }, 5, /*suspended=*/false);
    EXPECT_TRUE(WaitFor([&] { return *ticks >= 10; }));
    clock->Terminate();
}
} // namespace

TEST(TimerThread, StepsHoldsResumesAndStops) {
    SKIP_UNDER_EMULATION(kThreadsAtOnce);
    auto steps = std::make_shared<std::atomic<int>>(0);
    auto* thread = TTimerThread::Create([steps] { ++*steps; }, 5, /*suspended=*/true);
    TenIntervalsPass();
    EXPECT_EQ(*steps, 0); // started held

    thread->Resume();
    ASSERT_TRUE(WaitFor([&] { return *steps >= 3; }));

    thread->Suspend();
    const int held = *steps;
    TenIntervalsPass();
    EXPECT_EQ(*steps, held);

    thread->Resume();
    ASSERT_TRUE(WaitFor([&] { return *steps > held; }));

    thread->Detach();
    const int detached = *steps;
    TenIntervalsPass();
    EXPECT_EQ(*steps, detached);
    thread->Terminate();
}

TEST(TimerThread, FreesItselfWhenTerminated) {
    SKIP_UNDER_EMULATION(kThreadsAtOnce);
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    // A long interval: termination must not wait for it to pass.
    auto* thread = TTimerThread::Create([token] {}, 60000, false);
    token.reset();
    EXPECT_FALSE(watch.expired()); // the thread's step still holds it
    thread->Terminate();
    EXPECT_TRUE(WaitFor([&] { return watch.expired(); }, 1000));
}
