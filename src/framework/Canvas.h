// A drawing surface over a device context it does not own: pen (colour, mix
// mode, style) and brush (colour, style) are created when they change and
// selected into the DC; the DC's own objects are put back when the canvas goes.
#pragma once

#include "framework/Handle.h"
#include <cstdint>

enum class TPenMode { Copy, Xor, Not };
enum class TPenStyle { Solid, Dot, Clear };
enum class TBrushStyle { Solid, Clear };

constexpr COLORREF clBlack = RGB(0, 0, 0);
constexpr COLORREF clWhite = RGB(255, 255, 255);
constexpr COLORREF clSilver = RGB(0xC0, 0xC0, 0xC0);

class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) { Attach(dc); }
    ~TCanvas() { Detach(); }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    void Attach(HDC dc);
    // Puts the DC's original pen and brush back and forgets the DC.
    void Detach();
    HDC Handle() const { return dc_; }

    COLORREF PenColor() const { return penColor_; }
    TPenMode PenMode() const { return penMode_; }
    TPenStyle PenStyle() const { return penStyle_; }
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetPen(COLORREF color, TPenMode mode, TPenStyle style);
    void SetBrush(COLORREF color, TBrushStyle style);

    // Pixel-for-pixel copy of a source rectangle to the same size here.
    void CopyFrom(const RECT& dest, HDC source, int sourceX, int sourceY);
    // Nearest-neighbour scaling of a source rectangle into a destination one.
    void StretchFrom(const RECT& dest, HDC source, const RECT& sourceRect);
    void FillRect(const RECT& r, COLORREF color);
    // Outline with the pen and filling with the brush, right and bottom exclusive.
    void Rectangle(const RECT& r);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

private:
    void SelectPen();
    void SelectBrush();

    HDC dc_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    int originalRop2_ = 0;
    UniquePen pen_;
    UniqueBrush brush_;
    COLORREF penColor_ = clBlack;
    TPenMode penMode_ = TPenMode::Copy;
    TPenStyle penStyle_ = TPenStyle::Solid;
    COLORREF brushColor_ = clWhite;
    TBrushStyle brushStyle_ = TBrushStyle::Solid;
};
