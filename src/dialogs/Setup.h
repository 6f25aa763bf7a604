// The Preferences dialog: tray icons, hot keys, the Measurer's calibration
// with its live ruler, the magnifier's lens, the JPEG quality and the start
// with Windows. It shows and returns values; the host decides what they change.
#pragma once

#include "dialogs/SetupValues.h"
#include "framework/Dialog.h"

// Control identifiers; the table in SetupControls.cpp creates them in tab order.
enum TSetupControl : int {
    grbTrayIcons = 100,
    chbMagnifier,
    chbScreenshot,
    chbMeasurer,
    chbDropper,
    grbHotKeys = 110,
    lblMagnifier,
    htkMagnifier,
    lblScreenshot,
    htkScreenshot,
    lblMeasurer,
    htkMeasurer,
    lblDropper,
    htkDropper,
    grbCalibrator = 130,
    lblInche,
    lblCM,
    pntCalibrator,
    lblDPI,
    edtDPI,
    udnDPI,
    grbMagnifier = 140,
    lblWidth,
    trbWidth,
    lblWidthValue,
    lblHeight,
    trbHeight,
    lblHeightValue,
    lblZoom,
    trbZoom,
    lblZoomValue,
    rgrHighContrast = 160,
    rbnContrastOff,
    rbnContrastMedium,
    rbnContrastHigh,
    rgrMagnifierCursor = 170,
    rbnCursorNone,
    rbnCursorArrow,
    rbnCursorCross,
    grbJPEGOptions = 180,
    lblJPEGQuality,
    edtJPEGQuality,
    udnJPEGQuality,
    chbAutoStart = 190,
    rgrDropperArea = 195,
    rbnArea1,
    rbnArea3,
    rbnArea5,
    rbnArea9,
    btnOk = IDOK,
    btnCancel = IDCANCEL,
};

extern const TDialogParams kSetupDialog;

class TfrmSetup : public TDialog {
public:
    TfrmSetup();
    // The values the controls are filled with before the dialog shows, and
    // after OK the values they held.
    TSetupValues Values;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormKeyDown(WORD& key) override;
    void Command(int id, int code) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void trbChange();
    void edtDPIKeyPress(wchar_t& key);
    void edtDPIChange();
    void udnDPIClick();
    void pntCalibratorPaint(HDC dc, const RECT& client);
    void htkChange(int id);

    void FillControls();
    void ReadControls();
    int CalibratorDPI() const;
    static LRESULT CALLBACK NumberEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR,
                                           DWORD_PTR) noexcept;
};
