// TTrayIcon against a recording shell: what it asks of the notification area
// and when, and how it turns callback messages into events.
#include "TrayTestSupport.h"
#include "tray/TrayIcon.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {
struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW record;
};

class RecordingShell : public TNotifyShell {
public:
    std::vector<ShellCall> calls;
    bool accept = true;
    bool Notify(DWORD message, const NOTIFYICONDATAW& record) override {
        calls.push_back({message, record});
        return message == NIM_ADD ? accept : true;
    }
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> out;
        for (auto& c : calls)
            out.push_back(c.message);
        return out;
    }
};

using Messages = std::vector<DWORD>;
constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    RecordingShell shell;
    std::vector<std::string> events;

    // Records every event with its button and shift state.
    void Listen(TTrayIcon& icon) {
        auto name = [](TMouseButton b) {
            return b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "M";
        };
        icon.OnMouseDown = [=, this](TTrayIcon&, TMouseButton b, TShiftState s, int, int) {
            events.push_back(std::string("down ") + name(b) + " " + std::to_string(s));
        };
        icon.OnMouseUp = [=, this](TTrayIcon&, TMouseButton b, TShiftState s, int, int) {
            events.push_back(std::string("up ") + name(b) + " " + std::to_string(s));
        };
        icon.OnClick = [=, this](TTrayIcon&, TMouseButton b, TShiftState s, int, int) {
            events.push_back(std::string("click ") + name(b) + " " + std::to_string(s));
        };
        icon.OnDblClick = [this](TTrayIcon&) { events.push_back("dblclick"); };
    }
    static void Mouse(TTrayIcon& icon, std::initializer_list<UINT> messages) {
        for (UINT m : messages)
            SendMessageW(icon.Handle(), kTrayCallbackMessage, 0, m);
    }
};
} // namespace

