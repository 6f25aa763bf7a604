// The animation thread: steps at its interval, holds when suspended, stops
// stepping when detached and frees itself when terminated.
#include "tray/TimerThread.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <memory>

namespace {
bool WaitFor(auto condition, int ms = 2000) {
    for (int waited = 0; waited < ms; waited += 5) {
        if (condition()) return true;
        Sleep(5);
    }
    return condition();
}
} // namespace

TEST(TimerThread, StepsHoldsResumesAndStops) {
    auto steps = std::make_shared<std::atomic<int>>(0);
    auto* thread = TTimerThread::Create([steps] { ++*steps; }, 5, /*suspended=*/true);
    Sleep(60);
    EXPECT_EQ(*steps, 0); // started held

    thread->Resume();
    ASSERT_TRUE(WaitFor([&] { return *steps >= 3; }));

    thread->Suspend();
    const int held = *steps;
    Sleep(60);
    EXPECT_EQ(*steps, held);

    thread->Resume();
    ASSERT_TRUE(WaitFor([&] { return *steps > held; }));

    thread->Detach();
    const int detached = *steps;
    Sleep(60);
    EXPECT_EQ(*steps, detached);
    thread->Terminate();
}

TEST(TimerThread, FreesItselfWhenTerminated) {
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    // A long interval: termination must not wait for it to pass.
    auto* thread = TTimerThread::Create([token] {}, 60000, false);
    token.reset();
    EXPECT_FALSE(watch.expired()); // the thread's step still holds it
    thread->Terminate();
    EXPECT_TRUE(WaitFor([&] { return watch.expired(); }, 1000));
}
