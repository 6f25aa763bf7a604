// The information panel inside the program on the real Wine display: its
// menu as prepared for each control, copying values to the clipboard, the
// colour swatch and the tools' show/hide item.
#include "HostTestSupport.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/RegistryIni.h"
#include "shell/Host.h"
#include "tools/ToolActivation.h"
#include "StandIns.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <memory>
#include <string>

namespace {
constexpr int kCaptionCell = 100, kValueCell = 200;

// Ends the menu the panel opened, from inside the menu's own message loop.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    KillTimer(nullptr, timer);
    EndMenu();
}

// The visible items of a menu as it opened: captions, "-" for separators,
// "*" for a check mark, "~" for a disabled item.
std::wstring VisibleItems(const TPopupMenu& menu) {
    std::wstring text;
    for (const auto& item : menu.Items()) {
        if (!item->Visible) continue;
        if (!text.empty()) text += L"|";
        text += item->Caption;
        if (item->Checked) text += L"*";
        if (!item->Enabled) text += L"~";
    }
    return text;
}

// The clipboard's text in one of its formats, as another program reads it.
template <typename Char> std::basic_string<Char> ClipboardText(UINT format) {
    std::basic_string<Char> text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(format)) {
        text = static_cast<const Char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void Click(HWND control) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// A panel of the test's own runs its menu at once and ignores mouse moves.
TInfoWinEvents OwnPanelEvents() {
    return {[](TScreenPoint) {}, [](const std::function<void()>& menu) { menu(); }};
}

// A panel of the Dropper's rows over a running activation, with a menu of
// its own whose Copy the test allows or not.
class InfoPanelTest : public testing::Test {
protected:
    void SetUp() override {
        StoreKnownStart();
        host = CreateHost();
        host->StartTool(kDropper);
        ASSERT_TRUE(host->Activation() && host->Activation()->Panel());
        host->Activation()->Panel()->Hide(); // the activation's own
        BuildInfoWinMenu(
            menu, [this] { return info.get(); }, [this] { return marked; });
        info = std::make_unique<TInfoWin>(*host, menu, OwnPanelEvents(), kDropperRows);
        info->SetPosition({400, 300}, host->Activation()->Monitors(), {0, 0});
        panel = info->Handle();
        Application.ProcessMessages();
    }
    void TearDown() override {
        info.reset();
        host.reset();
        Application.SetMainForm(nullptr);
        Application.ProcessMessages();
        Settings = TSettings{};
    }

    // Opens the panel's menu by a right click on `control` and gives its
    // visible items as they were prepared.
    std::wstring MenuOn(HWND control) {
        auto prepare = menu.OnPopup;
        std::wstring shown = L"(not opened)";
        menu.OnPopup = [&](TPopupMenu& sender) {
            prepare(sender);
            shown = VisibleItems(sender);
            SetTimer(nullptr, 0, 10, EndMenuSoon);
        };
        RECT r{};
        GetWindowRect(control, &r);
        SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                     MAKELPARAM(r.left + 2, r.top + 2));
        menu.OnPopup = prepare;
        return shown;
    }

    std::unique_ptr<TfrmHost> host;
    TPopupMenu menu{L"pmnInfoWin"};
    bool marked = false;
    std::unique_ptr<TInfoWin> info;
    HWND panel = nullptr;
};

// The panel's outer size.
SIZE SizeOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// A press and release in the title band: a drag of no distance.
void DragByTitle(HWND panel) {
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 4));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(20, 4));
}

