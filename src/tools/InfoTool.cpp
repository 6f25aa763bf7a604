#include "tools/InfoTool.h"
#include "tools/ToolActivation.h"

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
