// The information panel's part in the three tools that show it.
#include "tools/PanelTool.h"
#include "info/ValueText.h"
#include "shell/Settings.h"

namespace {
constexpr wchar_t kCursorFormat[] = L"x: %d\t y: %d";
} // namespace

void ShowCursorOnPanel(TInfoWin& panel, HDC overlay, SIZE screen) {
    POINT p{};
    GetCursorPos(&p);
    panel.SetInfoValue(irCursorPosition, FormatValue(kCursorFormat, {p.x, p.y}));
    // The panel guards the stored factor itself: any value draws something.
    panel.UpdateZoom(p.x, p.y, overlay, screen, Settings.InfoScale);
}

void mniShoHideInfoClick(TInfoWin* panel) {
    if (!panel) return;
    if (panel->Visible())
        panel->Hide();
    else
        panel->Show();
}
