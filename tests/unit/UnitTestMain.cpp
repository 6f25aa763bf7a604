// The unit tests' own main, natively and under Wine: gtest's would hand a
// skip's message to OutputDebugString, which kills the process under qemu.
#include "PrinterWithoutDebugOutput.h"
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    PrintWithoutDebugOutputWhenEmulated();
    return RUN_ALL_TESTS();
}
