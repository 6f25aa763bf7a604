// What the Screenshot tool, the Measurer and the Dropper share: the
// information panel, its place in their context menus, and the panel rows
// that follow the cursor.
#pragma once

#include "tools/Tool.h"

class TInfoTool : public TTool {
public:
    using TTool::TTool;
    void MouseMove(TShiftState shift) override;
    void MenuCommand(TToolCommand command) override;
    bool InfoShown() const override;
};
