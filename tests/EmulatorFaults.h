// Faults of qemu-i386-static, not of the program, that stop a test where
// qemu runs the 32-bit build (kernels without 32-bit support). Such a test
// skips itself there with one line naming it, the fault and the program in
// this repository that shows the fault without Vantacle's code; natively and
// in the 64-bit build it runs as always. scripts/test.sh counts the lines.
#pragma once
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>

struct TEmulatorFault {
    const char* what;
    const char* shownBy;
};

inline constexpr TEmulatorFault kThreadsAtOnce{
    "threads of one process running at the same time kill it",
    "tests/emulation/ThreadsAtOnce.cpp"};

// scripts/wine-env.sh sets it only where qemu runs the test's own program.
inline bool RunsEmulated() {
    const char* emulator = std::getenv("VANTACLE_EMULATED");
    return emulator && *emulator;
}

inline void ReportEmulatorSkip(const TEmulatorFault& fault) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::printf("skipped under emulation: %s.%s: %s (shown by %s)\n", test->test_suite_name(),
                test->name(), fault.what, fault.shownBy);
    std::fflush(stdout);
}

#define SKIP_UNDER_EMULATION(fault)                                                                \
    do {                                                                                           \
        if (RunsEmulated()) {                                                                      \
            ReportEmulatorSkip(fault);                                                             \
            GTEST_SKIP();                                                                          \
        }                                                                                          \
    } while (false)
