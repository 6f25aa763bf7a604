// The host form: the program's one main window. Hidden while the program
// waits in the tray; during a tool activation it covers every monitor,
// shows the frozen picture and hands its input to the running tool.
#pragma once

#include "framework/Form.h"
#include "framework/Menu.h"
#include "framework/Repaint.h"
#include "tools/ToolActivation.h"
#include "tools/ToolTable.h"
#include "tray/TrayIcon.h"
#include <array>
#include <memory>

// Image states of the tool icons in the tray, as indices into their image lists.
enum TIconState : int { IconNormal = 0, IconActive = 1, IconUnavailable = 2 };

class TfrmHost : public TForm, private TActivationOwner {
public:
    TfrmHost();
    ~TfrmHost() override;

    // Tool activation. `fromMenu`: a menu of ours has just closed over the
    // screen, and the programs below it must repaint before the picture.
    // Whether a start or an end happens, and when, is for life_ to say.
    void StartTool(int tool, bool fromMenu = false);
    void StopTool() { Report(TLifeEvent::ToolEnd); }
    // An activation runs: its picture is taken and the overlay shows it.
    bool ToolActive() const { return life_.ToolRuns(); }
    // The activation, from the start of a tool's start to its end; nullptr
    // while no tool is active.
    TToolActivation* Activation() { return activation_.get(); }
    // The tool of the current activation; keeps naming the last tool after it ends.
    int CurrentTool = kMagnifier;

    // Tray icons, menu and hot keys.
    void UpdateTrayIconVisibility();
    void SetToolIcons(TIconState state, unsigned tools);
    // The images while a tool runs: its own active, the others unavailable,
    // and the main icon showing the running tool.
    void SetRunningToolIcons(int tool);
    void RegisterHotKeys();
    void UnregisterHotKeys();
    void mniExitClick();
    void mniPreferencesClick();
    void mniAboutClick();
    void xtiMouseUp(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y);
    void xtiMainClick(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y);
    void pmnTrayPopup(TPopupMenu& sender);
    void mniStartClick(TMenuItem& sender);
    TTrayIcon& ToolIcon(int tool) { return xtiTools[tool]; }

    // The application icon at the tray's size, made once: the main icon
    // shows it whenever no tool runs.
    TIcon ApplicationIcon;
    TPopupMenu pmnTray{L"pmnTray"};
    // The tray icons come after their menu, so they let go of it first:
    // xtiMagnifier, xtiScreenshot, xtiMeasurer, xtiDropper in tool order.
    std::array<TTrayIcon, kToolCount> xtiTools;
    TTrayIcon xtiMain;
    // The overlay's context menu of each tool (pmnScreenshot,
    // pmnMeasurerDropper), kept for the program's life so a menu never goes
    // away while it is open.
    std::array<TPopupMenu, kToolCount> ToolMenus;
    TPopupMenu pmnInfoWin{L"pmnInfoWin"};

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
    std::optional<int> CursorAt(POINT p) override;
    void ContextMenu(LPARAM lParam) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The tray icons', tray menu's and tools' menus' fixed setup, made once
    // with the form.
    void CreateTrayIcons();
    void CreateTrayMenu();
    void CreateToolMenus();
    void ApplyToolSetup(const TToolInfo& tool);
    // Tells life_ of an event and carries out its answer.
    void Report(TLifeEvent event) override;
    // The end of the activation: the overlay hides, the settings are saved,
    // the panel and the picture go, the tray shows no running tool.
    void EndActivation();
    // A mouse move over the panel, to `at` on the screen.
    void PanelMouseMove(TScreenPoint at);
    // Runs `step` on the running tool, if one runs, holding the activation:
    // an end the tool asks for in it comes once it has returned.
    template <typename Step> void WithTool(Step&& step) {
        if (!ToolActive()) return;
        TActivationHold hold(*this);
        step(activation_->Tool());
    }
    // The tray menu has closed over the screen: waits, briefly, until what
    // it covered shows again.
    void WaitForTrayMenuToLeaveTheScreen();

    TActivationLife life_;
    std::unique_ptr<TToolActivation> activation_;
    // The screen as it was when the tray menu opened last.
    std::unique_ptr<TScreenBefore> screenBeforeTrayMenu_;
};

// False while the Preferences or the About dialog is open: tool icons then
// only beep, and the tray menu's tools and dialogs are disabled.
extern bool ToolsEnabled;
