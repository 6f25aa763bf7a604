// gtest's printer hands every failure and skip message to OutputDebugString
// too, for a debugger's window. Under qemu-i386-static the exception that
// raises kills a Windows-side test process (the first skip or failure ended
// the run), so where the run is emulated the test programs' printer passes
// everything on but writes those messages itself.
#pragma once
#include "EmulatorFaults.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <memory>

class TPrinterWithoutDebugOutput : public testing::TestEventListener {
public:
    explicit TPrinterWithoutDebugOutput(testing::TestEventListener* printer) : printer_(printer) {}

    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (!result.failed()) return; // a skip has printed its own line
        std::printf("%s:%d: Failure\n%s\n", result.file_name() ? result.file_name() : "unknown file",
                    result.line_number(), result.message());
        std::fflush(stdout);
    }
    void OnTestProgramStart(const testing::UnitTest& u) override { printer_->OnTestProgramStart(u); }
    void OnTestIterationStart(const testing::UnitTest& u, int i) override {
        printer_->OnTestIterationStart(u, i);
    }
    void OnEnvironmentsSetUpStart(const testing::UnitTest& u) override {
        printer_->OnEnvironmentsSetUpStart(u);
    }
    void OnEnvironmentsSetUpEnd(const testing::UnitTest& u) override {
        printer_->OnEnvironmentsSetUpEnd(u);
    }
    void OnTestSuiteStart(const testing::TestSuite& s) override { printer_->OnTestSuiteStart(s); }
    void OnTestStart(const testing::TestInfo& t) override { printer_->OnTestStart(t); }
    void OnTestDisabled(const testing::TestInfo& t) override { printer_->OnTestDisabled(t); }
    void OnTestEnd(const testing::TestInfo& t) override { printer_->OnTestEnd(t); }
    void OnTestSuiteEnd(const testing::TestSuite& s) override { printer_->OnTestSuiteEnd(s); }
    void OnEnvironmentsTearDownStart(const testing::UnitTest& u) override {
        printer_->OnEnvironmentsTearDownStart(u);
    }
    void OnEnvironmentsTearDownEnd(const testing::UnitTest& u) override {
        printer_->OnEnvironmentsTearDownEnd(u);
    }
    void OnTestIterationEnd(const testing::UnitTest& u, int i) override {
        printer_->OnTestIterationEnd(u, i);
    }
    void OnTestProgramEnd(const testing::UnitTest& u) override { printer_->OnTestProgramEnd(u); }

private:
    std::unique_ptr<testing::TestEventListener> printer_;
};

// Called after InitGoogleTest, which sets up the printer it replaces.
inline void PrintWithoutDebugOutputWhenEmulated() {
    if (!RunsEmulated()) return;
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    listeners.Append(
        new TPrinterWithoutDebugOutput(listeners.Release(listeners.default_result_printer())));
}
