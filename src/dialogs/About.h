// The About dialog: the product's name, version, owner and a link to its
// home page.
#pragma once

#include "framework/Dialog.h"

class TfrmAbout : public TDialog {
public:
    TfrmAbout();

protected:
    void FormCreate() override;
    void FormKeyDown(WORD& key) override;
    void Command(int id, int code) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void lblUrlClick();
};

// The address the home page link opens.
extern const wchar_t kHomePageAddress[];
