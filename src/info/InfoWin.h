// The floating information panel of the Screenshot tool, the Measurer and the
// Dropper: a child window of the host form that exists only during their
// activations. The activation owns it.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/Form.h"
#include "framework/Hints.h"
#include "framework/Label.h"
#include "framework/Menu.h"
#include "info/ColorNotations.h"
#include "info/InfoGeometry.h"
#include "info/InfoRows.h"
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

// The control of the panel its menu was opened on, as far as the menu cares.
enum class TInfoTarget { Panel, ZoomView, ValueCell };

// What the panel hands to whoever made it.
struct TInfoWinEvents {
    // Every mouse move over the panel and its controls, to a point of the screen.
    std::function<void(TScreenPoint at)> MouseMove;
    // Runs the panel's menu; the menu's commands run before it returns.
    std::function<void(const std::function<void()>& menu)> RunMenu;
    // What the rows show changed its rule (a choice of the menu).
    std::function<void()> Refresh;
};

class TInfoWin {
public:
    // Shows the panel at once over `host` with the rows of `rowMask`. `menu`
    // (the host's pmnInfoWin) opens on a right click, through
    // `events.RunMenu`. Made at `dpi`, the scaling of the monitor it opens
    // on; 0 for the system's.
    TInfoWin(TForm& host, TPopupMenu& menu, TInfoWinEvents events, uint32_t rowMask, int dpi = 0);
    ~TInfoWin();
    TInfoWin(const TInfoWin&) = delete;
    TInfoWin& operator=(const TInfoWin&) = delete;

    void SetInfoRows(uint32_t rowMask);
    // Row 11 takes the decimal text of a colour value and shows that colour;
    // the others show the text. Hidden rows are written like visible ones.
    void SetInfoValue(TInfoRow row, std::wstring_view text);
    // Redraws the zoom view: the area around `at` of `source` (the host's
    // own DC: the frozen picture with the tool's marks) enlarged `scale`
    // times, white beyond an overlay of `overlay` pixels, with a frame
    // around the frameSide x frameSide square at `at` when that is more
    // than 1.
    void UpdateZoom(TOverlayPoint at, HDC source, SIZE overlay, int scale, int frameSide = 1);
    // Puts the panel at a position pulled back onto the monitors
    // (InfoPanelPlace). `overlayOrigin` is where the overlay the panel
    // lies on begins.
    void SetPosition(TScreenPoint topLeft, const std::vector<TScreenRect>& monitors,
                     TScreenPoint overlayOrigin);
    // As stored.
    TScreenPoint GetPosition() const;
    // Takes the scaling of the monitor the panel lies on; true when it changed.
    bool FollowMonitorScaling();

    // The panel shows a colour (the Dropper's rows).
    bool ShowsColor() const { return (rowMask_ >> irColor) & 1; }
    // After a choice of the menu that changes what the rows show: they show
    // it at once, where the pointer is.
    void FollowPointer() { events_.Refresh(); }

    bool Visible() const;
    void Show();
    void Hide();

    // What the panel's menu was opened on last; the copy command copies that
    // value cell's text.
    TInfoTarget MenuTarget() const { return menuTarget_; }
    void CopyMenuValue();
    // The menu's "Copy as": the colour the rows show (row 11's), worked out
    // in that notation now, to the clipboard.
    void CopyMenuColorAs(TColorNotation notation);
    // The panel's own window, for tests and benchmarks.
    HWND Handle() const { return panel_->Handle(); }

private:
    void CreateCells();
    void LayoutCloseButton();
    // Fonts and sizes at `dpi`: when made, and when the panel comes to lie
    // on a monitor of another scaling.
    void ApplyDpi(int dpi);
    void LayoutContent();
    void LayoutCells(TControl& column, std::array<std::unique_ptr<TLabel>, kInfoRowCount>& cells);
    void PlaceWindow();
    bool PanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void PanelPaint(HDC dc);
    void ZoomViewPaint(HDC dc);
    // The zoom view's picture as UpdateZoom was last asked for it, drawn on `dc`.
    void DrawZoom(HDC dc) const;
    void OpenMenu(TInfoTarget target, HWND control, LPARAM at);
    void CloseButtonClick();
    void CopyValueClick(TInfoRow row);
    void CopyText(HWND cell);

    TPopupMenu& menu_;
    TInfoWinEvents events_;
    int dpi_;
    int smallCaption_ = 0; // SM_CYSMCAPTION when the panel was made, at its DPI
    int rowHeight_ = 0;    // one text line of the message font
    uint32_t rowMask_ = 0;
    TScreenPoint position_{};
    TScreenPoint overlayOrigin_{};
    bool dragging_ = false;
    POINT dragOrigin_{};
    TInfoTarget menuTarget_ = TInfoTarget::Panel;
    std::optional<TColorValue> shownColor_; // row 11's colour, once written
    bool textSyncPending_ = false;
    HWND menuControl_ = nullptr;

    UniqueFont messageFont_;
    UniqueFont closeFont_;
    UniqueBrush crosshairBrush_;
    // What the zoom view shows, to draw it again when the view is uncovered.
    struct TZoomShown {
        TOverlayPoint at;
        HDC source;
        SIZE overlay;
        int scale;
        int frameSide;
    };
    std::optional<TZoomShown> zoomShown_;
    SIZE zoomSize_{};
    // Goes last: the controls tell it of their mouse messages.
    std::unique_ptr<THints> hints_;
    // Parents before their children, so the children's objects go first.
    std::unique_ptr<TControl> panel_;
    std::unique_ptr<TControl> closeButton_;
    std::unique_ptr<TControl> content_;
    std::unique_ptr<TControl> zoomView_;
    std::unique_ptr<TControl> captionColumn_;
    std::unique_ptr<TControl> valueColumn_;
    std::array<std::unique_ptr<TLabel>, kInfoRowCount> captions_;
    std::array<std::unique_ptr<TLabel>, kInfoRowCount> values_;
};

// Fills the panel's popup menu (owned by the host for the life of the
// program) with its items and handlers. `panel` gives the panel that exists
// now, or nullptr; `marked` says whether the running tool holds something the
// panel's Copy command may copy.
void BuildInfoWinMenu(TPopupMenu& pmnInfoWin, std::function<TInfoWin*()> panel,
                      std::function<bool()> marked);
