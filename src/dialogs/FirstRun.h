// The welcome dialog of a first start: what the tray icon is and that each
// tool can have an icon of its own.
#pragma once

#include "framework/Dialog.h"

class TfrmFirstRun : public TDialog {
public:
    TfrmFirstRun();

protected:
    void FormCreate() override;
};

// Shows the dialog modally and returns when the user has closed it.
void ShowFirstRun();
