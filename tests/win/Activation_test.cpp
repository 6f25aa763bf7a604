// Tool activation in this process on the real Wine display: the overlay, the
// frozen picture, what starts and what ends an activation.
#include "HostTestSupport.h"
#include "StandIns.h"
#include "framework/Application.h"
#include "framework/RegistryIni.h"
#include "shell/Host.h"
#include "shell/RegistrySettings.h"
#include "tools/InfoTool.h"
#include "tools/Magnifier.h"
#include "tools/Screenshot.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <string>
#include <memory>
#include <tuple>
#include <vector>

namespace {
// A plain window of one colour under the overlay, standing for the live screen.
class ColourWindow {
public:
    ColourWindow(RECT r, COLORREF colour) : colour_(colour) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VantacleTestColour";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ShowWindow(window_, SW_SHOWNA);
        UpdateWindow(window_);
    }
    ~ColourWindow() { DestroyWindow(window_); }
    void SetColour(COLORREF colour) {
        colour_ = colour;
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) noexcept {
        if (m == WM_PAINT) {
            auto* self = reinterpret_cast<ColourWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            HBRUSH brush = CreateSolidBrush(self ? self->colour_ : 0);
            FillRect(dc, &ps.rcPaint, brush);
            DeleteObject(brush);
            EndPaint(w, &ps);
            return 0;
        }
        return DefWindowProcW(w, m, wp, lp);
    }
    HWND window_;
    COLORREF colour_;
};

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

// What the screen shows now, read back through the screen's own DC.
std::unique_ptr<TBitmap> ReadScreen() {
    auto shot = std::make_unique<TBitmap>(ScreenWidth(), ScreenHeight());
    HDC screen = GetDC(nullptr);
    BitBlt(shot->DC(), 0, 0, ScreenWidth(), ScreenHeight(), screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return shot;
}

// Where a and b differ, within a's size: the bounding box, empty when equal.
RECT DifferingArea(const TBitmap& a, const TBitmap& b) {
    RECT area{a.Width(), a.Height(), 0, 0};
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                area.left = std::min<LONG>(area.left, x);
                area.top = std::min<LONG>(area.top, y);
                area.right = std::max<LONG>(area.right, x + 1);
                area.bottom = std::max<LONG>(area.bottom, y + 1);
            }
    return IsRectEmpty(&area) ? RECT{} : area;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

template <typename Condition> bool PumpUntil(Condition done, int milliseconds = 5000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Application.ProcessMessages();
        Sleep(20);
    }
    return true;
}

std::wstring StoredOption(const wchar_t* name) {
    TRegistryIniFile ini(HKEY_CURRENT_USER, kSettingsBaseKey);
    return ini.ReadValue(kOptionsSection, name).value_or(L"(missing)");
}

class ActivationTest : public testing::Test {
protected:
    void SetUp() override {
        StoreKnownStart();
        host = CreateHost();
    }
    void TearDown() override {
        host.reset();
        Application.SetMainForm(nullptr);
        Application.OnIdle = nullptr;
        Application.ProcessMessages();
        Settings = TSettings{};
    }
    std::unique_ptr<TfrmHost> host;
};
} // namespace

TEST_F(ActivationTest, OverlayCoversThePrimaryScreenTopmostWithoutBorder) {
    host->StartTool(kScreenshot);
    ASSERT_TRUE(host->ToolActive());
    HWND window = host->Handle();
    EXPECT_TRUE(IsWindowVisible(window));
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, ScreenWidth());
    EXPECT_EQ(r.bottom, ScreenHeight());
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    host->StopTool();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(host->Activation());
}

