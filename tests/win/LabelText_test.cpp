// A label's text drawn segment by segment is pixel for pixel what DrawText
// draws with the label's flags: tab stops, clipping, "&", in more than one font.
#include "framework/Bitmap.h"
#include "framework/Handle.h"
#include "framework/LabelText.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {
constexpr int kWidth = 320, kHeight = 24;

std::vector<uint8_t> Drawn(HFONT font, const RECT& r, const std::wstring& text, bool oracle) {
    TBitmap picture(kWidth, kHeight);
    HDC dc = picture.DC();
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    if (oracle) {
        RECT drawn = r;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &drawn,
                  DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX | DT_SINGLELINE);
    } else {
        DrawLabelText(dc, r, text);
    }
    GdiFlush();
    const uint8_t* bits = picture.ScanLine(0);
    return {bits, bits + picture.Stride() * kHeight};
}
} // namespace

TEST(LabelText, EveryPixelAsDrawTextDrawsIt) {
    LOGFONTW big{};
    big.lfHeight = -17;
    std::wcscpy(big.lfFaceName, L"Tahoma");
    UniqueFont seventeen(CreateFontIndirectW(&big));
    const HFONT fonts[] = {static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), seventeen.get()};
    const std::wstring texts[] = {L"x: -400\t y: 600",
                                  L"\tlead",
                                  L"a\t\tb\tc",
                                  L"R&D &&x",
                                  L"tail\t",
                                  L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
                                  L"",
                                  L"123.45 mm\t 4.86 in"};
    const RECT rects[] = {{0, 0, kWidth, kHeight}, {7, 3, 150, 20}, {13, 0, 47, kHeight}};
    for (HFONT font : fonts)
        for (const std::wstring& text : texts)
            for (const RECT& r : rects)
                EXPECT_EQ(Drawn(font, r, text, false), Drawn(font, r, text, true))
                    << "text \"" << std::string(text.begin(), text.end()) << "\" at " << r.left
                    << "," << r.top << " " << r.right << "x" << r.bottom;
}
