// Windows-side tests run inside one application object, as the program does.
#include "framework/Application.h"
#include "PrinterWithoutDebugOutput.h"
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    PrintWithoutDebugOutputWhenEmulated();
    Application.ShowMainForm = false;
    Application.SetTitle(L"Vantacle Pro");
    Application.Initialize();
    return RUN_ALL_TESTS();
}