TEST_F(ActivationTest, OverlayShowsTheScreenAsItWasEvenAfterTheLiveScreenChanged) {
    ColourWindow live({100, 100, 400, 300}, RGB(200, 30, 30));
    Application.ProcessMessages();
    auto before = ReadScreen();

    Settings.MeasurerPosX = -1000; // the panel waits off the screen, out of the comparison
    host->StartTool(kMeasurer);
    live.SetColour(RGB(30, 200, 30)); // under the overlay
    RedrawWindow(host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    // The taskbar is left out: the tray icons change to their activation
    // images just before the copy, and the shell shows that change whenever
    // it gets to it.
    RECT aboveTaskbar{0, 0, ScreenWidth(), ScreenHeight()};
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT bar;
    if (taskbar && IsWindowVisible(taskbar) && GetWindowRect(taskbar, &bar))
        aboveTaskbar.bottom = bar.top;
    // The system shows what the windows drew once it gets round to it.
    std::unique_ptr<TBitmap> shown;
    RECT differing{}, inside{};
    PumpUntil([&] {
        shown = ReadScreen();
        differing = DifferingArea(*before, *shown);
        return !IntersectRect(&inside, &differing, &aboveTaskbar);
    });
    EXPECT_EQ(Describe(inside), Describe(RECT{})) << "differing " << Describe(differing);
    EXPECT_GT(aboveTaskbar.bottom, ScreenHeight() / 2);
    EXPECT_EQ(shown->Pixel(250, 200), RGB(200, 30, 30));
    // The picture the tools read is the same one.
    EXPECT_EQ(host->Activation()->Picture().Pixel(250, 200), RGB(200, 30, 30));
    host->StopTool();
}

TEST_F(ActivationTest, FrozenPictureHasWhiteMarginsOfHalfALens) {
    Settings.ZoomWidth = 100;
    Settings.ZoomHeight = 61;
    host->StartTool(kDropper);
    ASSERT_TRUE(host->Activation());
    const TBitmap& picture = host->Activation()->Picture();
    EXPECT_EQ(picture.Width(), ScreenWidth() + 50);
    EXPECT_EQ(picture.Height(), ScreenHeight() + 30);
    for (int y : {0, ScreenHeight() - 1, ScreenHeight() + 29})
        for (int x = ScreenWidth(); x < ScreenWidth() + 50; ++x)
            ASSERT_EQ(picture.Pixel(x, y), RGB(255, 255, 255)) << x << "," << y;
    for (int x : {0, ScreenWidth() - 1})
        for (int y = ScreenHeight(); y < ScreenHeight() + 30; ++y)
            ASSERT_EQ(picture.Pixel(x, y), RGB(255, 255, 255)) << x << "," << y;
    host->StopTool();
}

TEST_F(ActivationTest, LensSizesNoDialogOffersKeepThePictureSane) {
    Settings.ZoomWidth = -300;
    Settings.ZoomHeight = 2000000000;
    host->StartTool(kMagnifier);
    ASSERT_TRUE(host->Activation());
    EXPECT_EQ(host->Activation()->Picture().Width(), ScreenWidth());
    EXPECT_EQ(host->Activation()->Picture().Height(), ScreenHeight() + kMaxLensMargin);
    host->StopTool();
    EXPECT_EQ(Settings.ZoomHeight, 2000000000); // kept as stored
}

TEST_F(ActivationTest, OnlyOneActivationAtATimeAndOnlyForATool) {
    host->StartTool(kNoTool);
    EXPECT_FALSE(host->ToolActive());
    EXPECT_FALSE(host->Visible());
    host->StartTool(7);
    EXPECT_FALSE(host->ToolActive());

    host->StartTool(kScreenshot);
    const TBitmap* picture = &host->Activation()->Picture();
    host->StartTool(kDropper);
    EXPECT_EQ(host->CurrentTool, kScreenshot);
    EXPECT_EQ(&host->Activation()->Picture(), picture);
    host->StopTool();
    host->StopTool(); // harmless when nothing runs
    EXPECT_EQ(host->CurrentTool, kScreenshot);
}

TEST_F(ActivationTest, MagnifierStartPlacesTheFirstLensAndDrawsItOnceWhenIdle) {
    ASSERT_TRUE(PutPointerAt(500, 400));
    host->StartTool(kMagnifier);
    const TOverlayRect& first = static_cast<TMagnifier&>(host->Activation()->Tool()).LastLensRect;
    EXPECT_EQ(first.left, 475);
    EXPECT_EQ(first.top, 375);
    EXPECT_EQ(first.right, 525);
    EXPECT_EQ(first.bottom, 425);
    ASSERT_TRUE(Application.OnIdle);
    auto idle = Application.OnIdle;
    idle();
    EXPECT_FALSE(Application.OnIdle); // unbound itself
    host->StopTool();
}

TEST_F(ActivationTest, MagnifierCursorSettingPicksThePointer) {
    const std::pair<int, int> expected[] = {{0, crNone}, {1, crArrow}, {2, crCross}};
    for (auto [setting, cursor] : expected) {
        Settings.MagnifierCursor = setting;
        host->StartTool(kMagnifier);
        EXPECT_EQ(host->Cursor(), cursor) << setting;
        EXPECT_EQ(host->PopupMenu, nullptr);
        host->StopTool();
    }
    // Any other value leaves the pointer as the last activation set it.
    host->StartTool(kMeasurer);
    int measurerCursor = host->Cursor();
    EXPECT_EQ(host->Canvas().PenMode(), TPenMode::Xor);
    host->StopTool();
    Settings.MagnifierCursor = 9;
    host->StartTool(kMagnifier);
    EXPECT_EQ(host->Cursor(), measurerCursor);
    EXPECT_EQ(host->Canvas().PenMode(), TPenMode::Copy);
    host->StopTool();
}

TEST_F(ActivationTest, EscapeEndsTheToolAndTheSettingsAreSaved) {
    host->StartTool(kScreenshot);
    Settings.JPEGQuality = 81;
    SendMessageW(host->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(host->ToolActive());
    EXPECT_FALSE(host->Visible());
    EXPECT_EQ(StoredOption(L"JPEGQuality"), L"81");
}

TEST_F(ActivationTest, CloseRequestWhileActiveEndsTheToolButNotTheProgram) {
    host->StartTool(kDropper);
    Settings.ScreenshotPosX = 321;
    host->Close();
    EXPECT_FALSE(host->ToolActive());
    EXPECT_FALSE(host->Visible());
    EXPECT_EQ(StoredOption(L"ScreenshotPosX"), L"321");
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // A tool can start again.
    host->StartTool(kScreenshot);
    EXPECT_TRUE(host->ToolActive());
    host->StopTool();
}

TEST_F(ActivationTest, AMonitorLayoutChangeEndsTheToolAndAStartAfterItCoversTheNewLayout) {
    host->StartTool(kMagnifier);
    ASSERT_TRUE(host->ToolActive());
    // A monitor came or went: the picture no longer matches the screen.
    SendMessageW(host->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(ScreenWidth(), ScreenHeight()));
    EXPECT_FALSE(host->ToolActive());
    EXPECT_FALSE(host->Visible());
    // Nothing runs: the change is only a change.
    SendMessageW(host->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(ScreenWidth(), ScreenHeight()));
    host->StartTool(kScreenshot);
    ASSERT_TRUE(host->ToolActive());
    RECT r;
    GetWindowRect(host->Handle(), &r);
    EXPECT_EQ(r.right - r.left, ScreenWidth());
    host->StopTool();
}

TEST_F(ActivationTest, SwitchingToAnotherProgramEndsTheToolAndSavesTheSettings) {
    // Another program's window: the test pattern of the end-to-end helper.
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command = path;
    command = L"\"" + command.substr(0, command.find_last_of(L"\\") + 1) +
              L"probe.exe\" pattern 0 0 50 50";
    // Its report of the window goes nowhere: the test finds the window itself.
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    UniqueKernelHandle nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inheritable,
                                       OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul.get();
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &process));
    UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    HWND other = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] { return (other = FindWindowW(L"VantacleTestPattern", nullptr)) != nullptr; }));

    host->StartTool(kMeasurer);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == host->Handle(); }));
    Settings.DPI = 222;
    SetForegroundWindow(other);
    EXPECT_TRUE(PumpUntil([&] { return !host->ToolActive(); }));
    EXPECT_FALSE(host->Visible());
    EXPECT_EQ(StoredOption(L"DPI"), L"222");
    EXPECT_EQ(host->CurrentTool, kMeasurer);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
}

