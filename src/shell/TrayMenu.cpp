// The tray menu shared by all tray icons: exit, the dialogs and the tools,
// with each tool's hot key shown beside it.
#include "shell/Host.h"
#include "framework/Application.h"
#include "shell/Settings.h"

namespace {
struct TrayMenuItem {
    const wchar_t* name;
    const wchar_t* caption;
};
// Top to bottom; the tools' items follow, from the tool table.
constexpr TrayMenuItem kTrayMenu[] = {
    {L"mniExit", L"E&xit"},      {L"mniSep1", L"-"},
    {L"mniAbout", L"&About..."}, {L"mniPreferences", L"&Preferences..."},
    {L"mniSep2", L"-"},
};
// How long a start from the menu waits at most for the programs below the
// menu to repaint: a program that is busy or hung must not hold the tool.
constexpr DWORD kMenuRepaintBudgetMs = 500;
} // namespace

void TfrmHost::CreateTrayMenu() {
    for (const TrayMenuItem& item : kTrayMenu)
        pmnTray.Add(item.name, item.caption);
    pmnTray.Find(L"mniExit")->OnClick = [this](TMenuItem&) { mniExitClick(); };
    pmnTray.Find(L"mniPreferences")->OnClick = [this](TMenuItem&) { mniPreferencesClick(); };
    pmnTray.Find(L"mniAbout")->OnClick = [this](TMenuItem&) { mniAboutClick(); };
    for (int tool = 0; tool < kToolCount; ++tool)
        pmnTray.Add(kTools[tool].MenuItem, kTools[tool].MenuCaption, tool).OnClick =
            [this](TMenuItem& sender) { mniStartClick(sender); };
    pmnTray.OnPopup = [this](TPopupMenu& sender) { pmnTrayPopup(sender); };
    // A copy of the screen costs megabytes: it lives only while the menu does.
    pmnTray.OnClose = [this](TPopupMenu&) { screenBeforeTrayMenu_.reset(); };
}

void TfrmHost::pmnTrayPopup(TPopupMenu&) {
    // Only the menu path pays for this copy: a tool started from the menu
    // must not freeze the menu, and this is the screen without it.
    GuardedCall([this] { screenBeforeTrayMenu_ = std::make_unique<TScreenBefore>(); });
    // The tools and the dialogs wait while a dialog is open; "E&xit" always works.
    for (const auto& item : pmnTray.Items())
        if (item->Name != L"mniExit") item->Enabled = ToolsEnabled;
    // Shown only: the hot keys act through their global registration.
    for (int tool = 0; tool < kToolCount; ++tool)
        pmnTray.Find(kTools[tool].MenuItem)->ShortCut = Settings.*kTools[tool].HotKey;
}

TScreenRect TfrmHost::WaitForTrayMenuToLeaveTheScreen() {
    const ULONGLONG deadline = GetTickCount64() + kMenuRepaintBudgetMs;
    // First the programs' own repaints, then the pixels themselves: a
    // program may paint what the menu covered on another thread or later.
    WaitForOtherProgramsToRepaint(kMenuRepaintBudgetMs);
    if (!screenBeforeTrayMenu_) return {};
    // Only where the menu was: a tooltip or a highlight elsewhere is no
    // reason to wait.
    TScreenRect covered = pmnTray.ShownRect();
    if (covered.Empty()) covered = screenBeforeTrayMenu_->ChangedArea();
    const ULONGLONG now = GetTickCount64();
    if (now < deadline)
        screenBeforeTrayMenu_->WaitUntilUncovered(covered, static_cast<DWORD>(deadline - now));
    return covered;
}

void TfrmHost::mniStartClick(TMenuItem& sender) {
    StartTool(sender.Tag, /*fromMenu=*/true);
}
