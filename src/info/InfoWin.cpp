// The information panel's window: its controls, fonts and layout, the rows,
// its place on the screen, dragging by the title band and its menu.
#include "info/InfoWin.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/Dpi.h"
#include "framework/GeometryWin.h"
#include <windowsx.h>

namespace {
constexpr wchar_t kPanelCaption[] = L"Information";
constexpr wchar_t kCloseHint[] = L"Close";
constexpr wchar_t kCopyHint[] = L"Click to copy";
// The close glyph of the Marlett symbol font.
constexpr wchar_t kCloseGlyph[] = L"r";
constexpr COLORREF kCloseButtonColor = RGB(212, 89, 71);
constexpr COLORREF kOutlineColor = RGB(211, 211, 211);
constexpr int kInitialPanelHeight = 100;
constexpr int kInitialPanelLeft = 8, kInitialPanelTop = 8;
constexpr UINT_PTR kTextSyncTimer = 1;
constexpr UINT kTextSyncMs = 50;

// Identifiers of the row cells, so other programs find a row's caption and
// value: caption of row n kCaptionCellId + n, value kValueCellId + n.
constexpr int kCaptionCellId = 100;
constexpr int kValueCellId = 200;

constexpr const wchar_t* kRowCaptions[kInfoRowCount] = {
    L"Cursor position",
    L"Offset",
    L"Offset (inch)",
    L"Offset (mm)",
    L"Selection start",
    L"Selection end",
    L"Selection size",
    L"Distance",
    L"Distance (inch)",
    L"Distance (mm)",
    L"Angles (\u00B0)",
    L"Color",
    L"RGB",
    L"RGB Hex",
    L"HSB",
    L"CMY",
    L"CMYK",
    L"HTML color",
};

// The colour rows whose values a click copies.
constexpr bool IsCopyableRow(int row) {
    return row >= irRGB && row <= irHTMLColor;
}

int LineHeight(HFONT font) {
    WindowDC screen(nullptr);
    SelectedObject selected(screen.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmHeight;
}

// Where the pointer was when the message being handled happened. A fast drag
// queues its press and moves before the first is handled; the pointer's
// position by then would lose the distance moved in between.
POINT MessageScreenPosition() {
    const DWORD at = GetMessagePos();
    return {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
}

// The decimal text of a colour value as the Dropper writes it; nothing for
// any other text.
bool ParseColorValue(std::wstring_view text, COLORREF& color) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + static_cast<uint64_t>(c - L'0');
    }
    color = static_cast<COLORREF>(value & 0xFFFFFF);
    return true;
}
} // namespace