namespace {
// Which image each tool icon shows, as the index of its list that it equals.
std::vector<int> ToolIconStates(TfrmHost& host) {
    std::vector<int> states;
    for (int tool = 0; tool < kToolCount; ++tool) {
        TTrayIcon& icon = host.ToolIcon(tool);
        int state = -1;
        for (int i = 0; i < icon.Icons().Count(); ++i)
            if (icon.Icons().Items(i)->Data() == icon.Icon().Data()) state = i;
        states.push_back(state);
    }
    return states;
}

bool MainIconIsTheApplicationIcon(TfrmHost& host) {
    TIcon application;
    application.AssignHandle(Application.Icon());
    return host.xtiMain.Icon().Data() == application.Data();
}
} // namespace

TEST_F(ActivationTest, AnEndWhoseSettingsCannotBeSavedStillPutsEverythingBack) {
    StandIns::Errors.clear();
    host->StartTool(kScreenshot);
    ASSERT_TRUE(host->Activation() && host->Activation()->Panel());

    // A volatile product key takes no lasting Options section: the save fails.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
    HKEY product;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Quillmont\\Vantacle", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &product, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(product);
    SendMessageW(host->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);

    EXPECT_EQ(StandIns::Errors,
              std::vector<std::wstring>{L"Failed to set data for 'MagnifierIcon'"});
    EXPECT_FALSE(host->ToolActive());
    EXPECT_FALSE(host->Visible());
    EXPECT_EQ(ToolIconStates(*host),
              (std::vector<int>{IconNormal, IconNormal, IconNormal, IconNormal}));
    EXPECT_TRUE(MainIconIsTheApplicationIcon(*host));
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsBaseKey);
    host->StartTool(kDropper); // and the next activation starts as usual
    EXPECT_TRUE(host->ToolActive());
    host->StopTool();
}

