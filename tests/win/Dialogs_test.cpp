// The three dialogs laid out in the system's message font at 100, 125 and
// 150 percent: every caption fits its control, every control lies inside the
// dialog, and the dialog grows with the font.
#include "dialogs/About.h"
#include "dialogs/FirstRun.h"
#include "dialogs/Setup.h"
#include "framework/Application.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <cstddef>
#include <functional>
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

std::wstring Text(HWND w) {
    wchar_t text[1024] = L"";
    GetWindowTextW(w, text, 1024);
    return text;
}

// The room a control's caption needs beside what the control draws itself.
struct Need {
    int extraWidth;
    bool wraps;
};

Need CaptionNeed(HWND control) {
    wchar_t cls[64] = L"";
    GetClassNameW(control, cls, 64);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (!_wcsicmp(cls, WC_STATICW)) return {0, (style & SS_TYPEMASK) == SS_LEFT};
    switch (style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTORADIOBUTTON:
        // The box or circle and the gap before the text.
        return {GetSystemMetrics(SM_CXMENUCHECK) + 6, false};
    case BS_GROUPBOX:
        return {20, false};
    default:
        return {12, false}; // a push button's edges
    }
}

struct Overflow {
    std::wstring text;
    SIZE need, room;
};

std::vector<Overflow> ClippedCaptions(HWND dialog) {
    std::vector<Overflow> clipped;
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            clipped.push_back({L"outside the dialog: " + Text(c),
                               {r.right, r.bottom},
                               {client.right, client.bottom}});
        const std::wstring text = Text(c);
        wchar_t cls[64] = L"";
        GetClassNameW(c, cls, 64);
        if (text.empty() || (_wcsicmp(cls, WC_STATICW) && _wcsicmp(cls, WC_BUTTONW))) continue;
        const Need need = CaptionNeed(c);
        RECT room;
        GetClientRect(c, &room);
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
        RECT calc{0, 0, room.right - need.extraWidth, 0};
        DrawTextW(dc, text.c_str(), -1, &calc,
                  DT_CALCRECT | (need.wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        const bool fits =
            need.wraps ? calc.bottom <= room.bottom && calc.right <= room.right
                       : calc.right + need.extraWidth <= room.right && calc.bottom <= room.bottom;
        if (!fits)
            clipped.push_back(
                {text, {calc.right + need.extraWidth, calc.bottom}, {room.right, room.bottom}});
    }
    return clipped;
}

std::unique_ptr<TDialog> MakeSetup() {
    auto setup = std::make_unique<TfrmSetup>();
    setup->Create();
    // The widest texts the value labels ever show.
    SetDlgItemTextW(setup->Handle(), lblWidthValue, LensSizeText(kLensPositionMax).c_str());
    SetDlgItemTextW(setup->Handle(), lblZoomValue, ZoomText(kZoomMax).c_str());
    return setup;
}
std::unique_ptr<TDialog> MakeFirstRun() {
    auto dialog = std::make_unique<TfrmFirstRun>();
    dialog->Create();
    return dialog;
}
std::unique_ptr<TDialog> MakeAbout() {
    auto dialog = std::make_unique<TfrmAbout>();
    dialog->Create();
    return dialog;
}
} // namespace

TEST(Dialogs, CaptionsFitAtEveryScaling) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TDialog>()> make;
        SIZE designClient;
    };
    const Case dialogs[] = {{"Preferences", MakeSetup, {424, 391}},
                            {"Welcome", MakeFirstRun, {375, 250}},
                            {"About", MakeAbout, {369, 200}}};
    // Tahoma of 8 points at 96, 120 and 144 pixels per inch.
    for (int height : {11, 14, 17}) {
        MessageFontHeight font(height);
        for (const Case& c : dialogs) {
            SCOPED_TRACE(::testing::Message() << c.name << " at font height " << height);
            std::unique_ptr<TDialog> dialog = c.make();
            RECT client;
            GetClientRect(dialog->Handle(), &client);
            EXPECT_EQ(client.right, MulDiv(c.designClient.cx, height, 11));
            EXPECT_EQ(client.bottom, MulDiv(c.designClient.cy, height, 11));
            for (const Overflow& o : ClippedCaptions(dialog->Handle()))
                ADD_FAILURE() << "\"" << std::string(o.text.begin(), o.text.end()) << "\" needs "
                              << o.need.cx << " x " << o.need.cy << ", has " << o.room.cx << " x "
                              << o.room.cy;
        }
    }
}
