// Shows a fault of qemu-i386-static 7.2 running Wine's 32-bit loader, with no
// code of Vantacle: wineserver asks one thread of a process for its state by
// a signal sent to that thread alone; under qemu the signal is taken by
// another thread of the process, so the thread that asked waits for an
// answer that never comes. Natively every try answers at once.
// Built with the tests (build/win32/tests/suspend_other_thread.exe); with
// the build's Wine session started (scripts/wine-session.sh start build/win32):
//   scripts/wine-run.sh build/win32/tests/suspend_other_thread.exe
// prints "20 of 20 answered"; the same under scripts/emulate-32bit.sh prints
// "try 1: no answer within 5 s", often followed by a segmentation fault.
#include <windows.h>
#include <cstdio>

namespace {
volatile LONG spins[2];

// Stays in user code, so only a signal can stop it.
DWORD WINAPI Spin(void* slot) {
    for (;;)
        InterlockedIncrement(&spins[reinterpret_cast<INT_PTR>(slot)]);
}

HANDLE target;
DWORD WINAPI AskForState(void*) {
    SuspendThread(target);
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    const BOOL answered = GetThreadContext(target, &context);
    ResumeThread(target);
    return answered;
}
} // namespace

int main() {
    target = CreateThread(nullptr, 0, Spin, reinterpret_cast<void*>(0), 0, nullptr);
    Sleep(100);
    // The newest thread of the process: the one qemu hands the signal to.
    CreateThread(nullptr, 0, Spin, reinterpret_cast<void*>(1), 0, nullptr);
    Sleep(100);
    int answered = 0;
    const int tries = 20;
    for (int i = 0; i < tries; ++i) {
        HANDLE asker = CreateThread(nullptr, 0, AskForState, nullptr, 0, nullptr);
        if (WaitForSingleObject(asker, 5000) != WAIT_OBJECT_0) {
            printf("try %d: no answer within 5 s (target spun %ld, newest %ld)\n", i + 1, spins[0],
                   spins[1]);
            fflush(stdout);
            ExitProcess(1);
        }
        DWORD result = 0;
        GetExitCodeThread(asker, &result);
        answered += result != 0;
        CloseHandle(asker);
    }
    printf("%d of %d answered\n", answered, tries);
    return answered == tries ? 0 : 1;
}