TEST_F(ActivationTest, AStartQueuedBehindAnotherIsIgnored) {
    // The start lets waiting messages run before it copies the screen; a hot
    // key already waiting must not start a second activation over the first.
    PostMessageW(host->Handle(), WM_HOTKEY, kDropper, 0);
    host->StartTool(kScreenshot);
    ASSERT_TRUE(host->Activation());
    EXPECT_EQ(host->Activation()->ToolId(), kScreenshot);
    EXPECT_EQ(host->CurrentTool, kScreenshot);
    EXPECT_EQ(ToolIconStates(*host),
              (std::vector<int>{IconUnavailable, IconActive, IconUnavailable, IconUnavailable}));
    host->StopTool();
    EXPECT_EQ(ToolIconStates(*host),
              (std::vector<int>{IconNormal, IconNormal, IconNormal, IconNormal}));
}

namespace {
// Delivers a loss of activation from inside the host's own handling of one
// message, as the shell's calls of a start let one in.
class DeactivationDuring {
public:
    DeactivationDuring(HWND window, UINT message) {
        window_ = window;
        message_ = message;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~DeactivationDuring() { UnhookWindowsHookEx(hook_); }
    static inline int delivered = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->hwnd == window_ && sent->message == message_ &&
            delivered++ == 0) {
            Application.ActivationChanged(true);
            Application.ActivationChanged(false);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND window_ = nullptr;
    static inline UINT message_ = 0;
    HHOOK hook_ = nullptr;
};
} // namespace

TEST_F(ActivationTest, ALossOfActivationDuringTheStartEndsTheToolOnceTheStartIsDone) {
    // Showing the overlay, its first paint and the tray's images all let sent
    // messages in after the picture is taken.
    for (UINT message : {UINT(WM_WINDOWPOSCHANGED), UINT(WM_PAINT), UINT(WM_NCPAINT)}) {
        for (int tool : {kMagnifier, kScreenshot, kDropper}) {
            SCOPED_TRACE(::testing::Message() << "message " << message << ", tool " << tool);
            DeactivationDuring::delivered = 0;
            {
                DeactivationDuring deactivation(host->Handle(), message);
                host->StartTool(tool);
            }
            // Every start shows the overlay; the other messages may not come.
            if (message == WM_WINDOWPOSCHANGED) ASSERT_GE(DeactivationDuring::delivered, 1);
            if (DeactivationDuring::delivered == 0) continue;
            EXPECT_FALSE(host->ToolActive());
            EXPECT_FALSE(host->Activation());
            EXPECT_FALSE(host->Visible());
            EXPECT_EQ(ToolIconStates(*host),
                      (std::vector<int>{IconNormal, IconNormal, IconNormal, IconNormal}));
            // And the next start works as ever.
            host->StartTool(kMeasurer);
            EXPECT_TRUE(host->ToolActive());
            host->StopTool();
        }
    }
}

namespace {
// A window that hands an object over to be freed from inside its own handler,
// and notes whether the object was still there when the handler returned.
class HandingOver : public TWindowHandler {
public:
    HandingOver() {
        RegisterWindowClassOnce({L"VantacleTestHandingOver"});
        CreateHandlerWindow(*this, {L"VantacleTestHandingOver", L"", WS_POPUP});
    }
    ~HandingOver() override { DestroyWindow(Handle()); }
    std::weak_ptr<int> object;
    bool aliveAtReturn = false;

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_USER) return DefaultMessage(message, wParam, lParam);
        auto owned = std::make_shared<int>(7);
        object = owned;
        FreeAfterMessages(std::move(owned));
        aliveAtReturn = !object.expired();
        return 0;
    }
};
} // namespace

