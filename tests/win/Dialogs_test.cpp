// The three dialogs laid out in the system's message font at 100, 125 and
// 150 percent: the dialog grows with the font, every control lies inside it
// and every caption fits its control.
#include "dialogs/About.h"
#include "dialogs/FirstRun.h"
#include "dialogs/Setup.h"
#include "framework/Dpi.h"
#include "StandIns.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace {
// Sets the message font's height for this process only, and puts the old
// font back afterwards.
class MessageFontHeight {
public:
    explicit MessageFontHeight(int height) {
        saved_.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, saved_.cbSize, &saved_, 0);
        NONCLIENTMETRICSW changed = saved_;
        changed.lfMessageFont.lfHeight = -height;
        changed.lfMessageFont.lfWidth = 0;
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, changed.cbSize, &changed, 0);
    }
    ~MessageFontHeight() {
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, saved_.cbSize, &saved_, 0);
    }

private:
    NONCLIENTMETRICSW saved_{};
};

// What a control draws beside its caption: a check box's box, a button's edges.
int CaptionMargin(const wchar_t* cls, LONG style) {
    if (!_wcsicmp(cls, WC_STATICW)) return 0;
    switch (style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTORADIOBUTTON:
        return GetSystemMetrics(SM_CXMENUCHECK) + 6;
    case BS_GROUPBOX:
        return 20;
    default:
        return 12;
    }
}

// The captions of a dialog that do not fit, and the controls outside it.
std::vector<std::wstring> Clipped(HWND dialog) {
    std::vector<std::wstring> clipped;
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t text[1024] = L"", cls[64] = L"";
        GetWindowTextW(c, text, 1024);
        GetClassNameW(c, cls, 64);
        RECT r, room;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            clipped.push_back(L"outside: " + std::wstring(text));
        if (!*text || (_wcsicmp(cls, WC_STATICW) && _wcsicmp(cls, WC_BUTTONW))) continue;
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        const bool wraps = !_wcsicmp(cls, WC_STATICW) && (style & SS_TYPEMASK) == SS_LEFT;
        const int margin = CaptionMargin(cls, style);
        GetClientRect(c, &room);
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
        RECT need{0, 0, room.right - margin, 0};
        DrawTextW(dc, text, -1, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        if (need.right + margin > room.right || need.bottom > room.bottom)
            clipped.push_back(std::wstring(text) + L": needs " +
                              std::to_wstring(need.right + margin) + L" x " +
                              std::to_wstring(need.bottom) + L", has " +
                              std::to_wstring(room.right) + L" x " + std::to_wstring(room.bottom));
    }
    return clipped;
}

template <typename T> std::unique_ptr<TDialog> Created() {
    auto dialog = std::make_unique<T>();
    dialog->Create();
    return dialog;
}

struct Case {
    const char* name;
    std::unique_ptr<TDialog> (*make)();
    // The client size at message font heights 11, 14 and 17: the design
    // size scaled by the height over 11, rounded to the nearest pixel.
    SIZE client[3];
};
const Case dialogs[] = {{"Preferences", Created<TfrmSetup>, {{424, 391}, {540, 498}, {655, 604}}},
                        {"Welcome", Created<TfrmFirstRun>, {{375, 250}, {477, 318}, {580, 386}}},
                        {"About", Created<TfrmAbout>, {{369, 200}, {470, 255}, {570, 309}}}};

// Every child's rectangle in the dialog and its font's height.
struct Layout {
    std::vector<std::array<LONG, 4>> rects;
    std::vector<int> fontHeights;
};
Layout LayoutOf(HWND dialog) {
    Layout layout;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        layout.rects.push_back({r.left, r.top, r.right, r.bottom});
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font, &font);
        layout.fontHeights.push_back(font.lfHeight);
    }
    return layout;
}

// Every monitor reports `dpi` while it lives: Wine gives all monitors the
// system's.
struct MonitorDpi {
    explicit MonitorDpi(int dpi) {
        StandIns::MonitorDpi = [dpi](HMONITOR) { return dpi; };
    }
    ~MonitorDpi() { StandIns::MonitorDpi = nullptr; }
};

// Frames while it lives as Windows draws them on a monitor of each DPI
// (borders and caption of the system's DPI, scaled), or, `asWine`, as Wine
// draws every frame: at the system's DPI.
struct Frames {
    explicit Frames(bool asWine) {
        StandIns::Frame = [asWine](RECT client, DWORD style, DWORD exStyle, int dpi) {
            RECT r = client;
            AdjustWindowRectEx(&r, style, FALSE, exStyle);
            if (asWine) return r;
            auto scaled = [dpi](LONG frame) { return MulDiv(frame, dpi, 96); };
            return RECT{client.left - scaled(client.left - r.left),
                        client.top - scaled(client.top - r.top),
                        client.right + scaled(r.right - client.right),
                        client.bottom + scaled(r.bottom - client.bottom)};
        };
    }
    ~Frames() { StandIns::Frame = nullptr; }
};

