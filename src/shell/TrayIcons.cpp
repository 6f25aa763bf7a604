// The tray icons of the host form. The notification-area component they stand
// on comes with the tray work; until then the program has no tray icons and is
// reached through its hot keys.
#include "shell/Host.h"

void TfrmHost::UpdateTrayIconVisibility() {}

void TfrmHost::SetToolIcons(TIconState, unsigned) {}
