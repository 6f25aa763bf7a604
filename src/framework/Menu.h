// Popup menus and their items as plain data: the Win32 menu is built from the
// items each time the menu opens, so captions, shortcuts and enabled states
// changed in OnPopup always show.
#pragma once

#include "framework/Geometry.h"
#include <windows.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TPopupMenu;

class TMenuItem {
public:
    TMenuItem(std::wstring name, std::wstring caption, int tag = 0)
        : Name(std::move(name)), Caption(std::move(caption)), Tag(tag) {}

    std::wstring Name;
    // "-" makes a separator; "&" marks the access key.
    std::wstring Caption;
    int Tag = 0;
    // Shown beside the caption only; the 16-bit shortcut encoding of the settings.
    uint16_t ShortCut = 0;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    // A checked radio item shows a dot instead of a tick.
    bool RadioItem = false;
    // The item a double-click on the menu's owner runs; shown in bold.
    bool Default = false;
    // A colour (0x00BBGGRR) shown as a small square beside the caption,
    // drawn by the menu's owner window through MenuSwatchMessage.
    std::optional<COLORREF> Swatch;
    std::function<void(TMenuItem& sender)> OnClick;
    // An item with items of its own opens them as a submenu instead of
    // being chosen itself.
    std::vector<std::unique_ptr<TMenuItem>> Items;
    TMenuItem& Add(std::wstring name, std::wstring caption, int tag = 0);

    bool IsSeparator() const { return Caption == L"-"; }
};

class TPopupMenu {
public:
    TPopupMenu() = default;
    explicit TPopupMenu(std::wstring name) : Name(std::move(name)) {}
    ~TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    TMenuItem& Add(std::wstring name, std::wstring caption, int tag = 0);
    TMenuItem* Find(std::wstring_view name);
    const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }

    // Opens the menu at a screen position and runs the chosen item's OnClick
    // before it returns. The menu belongs to the application's hidden window
    // unless an owner is given.
    void Popup(int x, int y, HWND owner = nullptr);
    // Runs the visible item that shows this shortcut, as if it were chosen;
    // false when no item shows it. A disabled item takes the stroke and does
    // nothing.
    bool ShortCut(uint16_t shortcut);

    std::wstring Name;
    // False when the menu's owner must not open it by itself (a tray icon's
    // right click); Popup still opens it.
    bool AutoPopup = true;
    // Runs just before the menu opens.
    std::function<void(TPopupMenu& sender)> OnPopup;
    // Runs once the menu has closed, after the chosen item's OnClick,
    // whatever was chosen or went wrong.
    std::function<void(TPopupMenu& sender)> OnClose;
    // Where the menu and its submenus lay on the screen while it was open
    // last; empty when the system did not say.
    const TScreenRect& ShownRect() const { return shownRect_; }
    // Who opened the menu last (a form, a tray icon); for the click handlers.
    void* PopupComponent = nullptr;

    // Holders of a reference to this menu are told when it is destroyed.
    void AddFreeNotification(void* holder, std::function<void()> notify);
    void RemoveFreeNotification(void* holder);

private:
    std::vector<std::unique_ptr<TMenuItem>> items_;
    std::vector<std::pair<void*, std::function<void()>>> freeNotifications_;
    TScreenRect shownRect_{};
};

// The owner window's part in drawing swatches: its window procedure hands
// WM_MEASUREITEM and WM_DRAWITEM here first; true when they were a swatch's,
// with the result to return. The application's window, the owner of menus
// opened without one, does.
bool MenuSwatchMessage(UINT message, LPARAM lParam, LRESULT& result);