TEST_F(ActivationTest, WhatAHandlerEndsIsFreedOnceTheOutermostMessageIsHandled) {
    // An activation ended from inside its own tool's handler (a plain click
    // ends the Magnifier) or while its menu is open must outlive that handler.
    HandingOver window;
    SendMessageW(window.Handle(), WM_USER, 0, 0);
    EXPECT_TRUE(window.aliveAtReturn);
    EXPECT_TRUE(window.object.expired());

    host->StartTool(kMagnifier);
    SendMessageW(host->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(300, 300));
    EXPECT_FALSE(host->ToolActive());
    EXPECT_FALSE(host->Visible());
}

TEST_F(ActivationTest, TheDestroyedHostLeavesNoHandlerWithTheApplication) {
    host->StartTool(kMeasurer);
    host.reset();
    Application.SetMainForm(nullptr);
    EXPECT_FALSE(Application.OnDeactivate);
    EXPECT_FALSE(Application.OnIdle);
}

TEST_F(ActivationTest, OverASelectionsBandTheScreenshotToolShowsTheResizeCursors) {
    host->StartTool(kScreenshot);
    HWND window = host->Handle();
    TTool& tool = host->Activation()->Tool();
    // Nothing: the tool's own cursor.
    EXPECT_EQ(tool.CursorAt({300, 220}), std::nullopt); // no selection yet
    EXPECT_EQ(tool.CursorAt({200, 150}), std::nullopt);

    // The drag reads the pointer from the system. Moved there before the
    // press: a move while the overlay holds the mouse may come back from the
    // X server as the pointer's earlier place.
    ASSERT_TRUE(PutPointerAt(400, 300));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 300));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(400, 300));
    ASSERT_EQ(static_cast<TScreenshot&>(tool).ToolRect(), (TCorners{200, 150, 400, 300}));
    ASSERT_TRUE(tool.Marked());
    const std::tuple<int, int, std::optional<int>> cases[] = {
        {300, 220, crSizeAll},    {198, 152, crSizeNWSE}, {300, 148, crSizeNS},
        {401, 150, crSizeNESW},   {196, 220, crSizeWE},   {395, 220, crSizeWE},
        {300, 295, crSizeNS},     {404, 304, crSizeNWSE}, {197, 300, crSizeNESW},
        {500, 220, std::nullopt},
    };
    for (auto [x, y, shape] : cases)
        EXPECT_EQ(tool.CursorAt({x, y}), shape) << x << "," << y;
    host->StopTool();
}

namespace {
// A layout of monitors the system's own answer stands for while it lives.
struct MonitorLayout {
    explicit MonitorLayout(std::vector<TScreenRect> monitors) {
        StandIns::Monitors = std::move(monitors);
    }
    ~MonitorLayout() { StandIns::Monitors.clear(); }
};

void Key(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
}
} // namespace

