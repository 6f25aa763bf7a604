// The Preferences dialog's handlers: filling and reading its controls, the
// value labels, the number edits' key filter, the hot-key boxes' rule and the
// calibrator ruler.
#include "dialogs/Setup.h"
#include "dialogs/RulerMarks.h"
#include "framework/Application.h"
#include "tools/SampleArea.h"
#include "framework/CommonControls.h"
#include <iterator>
#include <string>

namespace {
constexpr int kHotKeyBoxes[kSetupToolCount] = {htkMagnifier, htkScreenshot, htkMeasurer,
                                               htkDropper};
constexpr int kTrayCheckBoxes[kSetupToolCount] = {chbMagnifier, chbScreenshot, chbMeasurer,
                                                  chbDropper};
constexpr UINT_PTR kNumberEditSubclass = 1;
// The sample area's radio buttons, one for each side offered, in order.
constexpr int kAreaRadios[std::size(kSampleSides)] = {rbnArea1, rbnArea3, rbnArea5, rbnArea9};

struct TrackBarLabel {
    int trackBar, label;
    std::wstring (*text)(int position);
};
constexpr TrackBarLabel kValueLabels[] = {{trbWidth, lblWidthValue, LensSizeText},
                                          {trbHeight, lblHeightValue, LensSizeText},
                                          {trbZoom, lblZoomValue, ZoomText}};

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TrackBarSetup(HWND trackBar, int min, int max, int position) {
    SendMessageW(trackBar, TBM_SETRANGE, FALSE, MAKELPARAM(min, max));
    SendMessageW(trackBar, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(trackBar, TBM_SETPOS, TRUE, position);
}

void NumberEditSetup(HWND upDown, int min, int max, int maxLength, int position) {
    SendMessageW(upDown, UDM_SETRANGE32, min, max);
    SendMessageW(upDown, UDM_SETPOS32, 0, position);
    auto edit = reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0));
    SendMessageW(edit, EM_LIMITTEXT, maxLength, 0);
}

int CheckedRadio(HWND dialog, int first) {
    for (int i = kRadioIndexMin; i <= kRadioIndexMax; ++i)
        if (IsDlgButtonChecked(dialog, first + i) == BST_CHECKED) return i;
    return kRadioIndexMin;
}
} // namespace

TfrmSetup::TfrmSetup() : TDialog(kSetupDialog) {
    KeyPreview = true;
}

void TfrmSetup::FormCreate() {
    for (int id : {edtDPI, edtJPEGQuality})
        AddWindowSubclass(Item(id), NumberEditProc, kNumberEditSubclass,
                          reinterpret_cast<DWORD_PTR>(this));
    FillControls();
}

