#include "tools/InfoTool.h"
#include "tools/PanelTool.h"
#include "tools/ToolActivation.h"

void TInfoTool::MouseMove(TShiftState) {
    if (TInfoWin* panel = Activation.Panel())
        ShowCursorOnPanel(*panel, Activation.Canvas().Handle(), Activation.ScreenSize());
}

void TInfoTool::MenuCommand(TToolCommand command) {
    if (command != TToolCommand::ShowHideInfo) return TTool::MenuCommand(command);
    mniShoHideInfoClick(Activation.Panel());
}

bool TInfoTool::InfoShown() const {
    const TInfoWin* panel = Activation.Panel();
    return panel && panel->Visible();
}
