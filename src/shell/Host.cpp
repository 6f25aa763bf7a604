// The host form's life: creation at start, hiding at the end of every
// activation, close requests and destruction at exit.
#include "shell/Host.h"
#include "dialogs/FirstRun.h"
#include "framework/Application.h"
#include "info/InfoWin.h"
#include "shell/RegistrySettings.h"
#include "tools/Activation.h"

TfrmHost* frmHost = nullptr;

namespace {
constexpr wchar_t kHostClassName[] = L"TfrmHost";
constexpr wchar_t kHostCaption[] = L"Quillmont Vantacle";
constexpr wchar_t kHelpFileName[] = L"Vantacle.hlp";

// Cursor slots of the tools, loaded by resource name.
struct CursorSlot {
    int slot;
    const wchar_t* resource;
};
constexpr CursorSlot kToolCursors[] = {{1, L"Screenshot"}, {2, L"Measurer"}, {3, L"Dropper"}};

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}
} // namespace

TfrmHost::TfrmHost()
    : TForm({kHostClassName, kHostCaption, WS_POPUP | WS_CLIPCHILDREN,
             WS_EX_TOPMOST | WS_EX_TOOLWINDOW, /*paintsEverything=*/true}) {
    KeyPreview = true;
    SetWindowState(TWindowState::wsMaximized);
    PopupMenu = &pmnScreenshot;
    CreateTrayMenu();
    CreateTrayIcons();
    BuildInfoWinMenu(
        pmnInfoWin, [] { return InfoWin.get(); }, [this] { return Marked; });
    frmHost = this;
}

TfrmHost::~TfrmHost() {
    Destroy();
    if (frmHost == this) frmHost = nullptr;
}

void TfrmHost::FormCreate() {
    if (!LoadSettings()) ShowFirstRun();

    Application.OnDeactivate = [this] { StopTool(); };
    Application.SetHelpFile(FolderOf(ExecutablePath()) + kHelpFileName);

    UpdateTrayIconVisibility();
    SetToolIcons(IconNormal, kAllTools);
    RegisterHotKeys();

    // A cursor that cannot be loaded leaves its slot empty; the tool then
    // shows no pointer of its own.
    for (const CursorSlot& c : kToolCursors)
        Application.SetCursor(c.slot, LoadCursorW(Application.Instance(), c.resource));

    xtiMain.SetHint(Application.Title());
    xtiMain.Icon().AssignHandle(Application.Icon());
}

void TfrmHost::FormDestroy() {
    UnregisterHotKeys();
    StopTool();
}

void TfrmHost::FormHide() {
    if (InfoWin &&
        (CurrentTool == kScreenshot || CurrentTool == kMeasurer || CurrentTool == kDropper)) {
        POINT position = InfoWin->GetPosition();
        TPanelPositionSetting setting = PanelPositionSetting(CurrentTool);
        Settings.*setting.x = position.x;
        Settings.*setting.y = position.y;
    }
    SaveSettings();
}

void TfrmHost::FormCloseQuery(bool& canClose) {
    if (!Visible()) return;
    canClose = false;
    // A bare hide would leave the activation running behind a hidden window,
    // and no tool could start again; ending it hides the form all the same.
    if (ToolActive)
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
