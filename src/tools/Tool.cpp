#include "tools/Tool.h"
#include "tools/ToolActivation.h"

void TTool::KeyDown(WORD& key, TShiftState) {
    if (key != VK_ESCAPE) return;
    key = 0;
    Activation.End();
}

void TTool::MenuCommand(TToolCommand command) {
    if (command == TToolCommand::Close) Activation.End();
}
