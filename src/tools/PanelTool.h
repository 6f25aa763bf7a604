// What the Screenshot tool, the Measurer and the Dropper share on the
// information panel: the cursor row and the zoom view on every mouse move,
// and the context menus' command that hides and shows the panel.
#pragma once

#include "info/InfoWin.h"

// Writes the cursor position (read from the system) into the cursor row and
// refreshes the zoom view from the overlay's own DC at the stored enlargement.
void ShowCursorOnPanel(TInfoWin& panel, HDC overlay, SIZE screen);

// The tools' "Hide &info"/"Show &info" item: flips the panel's visibility
// when there is a panel.
void mniShoHideInfoClick(TInfoWin* panel);
