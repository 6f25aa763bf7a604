// The texts of the Dropper's colour rows of the information panel, from the
// swatch row to the HTML colour row, for one pixel.
#pragma once

#include "info/ColorModels.h"

#include <array>
#include <string>

// Panel row of the first colour text; the others follow in order.
constexpr int FirstColorRow = 11;
constexpr int ColorRowCount = 7;

// Rows 11 to 17: the colour value in decimal (the panel paints it as a swatch),
// "R  G  B", RGB hex digits, "H  S  B", "C  M  Y", "C  M  Y  K" and the HTML colour.
std::array<std::wstring, ColorRowCount> ColorRowTexts(TColorValue color);
// The HTML colour row's text of a colour, "#FF8000": how a remembered colour
// is named where it is offered again.
std::wstring HtmlColorText(TColorValue color);
