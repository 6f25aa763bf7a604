// The tools, one row each, with everything the rest of the program keeps per
// tool: its name, tray images, menu item, hot key, cursor, pen and brush on
// the overlay, context menu, information panel rows and stored panel place,
// and how to make it. Adding a tool means a row here and its own files.
#pragma once

#include "framework/Canvas.h"
#include "framework/ShortCut.h"
#include "shell/Settings.h"
#include "tools/Tool.h"
#include <memory>
#include <span>

// Tool identifiers are the rows' indices; tray icons and menu items carry
// them as tags, hot keys as their registration identifiers. -1 is the main
// tray icon's tag and starts nothing.
enum : int { kNoTool = -1, kMagnifier = 0, kScreenshot = 1, kMeasurer = 2, kDropper = 3 };
constexpr int kToolCount = 4;
constexpr unsigned kAllTools = (1u << kToolCount) - 1;
constexpr unsigned ToolBit(int tool) {
    return 1u << tool;
}
constexpr bool IsTool(int tool) {
    return tool >= 0 && tool < kToolCount;
}

// The overlay keeps the pointer it had; the tool chooses its own.
constexpr int kToolChoosesCursor = 0x7FFF;

struct TToolMenuItem {
    const wchar_t* name;
    const wchar_t* caption; // "-" for a separator
    TShortCut shortCut = 0;
    TToolCommand command = TToolCommand::None;
};

struct TToolInfo {
    const wchar_t* Name; // also the hint of its tray icon
    const wchar_t* MenuItem;
    const wchar_t* MenuCaption;
    // The stored list of its tray images: normal, active, unavailable.
    const wchar_t* TrayImages;
    TShortCut TSettings::*HotKey;
    int Cursor;                    // a slot of the application's cursors
    const wchar_t* CursorResource; // loaded into that slot at start; nullptr: none
    COLORREF PenColor;
    TPenMode PenMode;
    TPenStyle PenStyle;
    TBrushStyle BrushStyle;
    const wchar_t* ContextMenuName; // nullptr: the overlay has no context menu
    std::span<const TToolMenuItem> ContextMenu;
    uint32_t InfoRows; // rows of the information panel; 0: no panel
    int32_t TSettings::*PanelX;
    int32_t TSettings::*PanelY;
    std::unique_ptr<TTool> (*Create)(TToolActivation& activation);
};

extern const TToolInfo kTools[kToolCount];