TInfoWin::TInfoWin(TForm& host, TPopupMenu& menu, TInfoWinEvents events, uint32_t rowMask, int dpi)
    : menu_(menu), events_(std::move(events)), dpi_(dpi > 0 ? dpi : SystemDpi()) {
    // Hidden until its rows and size are set, so it never shows half made.
    panel_ = std::make_unique<TControl>(L"TInfoWin", host.Handle(), WS_CLIPCHILDREN);
    panel_->SetText(kPanelCaption);
    panel_->OnMessage = [this](UINT m, WPARAM w, LPARAM l, LRESULT& r) {
        return PanelMessage(m, w, l, r);
    };
    panel_->OnPaint = [this](HDC dc, const RECT&) { PanelPaint(dc); };

    hints_ = std::make_unique<THints>(panel_->Handle());
    closeButton_ = std::make_unique<TControl>(L"TPanel", panel_->Handle(), WS_VISIBLE);
    closeButton_->SetColor(kCloseButtonColor);
    closeButton_->SetText(kCloseGlyph, TTextLayout::Centre);
    closeButton_->OnClick = [this] { CloseButtonClick(); };
    hints_->Add(*closeButton_, closeButton_->Handle(), kCloseHint);

    content_ =
        std::make_unique<TControl>(L"TPanel", panel_->Handle(), WS_VISIBLE | WS_CLIPCHILDREN);
    SetWindowPos(panel_->Handle(), nullptr, kInitialPanelLeft, kInitialPanelTop, 0,
                 kInitialPanelHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    position_ = {kInitialPanelLeft, kInitialPanelTop};

    // A plain one-pixel border: the zoom view's client area is its picture.
    zoomView_ = std::make_unique<TControl>(L"TDrawPanel", content_->Handle(),
                                           WS_VISIBLE | WS_BORDER, 0, /*ownDC=*/true);
    zoomView_->OnPaint = [this](HDC dc, const RECT&) { ZoomViewPaint(dc); };
    crosshairBrush_.reset(CreateSolidBrush(clSilver));
    captionColumn_ = std::make_unique<TControl>(L"TPanel", content_->Handle(), WS_VISIBLE);
    // Its own DC: the values, written on every mouse move, show at once.
    valueColumn_ = std::make_unique<TControl>(L"TInfoValues", content_->Handle(), WS_VISIBLE, 0,
                                              /*ownDC=*/true);
    CreateCells();

    // Mouse moves over any part of the panel reach the host; right clicks
    // open the panel's menu for the panel, except where the menu has
    // something of its own to offer.
    for (TControl* c : {panel_.get(), closeButton_.get(), content_.get(), zoomView_.get(),
                        captionColumn_.get(), valueColumn_.get()}) {
        if (c != panel_.get()) c->OnMouseMove = [this](TScreenPoint at) { events_.MouseMove(at); };
        HWND handle = c->Handle();
        const TInfoTarget target =
            c == zoomView_.get() ? TInfoTarget::ZoomView : TInfoTarget::Panel;
        c->OnContextMenu = [this, target, handle](LPARAM at) { OpenMenu(target, handle, at); };
    }

    rowMask_ = rowMask;
    ApplyDpi(dpi_);
    ShowWindow(panel_->Handle(), SW_SHOWNA);
}

bool TInfoWin::FollowMonitorScaling() {
    RECT r{};
    GetWindowRect(panel_->Handle(), &r);
    const int dpi =
        DpiAt(TScreenPoint{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2});
    if (dpi == dpi_) return false;
    ApplyDpi(dpi);
    return true;
}

void TInfoWin::ApplyDpi(int dpi) {
    dpi_ = dpi;
    const LOGFONTW message = SystemFontsAt(dpi).message;
    UniqueFont messageFont(CreateFontIndirectW(&message));
    rowHeight_ = LineHeight(messageFont.get());
    smallCaption_ = SystemMetricAt(SM_CYSMCAPTION, dpi);
    const int width = InfoPanelWidth(dpi, message.lfHeight, DefaultFontHeight(dpi));
    RECT r{};
    GetWindowRect(panel_->Handle(), &r);
    SetWindowPos(panel_->Handle(), nullptr, 0, 0, width, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutCloseButton(); // also when the width stayed
    LOGFONTW glyph{};
    glyph.lfHeight = -closeButton_->ClientHeight() / 2;
    glyph.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(glyph.lfFaceName, L"Marlett");
    UniqueFont closeFont(CreateFontIndirectW(&glyph));
    closeButton_->SetFont(closeFont.get(), clWhite);
    for (int row = 0; row < kInfoRowCount; ++row)
        for (TLabel* cell : {captions_[row].get(), values_[row].get()})
            cell->SetFont(messageFont.get());
    // The old fonts go once no control draws with them.
    messageFont_ = std::move(messageFont);
    closeFont_ = std::move(closeFont);
    SetInfoRows(rowMask_);
}

TInfoWin::~TInfoWin() {
    // Let go of the mouse first: a capture held by a window about to go
    // would leave the host deaf until the next click.
    if (dragging_) ReleaseCapture();
}

void TInfoWin::CreateCells() {
    for (int row = 0; row < kInfoRowCount; ++row) {
        auto caption = std::make_unique<TLabel>(captionColumn_->Handle(), kRowCaptions[row],
                                                kCaptionCellId + row);
        auto value = std::make_unique<TLabel>(valueColumn_->Handle(), L"", kValueCellId + row,
                                              valueColumn_->DC());
        for (TLabel* cell : {caption.get(), value.get()})
            cell->OnMouseMove = [this](TScreenPoint at) { events_.MouseMove(at); };
        HWND captionHandle = caption->Handle(), valueHandle = value->Handle();
        caption->OnContextMenu = [this, captionHandle](LPARAM at) {
            OpenMenu(TInfoTarget::Panel, captionHandle, at);
        };
        if (IsCopyableRow(row)) {
            value->Cursor = crHandPoint;
            value->OnClick = [this, row] { CopyValueClick(static_cast<TInfoRow>(row)); };
            value->OnContextMenu = [this, valueHandle](LPARAM at) {
                OpenMenu(TInfoTarget::ValueCell, valueHandle, at);
            };
            hints_->Add(*value, valueHandle, kCopyHint);
        } else {
            value->OnContextMenu = [this, valueHandle](LPARAM at) {
                OpenMenu(TInfoTarget::Panel, valueHandle, at);
            };
        }
        captions_[row] = std::move(caption);
        values_[row] = std::move(value);
    }
}

void TInfoWin::SetInfoRows(uint32_t rowMask) {
    rowMask_ = rowMask;
    for (int row = 0; row < kInfoRowCount; ++row) {
        const bool shown = (rowMask >> row) & 1;
        captions_[row]->SetVisible(shown);
        values_[row]->SetVisible(shown);
    }
    LayoutContent(); // the zoom view's height follows the width alone
    const RECT zoom = zoomView_->BoundsRect();
    const int height = InfoPanelHeight(rowMask, smallCaption_, zoom.bottom - zoom.top, rowHeight_);
    RECT r{};
    GetWindowRect(panel_->Handle(), &r);
    SetWindowPos(panel_->Handle(), nullptr, 0, 0, r.right - r.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The same height again brings no resize, and the rows still need placing.
    LayoutContent();
}

void TInfoWin::LayoutCloseButton() {
    if (!closeButton_) return;
    const TRect r = CloseButtonRect(panel_->ClientWidth(), smallCaption_);
    closeButton_->SetBounds(r);
}

void TInfoWin::LayoutContent() {
    if (!valueColumn_) return; // still being made
    const TInfoLayout l =
        ::LayoutContent(panel_->ClientWidth(), panel_->ClientHeight(), smallCaption_);
    content_->SetBounds(l.content);
    zoomView_->SetBounds(l.zoomView);
    captionColumn_->SetBounds(l.captionColumn);
    valueColumn_->SetBounds(l.valueColumn);
    zoomSize_ = {std::max(0, l.zoomWidth), std::max(0, l.zoomHeight)};
    LayoutCells(*captionColumn_, captions_);
    LayoutCells(*valueColumn_, values_);
}

// Visible rows stack from the top of their column inside its border, one
// text line each, in row order; hidden rows take no room.
void TInfoWin::LayoutCells(TControl& column,
                           std::array<std::unique_ptr<TLabel>, kInfoRowCount>& cells) {
    const int width = std::max(0, column.ClientWidth() - 2 * kInfoBorderWidth);
    int y = kInfoBorderWidth;
    for (int row = 0; row < kInfoRowCount; ++row) {
        if (!cells[row] || !((rowMask_ >> row) & 1)) continue;
        cells[row]->SetBounds({kInfoBorderWidth, y, kInfoBorderWidth + width, y + rowHeight_});
        y += rowHeight_;
    }
}

void TInfoWin::SetInfoValue(TInfoRow row, std::wstring_view text) {
    if (row < 0 || row >= kInfoRowCount) return;
    TLabel& cell = *values_[row];
    if (row == irColor) {
        COLORREF color = 0;
        if (ParseColorValue(text, color)) {
            cell.SetColor(color);
            shownColor_ = static_cast<TColorValue>(color);
        }
        return;
    }
    if (cell.Text() == text) return;
    cell.SetText(std::wstring(text));
    // Other programs (a screen reader) read the window's own copy: it
    // follows within a moment, once for however many moves came.
    if (!textSyncPending_)
        textSyncPending_ = SetTimer(panel_->Handle(), kTextSyncTimer, kTextSyncMs, nullptr) != 0;
}

void TInfoWin::SetPosition(TScreenPoint topLeft, const std::vector<TScreenRect>& monitors,
                           TScreenPoint overlayOrigin) {
    RECT r{};
    GetWindowRect(panel_->Handle(), &r);
    overlayOrigin_ = overlayOrigin;
    position_ = InfoPanelPlace(topLeft, r.right - r.left, r.bottom - r.top, monitors);
    PlaceWindow();
}

TScreenPoint TInfoWin::GetPosition() const {
    return position_;
}

// The window goes where the position says, within a range the window system's
// own arithmetic (left plus width) cannot overflow; a position that far off
// is off the screen either way, and it is kept as it is for saving.
void TInfoWin::PlaceWindow() {
    const TScreenPoint at = PlaceableInfoPosition(position_);
    // The panel is a child of the overlay: placed in its coordinates.
    SetWindowPos(panel_->Handle(), nullptr, at.x - overlayOrigin_.x, at.y - overlayOrigin_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TInfoWin::Visible() const {
    return IsWindowVisible(panel_->Handle()) != FALSE;
}

void TInfoWin::Show() {
    ShowWindow(panel_->Handle(), SW_SHOWNA);
}

void TInfoWin::Hide() {
    ShowWindow(panel_->Handle(), SW_HIDE);
}

void TInfoWin::CloseButtonClick() {
    Hide();
}

void TInfoWin::CopyValueClick(TInfoRow row) {
    CopyText(values_[row]->Handle());
}

void TInfoWin::CopyMenuValue() {
    if (menuTarget_ == TInfoTarget::ValueCell) CopyText(menuControl_);
}

void TInfoWin::CopyMenuColorAs(TColorNotation notation) {
    if (menuTarget_ == TInfoTarget::ValueCell && shownColor_)
        ClipboardSetText(panel_->Handle(), NotationText(*shownColor_, notation));
}

void TInfoWin::CopyText(HWND cell) {
    TLabel* label = TLabel::FromHandle(cell);
    if (label) ClipboardSetText(panel_->Handle(), label->Text());
}

void TInfoWin::OpenMenu(TInfoTarget target, HWND control, LPARAM at) {
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (p.x == -1 && p.y == -1) GetCursorPos(&p); // from the keyboard
    menuTarget_ = target;
    menuControl_ = control;
    menu_.PopupComponent = this;
    events_.RunMenu([&] { menu_.Popup(p.x, p.y); });
}

bool TInfoWin::PanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_SIZE:
        LayoutCloseButton();
        LayoutContent();
        return true;
    case WM_LBUTTONDOWN: {
        const TRect band = DragBand(panel_->ClientWidth(), panel_->ClientHeight(), smallCaption_);
        dragging_ = InDragBand(band, x, y);
        if (!dragging_) return false;
        dragOrigin_ = MessageScreenPosition();
        SetCapture(panel_->Handle());
        return true;
    }
    case WM_MOUSEMOVE: {
        if (!dragging_) {
            POINT at{x, y};
            ClientToScreen(panel_->Handle(), &at);
            events_.MouseMove({at.x, at.y});
            return true;
        }
        const POINT p = MessageScreenPosition();
        position_ =
            MoveInfoPosition(position_, int64_t{p.x} - dragOrigin_.x, int64_t{p.y} - dragOrigin_.y);
        dragOrigin_ = p;
        PlaceWindow();
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!dragging_) return false;
        dragging_ = false;
        ReleaseCapture();
        FollowMonitorScaling();
        return true;
    case WM_CAPTURECHANGED:
        dragging_ = false; // the system took the mouse away
        return false;
    case WM_TIMER:
        if (wParam != kTextSyncTimer) return false;
        KillTimer(panel_->Handle(), kTextSyncTimer);
        textSyncPending_ = false;
        for (const auto& cell : values_)
            cell->SyncWindowText();
        return true;
    default:
        return false;
    }
}

void TInfoWin::PanelPaint(HDC dc) {
    RECT client{};
    GetClientRect(panel_->Handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        UniquePen outline(CreatePen(PS_SOLID, 1, kOutlineColor));
        SelectedObject pen(dc, outline.get());
        SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 0, 0, client.right, client.bottom);
    }
    const TRect t = TitleBand(client.right, client.bottom, smallCaption_);
    RECT band = ToRECT(t);
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    band.left += 2;
    // The caption font follows the system's settings as they are now.
    const LOGFONTW caption = SystemFontsAt(dpi_).caption;
    UniqueFont captionFont(CreateFontIndirectW(&caption));
    SelectedObject font(dc, captionFont.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawTextW(dc, kPanelCaption, -1, &band, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}
