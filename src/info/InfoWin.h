// The floating information panel of the Screenshot tool, the Measurer and the
// Dropper: a child window of the host form that exists only during their
// activations. The activation owns it.
#pragma once

#include "framework/Form.h"
#include "framework/Menu.h"
#include "info/InfoRows.h"
#include <functional>
#include <string_view>

class TInfoWin {
public:
    // Shows the panel at once over `host` with the rows of `rowMask`. `menu`
    // (the host's pmnInfoWin) opens on a right click; every mouse move over
    // the panel and its controls runs `mouseMove`.
    TInfoWin(TForm& host, TPopupMenu& menu, std::function<void()> mouseMove, uint32_t rowMask);
    ~TInfoWin();
    TInfoWin(const TInfoWin&) = delete;
    TInfoWin& operator=(const TInfoWin&) = delete;

    void SetInfoRows(uint32_t rowMask);
    // Row 11 takes the decimal text of a colour value and shows that colour;
    // the others show the text. Hidden rows are written like visible ones.
    void SetInfoValue(TInfoRow row, std::wstring_view text);
    // Redraws the zoom view: the area around (x, y) of `source` (the host's
    // own DC: the frozen picture with the tool's marks) enlarged `scale`
    // times, white beyond a screen of `screen` pixels.
    void UpdateZoom(int x, int y, HDC source, SIZE screen, int scale);
    // Pulled back so that at least 16 pixels stay on the screen at the right
    // and the bottom.
    void SetPosition(POINT topLeft, SIZE screen);
    POINT GetPosition() const;

    bool Visible() const;
    void Show();
    void Hide();

private:
    POINT position_{};
};

// Fills the panel's popup menu (owned by the host for the life of the
// program) with its items and handlers. `panel` gives the panel that exists
// now, or nullptr; `marked` says whether the running tool holds something the
// panel's Copy command may copy.
void BuildInfoWinMenu(TPopupMenu& pmnInfoWin, std::function<TInfoWin*()> panel,
                      std::function<bool()> marked);