TEST_F(InfoPanelTest, TakesTheScalingOfTheMonitorItOpensOnAndIsDraggedTo) {
    // Wine gives every monitor the system's 96 DPI; at 150 % the panel is
    // half as large again: fonts, title band, zoom view and rows.
    const SIZE normal = SizeOf(panel);
    auto ratio = [&](SIZE s) {
        return std::pair{double(s.cx) / normal.cx, double(s.cy) / normal.cy};
    };
    auto isLarger = [](std::pair<double, double> r) {
        return r.first > 1.4 && r.first < 1.65 && r.second > 1.4 && r.second < 1.65;
    };
    TInfoWin large(*host, menu, OwnPanelEvents(), kDropperRows, 144);
    EXPECT_TRUE(isLarger(ratio(SizeOf(large.Handle()))));

    // Dragged onto a monitor at 150 %, and back onto one at 100 %: as if
    // made there.
    StandIns::MonitorDpi = [](HMONITOR) { return 144; };
    DragByTitle(panel);
    EXPECT_TRUE(isLarger(ratio(SizeOf(panel))));
    EXPECT_EQ(SizeOf(panel).cx, SizeOf(large.Handle()).cx);
    EXPECT_EQ(SizeOf(panel).cy, SizeOf(large.Handle()).cy);
    StandIns::MonitorDpi = [](HMONITOR) { return 96; };
    DragByTitle(panel);
    StandIns::MonitorDpi = nullptr;
    EXPECT_EQ(SizeOf(panel).cx, normal.cx);
    EXPECT_EQ(SizeOf(panel).cy, normal.cy);
}

TEST_F(InfoPanelTest, MenuOffersWhatTheControlItOpenedOnAllows) {
    struct Case {
        const wchar_t* className;
        int id;
        bool marked;
        int32_t infoScale;
        const wchar_t* expected;
    } cases[] = {
        {L"TDrawPanel", -1, false, 5, L"Hide &info|-|x2|x3|x5*|x10"},
        {L"TDrawPanel", -1, false, 2, L"Hide &info|-|x2*|x3|x5|x10"},
        {L"TDrawPanel", -1, false, 7, L"Hide &info|-|x2|x3|x5|x10"}, // no item for 7
        {L"Static", kValueCell + irRGBHex, false, 2, L"Hide &info|-|&Copy~|Copy &as~"},
        {L"Static", kValueCell + irHTMLColor, true, 2, L"Hide &info|-|&Copy|Copy &as"},
        {L"Static", kValueCell + irColor, true, 2, L"Hide &info"}, // the swatch
        {L"Static", kValueCell + irCursorPosition, true, 2, L"Hide &info"},
        {L"Static", kCaptionCell + irRGB, true, 2, L"Hide &info"},
        {L"TInfoWin", -1, true, 2, L"Hide &info"},
    };
    for (const Case& c : cases) {
        marked = c.marked;
        Settings.InfoScale = c.infoScale;
        HWND control =
            !wcscmp(c.className, L"TInfoWin") ? panel : FindPart(panel, c.className, c.id);
        ASSERT_TRUE(control) << c.id;
        EXPECT_EQ(MenuOn(control), c.expected) << c.id;
    }
}

TEST_F(InfoPanelTest, ValuesOfTheColourRowsGoToTheClipboardAsText) {
    info->SetInfoValue(irHTMLColor, L"#1A2B3C");
    info->SetInfoValue(irRGB, L"26  43  60");
    // A left click copies, held colour or not.
    marked = false;
    Click(FindPart(panel, L"Static", kValueCell + irHTMLColor));
    EXPECT_EQ(ClipboardText<wchar_t>(CF_UNICODETEXT), L"#1A2B3C");
    EXPECT_EQ(ClipboardText<char>(CF_TEXT), "#1A2B3C"); // what programs without Unicode paste
    // Clicks on rows that are not colour values copy nothing.
    info->SetInfoValue(irCursorPosition, L"x: 1\t y: 2");
    Click(FindPart(panel, L"Static", kValueCell + irCursorPosition));
    Click(FindPart(panel, L"Static", kCaptionCell + irHTMLColor));
    EXPECT_EQ(ClipboardText<wchar_t>(CF_UNICODETEXT), L"#1A2B3C");

    // The menu's Copy takes the cell it was opened on.
    marked = true;
    EXPECT_EQ(MenuOn(FindPart(panel, L"Static", kValueCell + irRGB)),
              L"Hide &info|-|&Copy|Copy &as");
    TMenuItem* copy = menu.Find(L"mniCopyInfo");
    copy->OnClick(*copy);
    EXPECT_EQ(ClipboardText<wchar_t>(CF_UNICODETEXT), L"26  43  60");

    // "Copy as" works out the colour of the swatch row in the notation chosen.
    info->SetInfoValue(irColor, std::to_wstring(RGB(255, 0, 0)));
    MenuOn(FindPart(panel, L"Static", kValueCell + irRGB));
    std::wstring captions;
    for (const auto& item : menu.Find(L"mniCopyInfoAs")->Items) {
        captions += item->Caption + L"|";
        item->OnClick(*item);
        captions += ClipboardText<wchar_t>(CF_UNICODETEXT) + L"|";
    }
    EXPECT_EQ(captions, L"&HSL  hsl()|hsl(0 100% 50%)|CIE &Lab  lab()|lab(53.24% 80.09 67.2)|"
                        L"&OKLCH  oklch()|oklch(62.8% 0.2577 29.23)|&Floats 0 to 1|1.0, 0.0, 0.0|");
}

