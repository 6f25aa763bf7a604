// Until the clipboard and file export are built, the Screenshot tool's copy
// and save commands leave the clipboard and the disk alone.
#include "export/ScreenExport.h"

void CopyScreenRect(const TBitmap&, const TToolRect&) {}

void SaveScreenRect(const TBitmap&, const TToolRect&) {}
