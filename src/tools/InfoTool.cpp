#include "tools/InfoTool.h"
#include "framework/Input.h"
#include "shell/Settings.h"
#include "tools/ToolActivation.h"

std::wstring PairText(int64_t x, int64_t y) {
    return L"x: " + std::to_wstring(x) + L"\t y: " + std::to_wstring(y);
}

void TInfoTool::MouseMove(TShiftState) {
    const POINT cursor = CursorPosition();
    ShowCursorPosition(cursor);
    FollowCursor(cursor);
    UpdateZoom(cursor);
}

void TInfoTool::SetInfoValue(TInfoRow row, std::wstring_view text) {
    if (TInfoWin* panel = Activation.Panel()) panel->SetInfoValue(row, text);
}

void TInfoTool::ShowCursorPosition(POINT cursor) {
    SetInfoValue(irCursorPosition, PairText(cursor.x, cursor.y));
}

void TInfoTool::UpdateZoom(POINT cursor) {
    if (TInfoWin* panel = Activation.Panel())
        panel->UpdateZoom(cursor.x, cursor.y, Activation.Canvas().Handle(), Activation.ScreenSize(),
                          Settings.InfoScale);
}

void TInfoTool::MenuCommand(TToolCommand command) {
    if (command != TToolCommand::ShowHideInfo) return TTool::MenuCommand(command);
    // mniShoHideInfoClick
    TInfoWin* panel = Activation.Panel();
    if (!panel) return;
    if (panel->Visible())
        panel->Hide();
    else
        panel->Show();
}

bool TInfoTool::InfoShown() const {
    const TInfoWin* panel = Activation.Panel();
    return panel && panel->Visible();
}
