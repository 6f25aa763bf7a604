// A thread that sleeps an interval and then runs a step, again and again,
// until it is terminated; it can be held between steps and frees itself when
// its loop ends. The tray icon animates through it.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

class TTimerThread {
public:
    // The step runs on the thread while the thread's lock is held, so it
    // must be short (post a message, not draw) and must not call back into
    // this object. Starts held when suspended is true.
    static TTimerThread* Create(std::function<void()> step, unsigned intervalMs, bool suspended);

    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;

    void SetInterval(unsigned intervalMs);
    // Holds the thread before its next step; Resume lets it go on. After
    // Suspend returns, no step runs until Resume.
    void Suspend();
    void Resume();
    bool Suspended() const;
    // From now on no step runs, even one whose interval has passed: the
    // owner of the step is going away.
    void Detach();
    // Ends the loop; the object then frees itself, so the caller must forget
    // its pointer.
    void Terminate();

private:
    TTimerThread(std::function<void()> step, unsigned intervalMs, bool suspended);
    static unsigned long __stdcall ThreadProc(void* self) noexcept;
    void Run();

    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::function<void()> step_;
    unsigned intervalMs_;
    bool suspended_;
    bool detached_ = false;
    bool terminated_ = false;
};