TEST_F(ActivationTest, TheOverlayIsPlacedOverEveryMonitorNotMaximised) {
    // Windows puts a maximised window on one monitor: the overlay must be a
    // window placed over the rectangle around them all.
    MonitorLayout layout({{0, 0, ScreenWidth(), ScreenHeight()}, {-300, 0, 0, 500}});
    host->StartTool(kMagnifier);
    ASSERT_TRUE(host->ToolActive());
    RECT r;
    GetWindowRect(host->Handle(), &r);
    EXPECT_EQ(Describe(r), Describe({-300, 0, ScreenWidth(), ScreenHeight()}));
    EXPECT_FALSE(IsZoomed(host->Handle()));
    host->StopTool();
}

TEST_F(ActivationTest, PointerKeysStayOnTheMonitorsAndTheMouseAlwaysLeads) {
    // Wine's one screen, seen as an L: the top rows across it, and below
    // them a monitor under the left columns only.
    const int w = ScreenWidth(), h = ScreenHeight(), split = h - 100, lowRight = 400;
    MonitorLayout layout({{0, 0, w, split}, {0, split, lowRight, h}});
    Settings.DropperPosX = w; // the panel out of the way, at the right
    host->StartTool(kDropper);
    ASSERT_TRUE(host->ToolActive());
    HWND window = host->Handle();
    auto pointerAt = [&](int x, int y) {
        ASSERT_TRUE(PutPointerAt(x, y));
        const std::wstring row = PairText(x, y);
        ASSERT_TRUE(PumpUntil([&] { return PanelRowText(*host, irCursorPosition) == row; }));
    };
    // The rows at once; the system's pointer there too, once Wine has
    // taken the move.
    auto shows = [&](int x, int y) {
        EXPECT_EQ(PanelRowText(*host, irCursorPosition), PairText(x, y));
        POINT p{};
        EXPECT_TRUE(PumpUntil([&] { return GetCursorPos(&p) && p.x == x && p.y == y; }))
            << p.x << "," << p.y;
    };
    // Down at the last row above the corner where no monitor is: nowhere to go.
    pointerAt(700, split - 1);
    Key(window, VK_DOWN);
    shows(700, split - 1);
    // Across the edge two monitors share, onto the one below.
    pointerAt(300, split - 1);
    Key(window, VK_DOWN);
    shows(300, split);
    // Along the lower monitor up to its right edge, and no further.
    pointerAt(lowRight - 3, h - 20);
    for (int i = 0; i < 5; ++i)
        Key(window, VK_RIGHT);
    shows(lowRight - 1, h - 20);

    // Twenty steps right, then the mouse back along the row onto a place the
    // keys passed: the rows follow the mouse, not the keys' last place.
    pointerAt(500, 300);
    for (int i = 0; i < 20; ++i)
        Key(window, VK_RIGHT);
    shows(520, 300);
    pointerAt(515, 300);
    host->StopTool();
}

namespace {
// Blocks in use on every heap of the process: the program's and the system's
// libraries' own allocations alike.
size_t LiveHeapBlocks() {
    size_t blocks = 0;
    HANDLE heaps[256];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(256, heaps), 256);
    for (DWORD i = 0; i < count; ++i) {
        HeapLock(heaps[i]);
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++blocks;
        HeapUnlock(heaps[i]);
    }
    return blocks;
}
} // namespace

TEST_F(ActivationTest, ActivationsLeaveNothingBehindOnTheHeap) {
    // A panel left some fifty small blocks behind at every activation: the
    // common controls' record of each label's font and the tooltip's hooks.
    for (int tool : {kScreenshot, kMeasurer, kDropper, kMagnifier}) {
        auto activation = [&] {
            host->StartTool(tool);
            Application.ProcessMessages();
            SendMessageW(host->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            Application.ProcessMessages();
        };
        for (int i = 0; i < 20; ++i)
            activation(); // caches of first use fill
        const size_t before = LiveHeapBlocks();
        constexpr int kActivations = 60;
        for (int i = 0; i < kActivations; ++i)
            activation();
        EXPECT_LT(LiveHeapBlocks(), before + kActivations / 2) << "tool " << tool;
    }
}
