// The tray menu shared by all tray icons: exit, the dialogs and the tools,
// with each tool's hot key shown beside it.
#include "shell/Host.h"
#include "shell/Settings.h"

namespace {
struct TrayMenuItem {
    const wchar_t* name;
    const wchar_t* caption;
    int tag;
};
// Top to bottom.
constexpr TrayMenuItem kTrayMenu[] = {
    {L"mniExit", L"E&xit", 0},
    {L"mniSep1", L"-", 0},
    {L"mniAbout", L"&About...", 0},
    {L"mniPreferences", L"&Preferences...", 0},
    {L"mniSep2", L"-", 0},
    {L"mniMagnifier", L"Ma&gnifier", 0},
    {L"mniScreenshot", L"&Screenshot", 1},
    {L"mniMeasurer", L"&Measurer", 2},
    {L"mniDropper", L"&Dropper", 3},
};

// The tool items with the hot key each one shows.
struct ToolMenuItem {
    const wchar_t* name;
    TShortCut TSettings::*hotKey;
};
constexpr ToolMenuItem kToolItems[] = {
    {L"mniMagnifier", &TSettings::MagnifierKey},
    {L"mniScreenshot", &TSettings::ScreenshotKey},
    {L"mniMeasurer", &TSettings::MeasurerKey},
    {L"mniDropper", &TSettings::DropperKey},
};

// Items that open a dialog or start a tool; "E&xit" always works.
constexpr const wchar_t* kBlockedWhileDialogOpen[] = {L"mniMagnifier",   L"mniScreenshot",
                                                      L"mniMeasurer",    L"mniDropper",
                                                      L"mniPreferences", L"mniAbout"};
} // namespace

void TfrmHost::CreateTrayMenu() {
    for (const TrayMenuItem& item : kTrayMenu)
        pmnTray.Add(item.name, item.caption, item.tag);
    pmnTray.Find(L"mniExit")->OnClick = [this](TMenuItem&) { mniExitClick(); };
    pmnTray.Find(L"mniPreferences")->OnClick = [this](TMenuItem&) { mniPreferencesClick(); };
    pmnTray.Find(L"mniAbout")->OnClick = [this](TMenuItem&) { mniAboutClick(); };
    for (const ToolMenuItem& item : kToolItems)
        pmnTray.Find(item.name)->OnClick = [this](TMenuItem& sender) { mniStartClick(sender); };
    pmnTray.OnPopup = [this](TPopupMenu& sender) { pmnTrayPopup(sender); };
}

void TfrmHost::pmnTrayPopup(TPopupMenu&) {
    for (const wchar_t* name : kBlockedWhileDialogOpen)
        pmnTray.Find(name)->Enabled = ToolsEnabled;
    // Shown only: the hot keys act through their global registration.
    for (const ToolMenuItem& item : kToolItems)
        pmnTray.Find(item.name)->ShortCut = Settings.*item.hotKey;
}

void TfrmHost::mniStartClick(TMenuItem& sender) {
    StartTool(sender.Tag);
}
