// The host form: the program's one main window. Hidden while the program
// waits in the tray; during a tool activation it covers the primary screen
// and shows the frozen picture the tool works on.
#pragma once

#include "framework/Form.h"
#include "framework/Menu.h"
#include "tray/TrayIcon.h"
#include <cstdint>

// Image states of the tool icons in the tray, as indices into their image lists.
enum TIconState : int { IconNormal = 0, IconActive = 1, IconUnavailable = 2 };

enum class THitZone { hzNone };

class TfrmHost : public TForm {
public:
    TfrmHost();
    ~TfrmHost() override;

    // Tool activation.
    void StartTool(int tool);
    void StopTool();

    // Tray icons, menu and hot keys.
    void UpdateTrayIconVisibility();
    void SetToolIcons(TIconState state, unsigned tools);
    void RegisterHotKeys();
    void UnregisterHotKeys();
    void mniExitClick();
    void mniPreferencesClick();
    void mniAboutClick();
    void xtiMouseUp(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y);
    void xtiMainClick(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y);
    void pmnTrayPopup(TPopupMenu& sender);
    void mniStartClick(TMenuItem& sender);

    bool ToolActive = false;

    // Per-activation tool state, partly reset at every show.
    RECT ToolRect{};
    RECT PressRect{};
    POINT DragAnchor{};
    THitZone DragZone = THitZone::hzNone;
    bool Dragging = false;
    bool Marked = false;
    uint32_t PickedColor = 0;

    TPopupMenu pmnTray{L"pmnTray"};
    // The tray icons come after their menu, so they let go of it first.
    TTrayIcon xtiMagnifier;
    TTrayIcon xtiScreenshot;
    TTrayIcon xtiMeasurer;
    TTrayIcon xtiDropper;
    TTrayIcon xtiMain;
    TPopupMenu pmnScreenshot{L"pmnScreenshot"};
    TPopupMenu pmnInfoWin{L"pmnInfoWin"};
    TPopupMenu pmnMeasurerDropper{L"pmnMeasurerDropper"};

protected:
    void FormCreate() override;
    void FormDestroy() override;
    void FormShow() override;
    void FormHide() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose(TCloseAction& action) override;
    void FormPaint() override;
    void FormKeyDown(WORD& key, TShiftState shift) override;
    void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void FormMouseMove(TShiftState shift, int x, int y) override;
    void FormMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The tray icons' and tray menu's fixed setup, made once with the form.
    void CreateTrayIcons();
    void CreateTrayMenu();
    TTrayIcon& ToolIcon(int tool);
    // Draws the Magnifier's first lens once the queue is empty after a start.
    void IdleRefreshLens();
    void ApplyToolSetup();
    void PaintToolMarks();
};

// False while the Preferences or the About dialog is open: tool icons then
// only beep, and the tray menu's tools and dialogs are disabled.
extern bool ToolsEnabled;

// The program's host form, while it exists.
extern TfrmHost* frmHost;
