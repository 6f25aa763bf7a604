// The Preferences dialog's controls at design size, in tab order: a left
// column of tray icons, hot keys and the calibrator, a right column of the
// magnifier, the JPEG options and the Dropper's sample area, the start-up
// box and the buttons below.
#include "dialogs/Setup.h"
#include <commctrl.h>

namespace {
constexpr DWORD kGroup = BS_GROUPBOX | WS_GROUP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kHotKey = WS_TABSTOP | WS_GROUP;
constexpr DWORD kTrackBar = TBS_HORZ | TBS_NOTICKS | WS_TABSTOP | WS_GROUP;
constexpr DWORD kNumberEdit = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
constexpr DWORD kUpDown =
    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_AUTOBUDDY;
constexpr DWORD kEdge = WS_EX_CLIENTEDGE;
// Help topics.
constexpr int hTray = 14, hHotKey = 15, hWidth = 16, hHeight = 17, hZoom = 18, hCursor = 19,
              hAutoStart = 20, hOk = 21, hCancel = 22, hContrast = 29, hRuler = 30, hDPI = 31,
              hQuality = 32, hDropperArea = 33;

constexpr TControlDef kControls[] = {
    {grbTrayIcons, WC_BUTTONW, L"Tray icons", kGroup, 8, 6, 200, 66},
    {chbMagnifier, WC_BUTTONW, L"Ma&gnifier", kCheck, 18, 24, 86, 19, hTray},
    {chbScreenshot, WC_BUTTONW, L"&Screenshot", kCheck, 108, 24, 94, 19, hTray},
    {chbMeasurer, WC_BUTTONW, L"&Measurer", kCheck, 18, 46, 86, 19, hTray},
    {chbDropper, WC_BUTTONW, L"&Dropper", kCheck, 108, 46, 94, 19, hTray},

    {grbHotKeys, WC_BUTTONW, L"Hot keys", kGroup, 8, 78, 200, 122},
    {lblMagnifier, WC_STATICW, L"Mag&nifier", kLabel, 18, 99, 70, 15},
    {htkMagnifier, HOTKEY_CLASSW, L"", kHotKey, 90, 96, 110, 21, hHotKey, kEdge},
    {lblScreenshot, WC_STATICW, L"Screensho&t", kLabel, 18, 124, 70, 15},
    {htkScreenshot, HOTKEY_CLASSW, L"", kHotKey, 90, 121, 110, 21, hHotKey, kEdge},
    {lblMeasurer, WC_STATICW, L"Meas&urer", kLabel, 18, 149, 70, 15},
    {htkMeasurer, HOTKEY_CLASSW, L"", kHotKey, 90, 146, 110, 21, hHotKey, kEdge},
    {lblDropper, WC_STATICW, L"Dro&pper", kLabel, 18, 174, 70, 15},
    {htkDropper, HOTKEY_CLASSW, L"", kHotKey, 90, 171, 110, 21, hHotKey, kEdge},

    {grbCalibrator, WC_BUTTONW, L"Measurer calibrator", kGroup, 8, 206, 200, 128},
    {lblInche, WC_STATICW, L"&inch", kLabel, 18, 232, 44, 15},
    {lblCM, WC_STATICW, L"c&m", kLabel, 18, 256, 44, 15},
    // The white panel with its single border around the 133 by 49 paint box.
    {pntCalibrator, WC_STATICW, L"", SS_OWNERDRAW | WS_BORDER, 64, 226, 135, 51, hRuler},
    {lblDPI, WC_STATICW, L"D&PI", kLabel, 18, 295, 44, 15},
    {edtDPI, WC_EDITW, L"", kNumberEdit, 64, 291, 60, 21, hDPI, kEdge},
    {udnDPI, UPDOWN_CLASSW, L"", kUpDown, 0, 0, 0, 0, hDPI},

    {grbMagnifier, WC_BUTTONW, L"Magnifier", kGroup, 216, 6, 200, 232},
    {lblWidth, WC_STATICW, L"&Width", kLabel, 226, 29, 42, 15},
    {trbWidth, TRACKBAR_CLASSW, L"", kTrackBar, 268, 24, 88, 26, hWidth},
    {lblWidthValue, WC_STATICW, L"", kLabel, 358, 29, 56, 15},
    {lblHeight, WC_STATICW, L"&Height", kLabel, 226, 61, 42, 15},
    {trbHeight, TRACKBAR_CLASSW, L"", kTrackBar, 268, 56, 88, 26, hHeight},
    {lblHeightValue, WC_STATICW, L"", kLabel, 358, 61, 56, 15},
    {lblZoom, WC_STATICW, L"&Zoom", kLabel, 226, 93, 42, 15},
    {trbZoom, TRACKBAR_CLASSW, L"", kTrackBar, 268, 88, 88, 26, hZoom},
    {lblZoomValue, WC_STATICW, L"", kLabel, 358, 93, 56, 15},
    {rgrHighContrast, WC_BUTTONW, L"High contrast", kGroup, 224, 122, 184, 50, hContrast},
    {rbnContrastOff, WC_BUTTONW, L"O&ff", kFirstRadio, 234, 142, 48, 19, hContrast},
    {rbnContrastMedium, WC_BUTTONW, L"M&edium", kRadio, 284, 142, 64, 19, hContrast},
    {rbnContrastHigh, WC_BUTTONW, L"&High", kRadio, 350, 142, 54, 19, hContrast},
    {rgrMagnifierCursor, WC_BUTTONW, L"Cursor", kGroup, 224, 178, 184, 50, hCursor},
    {rbnCursorNone, WC_BUTTONW, L"&None", kFirstRadio, 234, 198, 48, 19, hCursor},
    {rbnCursorArrow, WC_BUTTONW, L"&Arrow", kRadio, 284, 198, 64, 19, hCursor},
    {rbnCursorCross, WC_BUTTONW, L"&Cross", kRadio, 350, 198, 54, 19, hCursor},

    {grbJPEGOptions, WC_BUTTONW, L"JPEG options", kGroup, 216, 244, 200, 52},
    {lblJPEGQuality, WC_STATICW, L"&Quality", kLabel, 226, 267, 60, 15},
    {edtJPEGQuality, WC_EDITW, L"", kNumberEdit, 290, 263, 56, 21, hQuality, kEdge},
    {udnJPEGQuality, UPDOWN_CLASSW, L"", kUpDown, 0, 0, 0, 0, hQuality},

    {rgrDropperArea, WC_BUTTONW, L"Dropper sample area", kGroup, 216, 300, 200, 46, hDropperArea},
    {rbnArea1, WC_BUTTONW, L"&1 x 1", kFirstRadio, 222, 319, 48, 19, hDropperArea},
    {rbnArea3, WC_BUTTONW, L"&3 x 3", kRadio, 270, 319, 48, 19, hDropperArea},
    {rbnArea5, WC_BUTTONW, L"&5 x 5", kRadio, 318, 319, 48, 19, hDropperArea},
    {rbnArea9, WC_BUTTONW, L"&9 x 9", kRadio, 366, 319, 48, 19, hDropperArea},

    {chbAutoStart, WC_BUTTONW, L"St&art at Windows startup", kCheck, 8, 352, 200, 19, hAutoStart},
    {btnOk, WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 256, 350, 75, 25, hOk},
    {btnCancel, WC_BUTTONW, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 341, 350, 75, 25,
     hCancel},
};
} // namespace

// Client 424 by 391 at "Tahoma" of height 11.
const TDialogParams kSetupDialog{L"Preferences", 424, 391, 11, kControls};
