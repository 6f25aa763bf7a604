#include "framework/Canvas.h"

namespace {
int Rop2Of(TPenMode mode) {
    switch (mode) {
    case TPenMode::Xor:
        return R2_XORPEN;
    case TPenMode::Not:
        return R2_NOT;
    case TPenMode::Copy:
        break;
    }
    return R2_COPYPEN;
}

int PenStyleOf(TPenStyle style) {
    switch (style) {
    case TPenStyle::Dot:
        return PS_DOT;
    case TPenStyle::Clear:
        return PS_NULL;
    case TPenStyle::Solid:
        break;
    }
    return PS_SOLID;
}
} // namespace

void TCanvas::Attach(HDC dc) {
    Detach();
    dc_ = dc;
    if (!dc_) return;
    originalRop2_ = GetROP2(dc_);
    SelectPen();
    SelectBrush();
}

void TCanvas::Detach() {
    if (!dc_) return;
    if (originalPen_) SelectObject(dc_, originalPen_);
    if (originalBrush_) SelectObject(dc_, originalBrush_);
    if (originalRop2_) SetROP2(dc_, originalRop2_);
    originalPen_ = originalBrush_ = nullptr;
    dc_ = nullptr;
}

void TCanvas::SetPen(COLORREF color, TPenMode mode, TPenStyle style) {
    penColor_ = color;
    penMode_ = mode;
    penStyle_ = style;
    SelectPen();
}

void TCanvas::SetBrush(COLORREF color, TBrushStyle style) {
    brushColor_ = color;
    brushStyle_ = style;
    SelectBrush();
}

void TCanvas::SelectPen() {
    UniquePen pen(CreatePen(PenStyleOf(penStyle_), 1, penColor_));
    if (dc_) {
        HGDIOBJ previous = SelectObject(dc_, pen.get());
        if (!originalPen_) originalPen_ = previous;
        SetROP2(dc_, Rop2Of(penMode_));
        // Dotted lines leave their gaps alone instead of filling them.
        SetBkMode(dc_, TRANSPARENT);
    }
    pen_ = std::move(pen);
}

void TCanvas::SelectBrush() {
    UniqueBrush brush;
    if (brushStyle_ == TBrushStyle::Solid) brush.reset(CreateSolidBrush(brushColor_));
    HGDIOBJ selected = brush ? static_cast<HGDIOBJ>(brush.get()) : GetStockObject(NULL_BRUSH);
    if (dc_) {
        HGDIOBJ previous = SelectObject(dc_, selected);
        if (!originalBrush_) originalBrush_ = previous;
    }
    brush_ = std::move(brush);
}

void TCanvas::CopyFrom(const RECT& dest, HDC source, int sourceX, int sourceY) {
    BitBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source,
           sourceX, sourceY, SRCCOPY);
}

void TCanvas::StretchFrom(const RECT& dest, HDC source, const RECT& s) {
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source,
               s.left, s.top, s.right - s.left, s.bottom - s.top, SRCCOPY);
}

void TCanvas::FillRect(const RECT& r, COLORREF color) {
    UniqueBrush brush(CreateSolidBrush(color));
    ::FillRect(dc_, &r, brush.get());
}

void TCanvas::Rectangle(const RECT& r) {
    ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    ::LineTo(dc_, x, y);
}
