// The host form's life: creation at start, hiding at the end of every
// activation, close requests and destruction at exit.
#include "shell/Host.h"
#include "dialogs/FirstRun.h"
#include "framework/Application.h"
#include "framework/ProgramPath.h"
#include "shell/RegistrySettings.h"

namespace {
constexpr wchar_t kHostClassName[] = L"TfrmHost";
constexpr wchar_t kHostCaption[] = L"Quillmont Vantacle";
constexpr wchar_t kHelpFileName[] = L"Vantacle.hlp";
} // namespace

TfrmHost::TfrmHost()
    : TForm({kHostClassName, kHostCaption, WS_POPUP | WS_CLIPCHILDREN,
             WS_EX_TOPMOST | WS_EX_TOOLWINDOW, /*paintsEverything=*/true}) {
    KeyPreview = true;
    CreateTrayMenu();
    CreateTrayIcons();
    CreateToolMenus();
    PopupMenu = &ToolMenus[kScreenshot];
    BuildInfoWinMenu(
        pmnInfoWin, [this] { return activation_ ? activation_->Panel() : nullptr; },
        [this] { return ToolActive() && activation_->Tool().Marked(); });
}

TfrmHost::~TfrmHost() {
    Destroy();
}

void TfrmHost::FormCreate() {
    if (!LoadSettings()) ShowFirstRun();
    ApplicationIcon.AssignHandle(Application.Icon());

    Application.OnDeactivate = [this] { Report(TLifeEvent::Deactivation); };
    Application.SetHelpFile(ExecutableFolder() + kHelpFileName);

    UpdateTrayIconVisibility();
    SetToolIcons(IconNormal, kAllTools);
    RegisterHotKeys();

    // A cursor that cannot be loaded leaves its slot empty; the tool then
    // shows no pointer of its own.
    for (const TToolInfo& tool : kTools)
        if (tool.CursorResource)
            Application.SetCursor(tool.Cursor,
                                  LoadCursorW(Application.Instance(), tool.CursorResource));

    xtiMain.SetHint(Application.Title());
    xtiMain.SetIcon(ApplicationIcon);
}

void TfrmHost::FormDestroy() {
    // The application outlives the form: nothing of it may call back here.
    Application.OnDeactivate = nullptr;
    UnregisterHotKeys();
    Report(TLifeEvent::Exit);
}

void TfrmHost::FormHide() {
    SaveSettings();
}

void TfrmHost::FormCloseQuery(bool& canClose) {
    if (!Visible()) return;
    canClose = false;
    // A bare hide would leave the activation running behind a hidden window,
    // and no tool could start again; ending it hides the form all the same.
    if (ToolActive())
        StopTool();
    else
        Hide();
}

void TfrmHost::FormClose(TCloseAction&) {
    SetToolIcons(IconNormal, 0);
    SetWindowState(TWindowState::wsNormal);
}

void TfrmHost::mniExitClick() {
    Application.Terminate();
}