TEST_F(TrayIconTest, ShowsWithAFirstVersionRecord) {
    TTrayIcon icon(shell);
    icon.SetHint(L"Magnifier|Enlarges the screen");
    EXPECT_TRUE(shell.calls.empty() || !icon.Added()); // no icon yet: nothing added
    shell.calls.clear();
    LoadSolid(icon.Icon(), kRed);
    ASSERT_TRUE(icon.Added());
    ASSERT_EQ(shell.Messages(), (Messages{NIM_DELETE, NIM_ADD}));
    const NOTIFYICONDATAW& r = shell.calls[1].record;
    EXPECT_EQ(r.cbSize, NOTIFYICONDATAW_V1_SIZE);
    EXPECT_EQ(r.hWnd, icon.Handle());
    EXPECT_EQ(r.uID, 0u);
    EXPECT_EQ(r.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(r.uCallbackMessage, 0xB054u);
    EXPECT_EQ(r.hIcon, icon.Icon().Handle());
    EXPECT_STREQ(r.szTip, L"Magnifier");

    // A new hint or image modifies the icon in place.
    shell.calls.clear();
    icon.SetHint(std::wstring(100, L'x'));
    LoadSolid(icon.Icon(), kBlue);
    ASSERT_EQ(shell.Messages(), (Messages{NIM_MODIFY, NIM_MODIFY}));
    EXPECT_EQ(std::wstring(shell.calls[0].record.szTip), std::wstring(63, L'x'));
    EXPECT_EQ(shell.calls[1].record.hIcon, icon.Icon().Handle());

    // Active false removes it; true adds it again.
    shell.calls.clear();
    icon.SetActive(false);
    EXPECT_FALSE(icon.Added());
    icon.SetActive(true);
    EXPECT_EQ(shell.Messages(), (Messages{NIM_DELETE, NIM_DELETE, NIM_ADD}));
}

TEST_F(TrayIconTest, EmptyIconIsNeverAddedAndRemovesAnAddedOne) {
    TTrayIcon icon(shell);
    icon.SetHint(L"tip");
    icon.Loaded();
    EXPECT_FALSE(icon.Added());
    for (auto& c : shell.calls)
        EXPECT_NE(c.message, DWORD(NIM_ADD));

    LoadSolid(icon.Icon(), kRed);
    EXPECT_TRUE(icon.Added());
    icon.Icon().Clear();
    EXPECT_FALSE(icon.Added());
    EXPECT_EQ(shell.calls.back().message, DWORD(NIM_DELETE));
}

TEST_F(TrayIconTest, EmptyTipIsSentAgainByModifyAndRefusedAddIsNotAdded) {
    TTrayIcon icon(shell);
    shell.calls.clear();
    LoadSolid(icon.Icon(), kRed);
    EXPECT_EQ(shell.Messages(), (Messages{NIM_DELETE, NIM_ADD, NIM_MODIFY}));

    RecordingShell refusing;
    refusing.accept = false;
    TTrayIcon other(refusing);
    LoadSolid(other.Icon(), kRed);
    EXPECT_FALSE(other.Added());
}

TEST_F(TrayIconTest, InstancesHaveTheirOwnWindowsAndEvents) {
    std::vector<std::unique_ptr<TTrayIcon>> icons;
    std::vector<int> clicked;
    for (int i = 0; i < 5; ++i) {
        icons.push_back(std::make_unique<TTrayIcon>(shell));
        icons[i]->Tag = i;
        icons[i]->OnClick = [&](TTrayIcon& s, TMouseButton, TShiftState, int, int) {
            clicked.push_back(s.Tag);
        };
        LoadSolid(icons[i]->Icon(), kRed);
        EXPECT_TRUE(icons[i]->Added());
        for (int j = 0; j < i; ++j)
            EXPECT_NE(icons[i]->Handle(), icons[j]->Handle());
    }
    Mouse(*icons[3], {WM_LBUTTONDOWN, WM_LBUTTONUP});
    Mouse(*icons[1], {WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_EQ(clicked, (std::vector<int>{3, 1}));
}

TEST_F(TrayIconTest, ClicksBecomeEventsWithTheCursorPosition) {
    TTrayIcon icon(shell);
    Listen(icon);
    POINT at{-1, -1}, cursor{};
    icon.OnMouseUp = [&](TTrayIcon& sender, TMouseButton, TShiftState, int x, int y) {
        EXPECT_EQ(&sender, &icon);
        at = {x, y};
    };
    LoadSolid(icon.Icon(), kRed);
    SetCursorPos(37, 41);
    GetCursorPos(&cursor);
    Mouse(icon, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    EXPECT_EQ(events, (std::vector<std::string>{"down L 8", "click L 8", "dblclick", "down L 64"}));
    EXPECT_EQ(at.x, cursor.x);
    EXPECT_EQ(at.y, cursor.y);

    // Disabled: the window passes the notifications on and nothing fires.
    events.clear();
    icon.Enabled = false;
    Mouse(icon, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP});
    EXPECT_TRUE(events.empty());
}

TEST_F(TrayIconTest, RightClickOpensTheMenuInsteadOfAClick) {
    TTrayIcon icon(shell);
    Listen(icon);
    LoadSolid(icon.Icon(), kRed);
    {
        TPopupMenu menu(L"pmnTest");
        menu.Add(L"mniOne", L"One");
        void* openedBy = nullptr;
        menu.OnPopup = [&](TPopupMenu& m) {
            openedBy = m.PopupComponent;
            events.push_back("menu");
            CloseModalSoon();
        };
        icon.SetPopupMenu(&menu);
        Mouse(icon, {WM_RBUTTONDOWN, WM_RBUTTONUP});
        EXPECT_EQ(events, (std::vector<std::string>{"down R 16", "menu", "up R 16"}));
        EXPECT_EQ(openedBy, &icon);

        // A menu that does not pop up by itself leaves an ordinary click.
        events.clear();
        menu.AutoPopup = false;
        Mouse(icon, {WM_RBUTTONDOWN, WM_RBUTTONUP});
        EXPECT_EQ(events, (std::vector<std::string>{"down R 16", "click R 16", "up R 16"}));
    }
    // The menu is gone: the icon forgot it, and a right click is a click.
    EXPECT_EQ(icon.PopupMenu(), nullptr);
    events.clear();
    Mouse(icon, {WM_RBUTTONDOWN, WM_RBUTTONUP});
    EXPECT_EQ(events, (std::vector<std::string>{"down R 16", "click R 16", "up R 16"}));
}

TEST_F(TrayIconTest, DoubleClickRunsTheDefaultEnabledItem) {
    TTrayIcon icon(shell);
    Listen(icon);
    LoadSolid(icon.Icon(), kRed);
    TPopupMenu menu(L"pmnTest");
    auto& off = menu.Add(L"mniOff", L"Off");
    auto& on = menu.Add(L"mniOn", L"On");
    off.Default = true;
    off.Enabled = false;
    on.Default = true;
    off.OnClick = [&](TMenuItem&) { events.push_back("off"); };
    on.OnClick = [&](TMenuItem&) { events.push_back("on"); };
    icon.SetPopupMenu(&menu);
    Mouse(icon, {WM_LBUTTONDBLCLK});
    EXPECT_EQ(events, (std::vector<std::string>{"on", "down L 64"}));
    icon.SetPopupMenu(nullptr);
}

TEST_F(TrayIconTest, AnErrorInAHandlerIsShownAndTheIconGoesOn) {
    TTrayIcon icon(shell);
    LoadSolid(icon.Icon(), kRed);
    int clicks = 0;
    icon.OnClick = [&](TTrayIcon&, TMouseButton, TShiftState, int, int) {
        if (++clicks == 1) {
            CloseModalSoon(); // the error box
            throw std::runtime_error("broken handler");
        }
    };
    Mouse(icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    Mouse(icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(icon.Added());
}

// A named stdcall function: a lambda does not convert to WNDENUMPROC on 32 bits.
static BOOL CALLBACK FindTaskbarWatch(HWND w, LPARAM out) noexcept {
    wchar_t name[64] = L"";
    GetClassNameW(w, name, 64);
    if (lstrcmpW(name, L"TTrayIcon.TaskbarWatch") == 0) *reinterpret_cast<HWND*>(out) = w;
    return TRUE;
}

TEST_F(TrayIconTest, TaskbarCreatedShowsWantedIconsAgain) {
    TTrayIcon shown(shell), unwanted(shell);
    LoadSolid(shown.Icon(), kRed);
    LoadSolid(unwanted.Icon(), kBlue);
    unwanted.SetActive(false);

    // The listener is this thread's top-level window of its own class.
    HWND watch = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTaskbarWatch, reinterpret_cast<LPARAM>(&watch));
    ASSERT_NE(watch, nullptr);
    // A close request to the program's windows leaves it alone.
    SendMessageW(watch, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(watch));

    shell.calls.clear();
    SendMessageW(watch, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(shell.Messages(), (Messages{NIM_DELETE, NIM_ADD, NIM_MODIFY}));
    EXPECT_EQ(shell.calls[1].record.hWnd, shown.Handle());
}

TEST_F(TrayIconTest, AnimationStepsThroughTheIconsUntilSwitchedOff) {
    TTrayIcon icon(shell);
    icon.SetAnimated(true); // no frames: stays off
    EXPECT_FALSE(icon.Animated());

    TIcon red, blue;
    LoadSolid(red, kRed);
    LoadSolid(blue, kBlue);
    icon.Icons().Add(red);
    icon.Icons().Add(blue);
    LoadSolid(icon.Icon(), kRed);
    icon.SetInterval(10);
    icon.SetAnimated(true);
    EXPECT_EQ(icon.FrameIndex(), 0);
    shell.calls.clear();
    PumpFor(std::chrono::milliseconds(300));
    std::vector<HICON> shownIcons;
    for (auto& c : shell.calls)
        if (c.message == NIM_MODIFY) shownIcons.push_back(c.record.hIcon);
    ASSERT_GE(shownIcons.size(), 4u);
    EXPECT_EQ(shownIcons[0], icon.Icons().Items(1)->Handle());
    EXPECT_EQ(shownIcons[1], icon.Icons().Items(0)->Handle());

    icon.SetAnimated(false);
    EXPECT_EQ(icon.FrameIndex(), 0);
    PumpFor(std::chrono::milliseconds(50)); // frames already posted are ignored
    shell.calls.clear();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TrayIconTest, DestructionRemovesTheIconAndItsWindow) {
    HWND window;
    {
        TTrayIcon icon(shell);
        LoadSolid(icon.Icon(), kRed);
        window = icon.Handle();
        shell.calls.clear();
    }
    EXPECT_EQ(shell.Messages(), (Messages{NIM_DELETE}));
    EXPECT_FALSE(IsWindow(window));
}
