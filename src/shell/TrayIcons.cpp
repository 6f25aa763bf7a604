// The host form's five tray icons: the main icon and one per tool, which of
// them show, and the images that tell whether a tool runs.
#include "framework/Application.h"
#include "shell/Host.h"
#include "shell/Settings.h"

bool ToolsEnabled = true;

namespace {

// Entry index of a list, or nullptr when the list has no such entry (its
// images could not be read at start).
const TIcon* ListEntry(TIconList& list, int index) {
    return index < list.Count() ? list.Items(index) : nullptr;
}

void ShowListEntry(TTrayIcon& icon, TIconList& list, int index) {
    if (const TIcon* entry = ListEntry(list, index))
        icon.SetIcon(*entry);
    else
        icon.Icon().Clear();
}
} // namespace

void TfrmHost::CreateTrayIcons() {
    // All five stay out of the tray until UpdateTrayIconVisibility decides.
    xtiMain.SetActive(false);
    xtiMain.Tag = kNoTool;
    xtiMain.SetPopupMenu(&pmnTray);
    xtiMain.OnClick = [this](TTrayIcon& sender, TMouseButton button, TShiftState shift, int x,
                             int y) { xtiMainClick(sender, button, shift, x, y); };
    xtiMain.Loaded();
    for (int tool = 0; tool < kToolCount; ++tool) {
        TTrayIcon& icon = ToolIcon(tool);
        icon.SetActive(false);
        icon.Tag = tool;
        icon.SetHint(kTools[tool].Name);
        icon.SetPopupMenu(&pmnTray);
        icon.OnMouseUp = [this](TTrayIcon& sender, TMouseButton button, TShiftState shift, int x,
                                int y) { xtiMouseUp(sender, button, shift, x, y); };
        // A list that cannot be read is reported; that tool's icon then has
        // no image and stays out of the tray, and the rest of the program works.
        GuardedCall([&] {
            icon.Icons().LoadFromResource(Application.Instance(), kTools[tool].TrayImages);
        });
        icon.Loaded();
    }
}

void TfrmHost::UpdateTrayIconVisibility() {
    for (int tool = 0; tool < kToolCount; ++tool)
        ToolIcon(tool).SetActive((Settings.TrayIconMask & ToolBit(tool)) != 0);
    // There is always an icon to reach the program by.
    xtiMain.SetActive((Settings.TrayIconMask & kAllTools) == 0);
}

void TfrmHost::SetToolIcons(TIconState state, unsigned tools) {
    for (int tool = 0; tool < kToolCount; ++tool)
        if (tools & ToolBit(tool)) ShowListEntry(ToolIcon(tool), ToolIcon(tool).Icons(), state);

    // The running tool's images go through SetRunningToolIcons.
    xtiMain.SetIcon(ApplicationIcon);
}

void TfrmHost::SetRunningToolIcons(int running) {
    // Each icon changes once, straight to its image: a shell may drop the
    // second of two quick changes to one icon.
    for (int tool = 0; tool < kToolCount; ++tool)
        ShowListEntry(ToolIcon(tool), ToolIcon(tool).Icons(),
                      tool == running ? IconActive : IconUnavailable);
    ShowListEntry(xtiMain, ToolIcon(running).Icons(), IconActive);
}

void TfrmHost::xtiMouseUp(TTrayIcon& sender, TMouseButton button, TShiftState, int, int) {
    // The right button opens the menu through the icon itself.
    if (button != TMouseButton::mbLeft) return;
    if (ToolsEnabled)
        StartTool(sender.Tag);
    else
        MessageBeep(MB_OK);
}

void TfrmHost::xtiMainClick(TTrayIcon&, TMouseButton, TShiftState, int x, int y) {
    xtiMain.PopupAt(x, y);
}
