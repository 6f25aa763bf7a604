#include "tray/TimerThread.h"
#include "framework/Error.h"
#include <windows.h>
#include <chrono>

// Holding the thread is done by the thread itself between steps, never with
// SuspendThread: a thread stopped from outside may hold the heap's or the
// shell's lock, and the user-interface thread would then hang on it.

TTimerThread* TTimerThread::Create(std::function<void()> step, unsigned intervalMs,
                                   bool suspended) {
    auto* thread = new TTimerThread(std::move(step), intervalMs, suspended);
    HANDLE handle = CreateThread(nullptr, 0, ThreadProc, thread, 0, nullptr);
    if (!handle) {
        delete thread;
        throw Error(L"The timer thread could not be started.");
    }
    // The thread owns itself; nobody waits for it.
    CloseHandle(handle);
    return thread;
}

TTimerThread::TTimerThread(std::function<void()> step, unsigned intervalMs, bool suspended)
    : step_(std::move(step)), intervalMs_(intervalMs), suspended_(suspended) {}

DWORD WINAPI TTimerThread::ThreadProc(void* self) noexcept {
    static_cast<TTimerThread*>(self)->Run();
    return 0;
}

void TTimerThread::Run() {
    std::unique_lock lock(lock_);
    while (!terminated_) {
        wake_.wait(lock, [this] { return terminated_ || !suspended_; });
        if (terminated_) break;
        // Sleep the interval unless terminated, suspended or re-timed meanwhile.
        const unsigned interval = intervalMs_;
        bool interrupted = wake_.wait_for(lock, std::chrono::milliseconds(interval), [&] {
            return terminated_ || suspended_ || intervalMs_ != interval;
        });
        if (interrupted || detached_) continue;
        if (step_) step_();
    }
    lock.unlock();
    delete this;
}

void TTimerThread::SetInterval(unsigned intervalMs) {
    std::lock_guard guard(lock_);
    intervalMs_ = intervalMs;
    wake_.notify_all();
}

void TTimerThread::Suspend() {
    std::lock_guard guard(lock_);
    suspended_ = true;
    wake_.notify_all();
}

void TTimerThread::Resume() {
    std::lock_guard guard(lock_);
    suspended_ = false;
    wake_.notify_all();
}

bool TTimerThread::Suspended() const {
    std::lock_guard guard(lock_);
    return suspended_;
}

void TTimerThread::Detach() {
    std::lock_guard guard(lock_);
    detached_ = true;
    step_ = nullptr;
}

void TTimerThread::Terminate() {
    std::lock_guard guard(lock_);
    terminated_ = true;
    wake_.notify_all();
}
