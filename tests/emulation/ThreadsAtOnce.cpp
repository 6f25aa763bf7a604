// Shows a fault of qemu-i386-static 7.2 running Wine's 32-bit loader, with no
// code of Vantacle: a process whose threads run at the same time dies within
// seconds ("qemu: uncaught target signal 11", or glibc's "stack smashing
// detected" inside Wine), while the same threads one after another run to
// the end. Natively every round ends.
// Built with the tests (build/win32/tests/threads_at_once.exe); with the
// build's Wine session started (scripts/wine-session.sh start build/win32):
//   scripts/wine-run.sh build/win32/tests/threads_at_once.exe 2
// prints "100 rounds of 2 threads at once ended"; the same under
// scripts/emulate-32bit.sh dies before that line. With 1 it ends there too.
#include <windows.h>
#include <cstdio>
#include <cstdlib>

namespace {
volatile LONG counts[8];

DWORD WINAPI Count(void* slot) {
    for (int i = 0; i < 200000; ++i)
        InterlockedIncrement(&counts[reinterpret_cast<INT_PTR>(slot)]);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    const int atOnce = argc > 1 ? std::atoi(argv[1]) : 2;
    if (atOnce < 1 || atOnce > 8) return 2;
    const int rounds = 100;
    for (int round = 0; round < rounds; ++round) {
        HANDLE threads[8];
        for (int i = 0; i < atOnce; ++i)
            threads[i] =
                CreateThread(nullptr, 0, Count, reinterpret_cast<void*>(INT_PTR{i}), 0, nullptr);
        WaitForMultipleObjects(atOnce, threads, TRUE, INFINITE);
        for (int i = 0; i < atOnce; ++i)
            CloseHandle(threads[i]);
    }
    printf("%d rounds of %d threads at once ended\n", rounds, atOnce);
    return 0;
}