SIZE SizeOf(const RECT& r) {
    return {r.right - r.left, r.bottom - r.top};
}
} // namespace

TEST(Dialogs, TakeTheScalingOfTheirMonitorAndFollowItToAnother) {
    ASSERT_EQ(SystemDpi(), 96);
    MessageFontHeight font(11);
    Frames asWine(true); // so that the client areas Wine shows can be read
    for (const Case& c : dialogs) {
        SCOPED_TRACE(c.name);
        const Layout atSystemDpi = LayoutOf(c.make()->Handle());
        MonitorDpi monitor(144);
        std::unique_ptr<TDialog> dialog = c.make();
        // At 150 % the message font of 11 pixels becomes one of 17, and the
        // dialog is laid out as for that font.
        RECT client;
        GetClientRect(dialog->Handle(), &client);
        EXPECT_EQ(client.right, c.client[2].cx);
        EXPECT_EQ(client.bottom, c.client[2].cy);
        for (const std::wstring& clipped : Clipped(dialog->Handle()))
            ADD_FAILURE() << std::string(clipped.begin(), clipped.end());
        // Dragged onto a monitor at 100 %: as if made there, where the
        // system suggests, in the size the layout needs.
        RECT suggested{100, 100, 600, 500};
        SendMessageW(dialog->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
                     reinterpret_cast<LPARAM>(&suggested));
        const Layout moved = LayoutOf(dialog->Handle());
        EXPECT_EQ(moved.rects, atSystemDpi.rects);
        EXPECT_EQ(moved.fontHeights, atSystemDpi.fontHeights);
        RECT window;
        GetWindowRect(dialog->Handle(), &window);
        EXPECT_EQ(window.left, 100);
        EXPECT_EQ(window.top, 100);
        GetClientRect(dialog->Handle(), &client);
        EXPECT_EQ(client.right, c.client[0].cx);
        EXPECT_EQ(client.bottom, c.client[0].cy);
    }
}

TEST(Dialogs, FramesAreThoseOfTheMonitorTheyAreOn) {
    // Windows draws a window's caption and borders at its monitor's DPI, so
    // a dialog opened on a 150 % monitor of a 100 % system, then dragged to
    // a 100 % one, must have the frame of each around the layout's client
    // area: nothing of the layout may be lost under a larger caption.
    ASSERT_EQ(SystemDpi(), 96);
    MessageFontHeight font(11);
    Frames asWindows(false);
    for (const Case& c : dialogs) {
        SCOPED_TRACE(c.name);
        MonitorDpi monitor(144);
        std::unique_ptr<TDialog> dialog = c.make();
        HWND window = dialog->Handle();
        const DWORD style = GetWindowLongW(window, GWL_STYLE);
        const DWORD exStyle = GetWindowLongW(window, GWL_EXSTYLE);
        auto windowSize = [&](SIZE client, int dpi) {
            return SizeOf(StandIns::Frame({0, 0, client.cx, client.cy}, style, exStyle, dpi));
        };
        RECT r;
        GetWindowRect(window, &r);
        const SIZE wanted = windowSize(c.client[2], 144);
        EXPECT_EQ(SizeOf(r).cx, wanted.cx);
        EXPECT_EQ(SizeOf(r).cy, wanted.cy);
        RECT suggested{100, 100, 600, 500};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96),
                     reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(window, &r);
        const SIZE back = windowSize(c.client[0], 96);
        EXPECT_EQ(SizeOf(r).cx, back.cx);
        EXPECT_EQ(SizeOf(r).cy, back.cy);
    }
}

TEST(Dialogs, CaptionsFitAtEveryScaling) {
    // Tahoma of 8 points at 96, 120 and 144 pixels per inch.
    const int heights[] = {11, 14, 17};
    for (int scaling = 0; scaling < 3; ++scaling) {
        const int height = heights[scaling];
        MessageFontHeight font(height);
        for (const Case& c : dialogs) {
            SCOPED_TRACE(::testing::Message() << c.name << " at font height " << height);
            std::unique_ptr<TDialog> dialog = c.make();
            // The widest texts the value labels ever show.
            SetDlgItemTextW(dialog->Handle(), lblWidthValue,
                            LensSizeText(kLensPositionMax).c_str());
            SetDlgItemTextW(dialog->Handle(), lblZoomValue, ZoomText(kZoomMax).c_str());
            RECT client;
            GetClientRect(dialog->Handle(), &client);
            EXPECT_EQ(client.right, c.client[scaling].cx);
            EXPECT_EQ(client.bottom, c.client[scaling].cy);
            for (const std::wstring& clipped : Clipped(dialog->Handle()))
                ADD_FAILURE() << std::string(clipped.begin(), clipped.end());
        }
    }
}
