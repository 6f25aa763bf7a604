// The rows of the information panel, numbered as the tools write them, and
// the row masks that pick which rows a tool shows (bit n shows row n).
#pragma once

#include <cstdint>

enum TInfoRow : int {
    irCursorPosition = 0,
    irOffset = 1,
    irOffsetInch = 2,
    irOffsetMm = 3,
    irSelectionStart = 4,
    irSelectionEnd = 5,
    irSelectionSize = 6,
    irDistance = 7,
    irDistanceInch = 8,
    irDistanceMm = 9,
    irAngles = 10,
    irColor = 11,
    irRGB = 12,
    irRGBHex = 13,
    irHSB = 14,
    irCMY = 15,
    irCMYK = 16,
    irHTMLColor = 17,
};
constexpr int kInfoRowCount = 18;

constexpr uint32_t RowBit(TInfoRow row) {
    return 1u << row;
}

constexpr uint32_t kScreenshotRows =
    RowBit(irCursorPosition) | RowBit(irSelectionStart) | RowBit(irSelectionEnd) |
    RowBit(irSelectionSize);
constexpr uint32_t kMeasurerRows = RowBit(irCursorPosition) | RowBit(irOffset) |
                                   RowBit(irOffsetInch) | RowBit(irOffsetMm) |
                                   RowBit(irDistance) | RowBit(irDistanceInch) |
                                   RowBit(irDistanceMm) | RowBit(irAngles);
constexpr uint32_t kDropperRows = RowBit(irCursorPosition) | RowBit(irColor) | RowBit(irRGB) |
                                  RowBit(irRGBHex) | RowBit(irHSB) | RowBit(irCMY) |
                                  RowBit(irCMYK) | RowBit(irHTMLColor);
static_assert(kScreenshotRows == 113 && kMeasurerRows == 1935 && kDropperRows == 260097);
