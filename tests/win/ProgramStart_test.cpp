// A start that cannot complete: the user hears why and the program ends,
// rather than running on with no window, tray icon or hot key to reach it by.
#include "framework/Application.h"
#include "framework/Error.h"
#include "framework/Form.h"
#include "StandIns.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
class FailingForm : public TForm {
public:
    FailingForm() : TForm({L"VantacleTestFailingForm", L""}) {}
    ~FailingForm() override { Destroy(); }

protected:
    void FormCreate() override { throw Error(L"The welcome dialog cannot be created."); }
};
} // namespace

TEST(ProgramStart, AMainFormThatCannotBeCreatedIsReportedAndEndsTheProgram) {
    StandIns::Errors.clear();
    // Waiting in the queue: a message loop would take it.
    constexpr UINT kWaiting = WM_APP + 7;
    PostThreadMessageW(GetCurrentThreadId(), kWaiting, 0, 0);
    int exitCode = 0;
    {
        FailingForm form;
        exitCode = Application.CreateAndRun(form);
    }
    EXPECT_NE(exitCode, 0);
    EXPECT_EQ(StandIns::Errors,
              std::vector<std::wstring>{L"The welcome dialog cannot be created."});
    EXPECT_EQ(Application.MainForm(), nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, kWaiting, kWaiting, PM_REMOVE)) << "a loop ran";
}
