#include "tools/Magnifier.h"
#include "shell/Host.h"

void RefreshLens() {
    if (!frmHost || !frmHost->ToolActive) return;
}