void TfrmSetup::FillControls() {
    const TSetupValues& v = Values;
    TrackBarSetup(Item(trbWidth), kLensPositionMin, kLensPositionMax, v.Width);
    TrackBarSetup(Item(trbHeight), kLensPositionMin, kLensPositionMax, v.Height);
    TrackBarSetup(Item(trbZoom), kZoomMin, kZoomMax, v.Zoom);
    for (int tool = 0; tool < kSetupToolCount; ++tool) {
        HWND box = Item(kHotKeyBoxes[tool]);
        // No modifier, or Shift alone, is no hot key; nothing is put in its place.
        SendMessageW(box, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, 0);
        SendMessageW(box, HKM_SETHOTKEY, HotKeyBoxFromShortCut(v.HotKeys[tool]), 0);
        CheckDlgButton(Handle(), kTrayCheckBoxes[tool],
                       v.TrayIcons[tool] ? BST_CHECKED : BST_UNCHECKED);
    }
    CheckRadioButton(Handle(), rbnContrastOff, rbnContrastHigh, rbnContrastOff + v.HighContrast);
    CheckRadioButton(Handle(), rbnCursorNone, rbnCursorCross, rbnCursorNone + v.MagnifierCursor);
    NumberEditSetup(Item(udnDPI), kDPIMin, kDPIMax, kDPIMaxLength, v.DPI);
    NumberEditSetup(Item(udnJPEGQuality), kJPEGQualityMin, kJPEGQualityMax, kJPEGQualityMaxLength,
                    v.JPEGQuality);
    CheckDlgButton(Handle(), chbAutoStart, v.AutoStart ? BST_CHECKED : BST_UNCHECKED);
    for (size_t i = 0; i < std::size(kSampleSides); ++i)
        CheckDlgButton(Handle(), kAreaRadios[i],
                       kSampleSides[i] == v.DropperArea ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmSetup::ReadControls() {
    TSetupValues v = Values;
    v.Width = static_cast<int>(SendMessageW(Item(trbWidth), TBM_GETPOS, 0, 0));
    v.Height = static_cast<int>(SendMessageW(Item(trbHeight), TBM_GETPOS, 0, 0));
    v.Zoom = static_cast<int>(SendMessageW(Item(trbZoom), TBM_GETPOS, 0, 0));
    for (int tool = 0; tool < kSetupToolCount; ++tool) {
        auto box =
            static_cast<uint16_t>(SendMessageW(Item(kHotKeyBoxes[tool]), HKM_GETHOTKEY, 0, 0));
        v.HotKeys[tool] = HotKeyBoxValue(ShortCutFromHotKeyBox(box));
        v.TrayIcons[tool] = IsDlgButtonChecked(Handle(), kTrayCheckBoxes[tool]) == BST_CHECKED;
    }
    v.HighContrast = CheckedRadio(Handle(), rbnContrastOff);
    v.MagnifierCursor = CheckedRadio(Handle(), rbnCursorNone);
    // The edits' text, not the up-downs' positions: a "." or an empty edit
    // stands for the value the dialog opened with.
    v.DPI = CalibratorDPI();
    v.JPEGQuality = NumberEditValue(WindowText(Item(edtJPEGQuality)), kJPEGQualityMin,
                                    kJPEGQualityMax, Values.JPEGQuality);
    v.AutoStart = IsDlgButtonChecked(Handle(), chbAutoStart) == BST_CHECKED;
    for (size_t i = 0; i < std::size(kSampleSides); ++i)
        if (IsDlgButtonChecked(Handle(), kAreaRadios[i]) == BST_CHECKED)
            v.DropperArea = kSampleSides[i];
    Values = v;
}

int TfrmSetup::CalibratorDPI() const {
    return NumberEditValue(WindowText(Item(edtDPI)), kDPIMin, kDPIMax, Values.DPI);
}

void TfrmSetup::FormShow() {
    trbChange();
}

void TfrmSetup::trbChange() {
    for (const TrackBarLabel& l : kValueLabels) {
        const int position = static_cast<int>(SendMessageW(Item(l.trackBar), TBM_GETPOS, 0, 0));
        SetWindowTextW(Item(l.label), l.text(position).c_str());
    }
}

void TfrmSetup::FormKeyDown(WORD& key) {
    // A lone Alt would put the dialog into its system menu's keyboard mode.
    // A hot-key box must see it all the same: some hot-key controls learn of
    // the modifiers only from their own key-downs, and without it no
    // combination with Alt could be typed.
    if (key != VK_MENU) return;
    const HWND focus = GetFocus();
    for (int box : kHotKeyBoxes)
        if (focus == Item(box)) return;
    key = 0;
}

void TfrmSetup::edtDPIKeyPress(wchar_t& key) {
    if (!NumberEditAccepts(key)) {
        key = 0;
        MessageBeep(MB_OK);
    }
}

void TfrmSetup::edtDPIChange() {
    InvalidateRect(Item(pntCalibrator), nullptr, FALSE);
    UpdateWindow(Item(pntCalibrator));
}

void TfrmSetup::udnDPIClick() {
    edtDPIChange();
}

void TfrmSetup::htkChange(int id) {
    // The box's own rules substitute nothing for a refused combination, so
    // the refusal happens here: a key without Ctrl or Alt empties the box.
    const auto box = static_cast<uint16_t>(SendMessageW(Item(id), HKM_GETHOTKEY, 0, 0));
    const TShortCut shortcut = ShortCutFromHotKeyBox(box);
    if ((shortcut & scKeyMask) != 0 && !HotKeyAllowed(shortcut)) {
        SendMessageW(Item(id), HKM_SETHOTKEY, 0, 0);
        MessageBeep(MB_OK);
    }
}

void TfrmSetup::pntCalibratorPaint(HDC dc, const RECT& client) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    SelectedObject font(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const int mid = RulerBaseline(client.top, client.bottom);
    const int width = client.right - client.left;
    const int dpi = CalibratorDPI();
    MoveToEx(dc, client.left + kRulerMargin, mid, nullptr);
    LineTo(dc, client.right - kRulerMargin, mid);

    auto mark = [&](const TRulerMark& m, int lineEnd, bool textAbove) {
        MoveToEx(dc, m.X, mid, nullptr);
        LineTo(dc, m.X, lineEnd);
        const std::wstring number = std::to_wstring(m.Number);
        SIZE extent{};
        GetTextExtentPoint32W(dc, number.c_str(), static_cast<int>(number.size()), &extent);
        const int top = textAbove ? mid - kRulerMarkLength - extent.cy : mid + kRulerMarkLength + 1;
        TextOutW(dc, m.X - extent.cx / 2, top, number.c_str(), static_cast<int>(number.size()));
    };
    for (const TRulerMark& m : RulerInchMarks(client.left, width, dpi))
        mark(m, mid - kRulerMarkLength, true);
    for (const TRulerMark& m : RulerCentimetreMarks(client.left, width, dpi))
        mark(m, mid + kRulerMarkLength, false);
}

void TfrmSetup::Command(int id, int code) {
    switch (id) {
    case btnOk:
        ReadControls();
        ModalResult(IDOK);
        break;
    case edtDPI:
        if (code == EN_CHANGE) edtDPIChange();
        break;
    case htkMagnifier:
    case htkScreenshot:
    case htkMeasurer:
    case htkDropper:
        if (code == EN_CHANGE) htkChange(id);
        break;
    default:
        TDialog::Command(id, code);
    }
}

bool TfrmSetup::HandleMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_HSCROLL:
        // Also while the thumb is dragged, so the labels follow it.
        trbChange();
        result = TRUE;
        return true;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == Item(udnDPI)) udnDPIClick();
        result = TRUE;
        return true;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != pntCalibrator) return false;
        pntCalibratorPaint(item->hDC, item->rcItem);
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK TfrmSetup::NumberEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data) noexcept {
    if (message == WM_CHAR) {
        auto key = static_cast<wchar_t>(wParam);
        GuardedCall([&] { reinterpret_cast<TfrmSetup*>(data)->edtDPIKeyPress(key); });
        if (key == 0) return 0;
    } else if (message == WM_NCDESTROY) {
        DropWindowSubclass(edit, NumberEditProc, id);
    }
    return NextSubclassProc(edit, message, wParam, lParam);
}