TEST_F(InfoPanelTest, ColourRowShowsTheColourAsItsBackground) {
    HWND swatch = FindPart(panel, L"Static", kValueCell + irColor);
    const COLORREF colour = RGB(0x99, 0x66, 0x33);
    info->SetInfoValue(irColor, std::to_wstring(colour));
    info->SetInfoValue(irColor, L"not a colour"); // ignored, not a crash
    RECT r{};
    GetWindowRect(swatch, &r);
    auto shown = [&r] {
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return c;
    };
    // The screen shows a window's drawing once the system got round to it.
    const auto deadline = GetTickCount64() + 5000;
    while (shown() != colour && GetTickCount64() < deadline) {
        Application.ProcessMessages();
        Sleep(20);
    }
    EXPECT_EQ(shown(), colour);
    EXPECT_EQ(GetWindowTextLengthW(swatch), 0);
}

TEST_F(InfoPanelTest, ToolsShowAndHideItemFollowsThePanel) {
    // The Dropper's context menu, as the overlay opens it, over its own panel.
    TPopupMenu& tool = host->ToolMenus[kDropper];
    TMenuItem* toggle = tool.Find(L"mniMeasurerInfo");
    HWND own = host->Activation()->Panel()->Handle();
    for (bool shown : {true, false, true}) {
        toggle->OnClick(*toggle);
        EXPECT_EQ(IsWindowVisible(own) != FALSE, shown);
        tool.OnPopup(tool);
        EXPECT_EQ(toggle->Caption, shown ? L"Hide &info" : L"Show &info");
    }
    // The panel's own "Hide info".
    TMenuItem* hide = menu.Find(L"mniHideInfo");
    hide->OnClick(*hide);
    EXPECT_FALSE(IsWindowVisible(panel));
    // Without a panel the item offers to show one and does nothing.
    host->StopTool();
    tool.OnPopup(tool);
    EXPECT_EQ(toggle->Caption, L"Show &info");
    info.reset();
    hide->OnClick(*hide);
}
} // namespace

TEST_F(InfoPanelTest, AColourValueHintsThatAClickCopiesIt) {
    // The hint comes from the tooltip the cell tells of its mouse moves.
    HWND cell = FindPart(panel, L"Static", kValueCell + irHTMLColor);
    RECT r;
    GetWindowRect(cell, &r);
    ASSERT_TRUE(PutPointerAt((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    // The tooltip showing a hint of this cell, if one does.
    auto shown = [cell](wchar_t* text) -> bool {
        for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip;
             tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
            TTTOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.lpszText = text;
            if (IsWindowVisible(tip) &&
                SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) &&
                tool.uId == reinterpret_cast<UINT_PTR>(cell))
                return true;
        }
        return false;
    };
    wchar_t text[64] = L"";
    bool hinted = false;
    for (const DWORD start = GetTickCount(); !hinted && GetTickCount() - start < 5000;) {
        Application.ProcessMessages();
        Sleep(20);
        hinted = shown(text);
    }
    EXPECT_TRUE(hinted);
    EXPECT_STREQ(text, L"Click to copy");
}
