#include "framework/Menu.h"
#include "framework/Application.h"
#include "framework/Handle.h"
#include "framework/ShortCut.h"

namespace {
// A square of the colour with a black outline, the size of a check mark, so
// that white and the menu's own colour show too.
UniqueBitmap SwatchBitmap(COLORREF color) {
    const int width = GetSystemMetrics(SM_CXMENUCHECK), height = GetSystemMetrics(SM_CYMENUCHECK);
    WindowDC screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    if (!bitmap || !dc) return {};
    SelectedObject selected(dc.get(), bitmap.get());
    const RECT whole{0, 0, width, height}, inside{1, 1, width - 1, height - 1};
    FillRect(dc.get(), &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    UniqueBrush fill(CreateSolidBrush(color));
    FillRect(dc.get(), &inside, fill.get());
    return bitmap;
}

// Appends the visible items to a Win32 menu, their submenus too. Command
// identifiers are positions in `commands` plus one; 0 means "nothing chosen".
// The swatches' bitmaps go to `bitmaps`, which must outlive the menu.
void AppendItems(HMENU menu, const std::vector<std::unique_ptr<TMenuItem>>& items,
                 std::vector<TMenuItem*>& commands, std::vector<UniqueBitmap>& bitmaps) {
    for (const auto& entry : items) {
        const TMenuItem& item = *entry;
        if (!item.Visible) continue;
        if (item.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = item.Caption;
        if (item.ShortCut) text += L"\t" + ShortCutToText(item.ShortCut);
        UINT flags = MF_STRING;
        if (!item.Enabled) flags |= MF_GRAYED;
        if (item.Checked) flags |= MF_CHECKED;
        if (!item.Items.empty()) {
            HMENU submenu = CreatePopupMenu();
            AppendItems(submenu, item.Items, commands, bitmaps);
            // From here the parent owns it and destroys it with itself.
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
            continue;
        }
        commands.push_back(entry.get());
        const UINT id = static_cast<UINT>(commands.size());
        AppendMenuW(menu, flags, id, text.c_str());
        if (item.Default) SetMenuDefaultItem(menu, id, FALSE);
        if (item.Swatch) {
            if (UniqueBitmap swatch = SwatchBitmap(*item.Swatch)) {
                MENUITEMINFOW info{};
                info.cbSize = sizeof(info);
                info.fMask = MIIM_BITMAP;
                info.hbmpItem = swatch.get();
                SetMenuItemInfoW(menu, id, FALSE, &info);
                bitmaps.push_back(std::move(swatch));
            }
        }
        if (item.RadioItem && item.Checked) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_RADIOCHECK;
            SetMenuItemInfoW(menu, id, FALSE, &info);
        }
    }
}
} // namespace

TMenuItem& TMenuItem::Add(std::wstring name, std::wstring caption, int tag) {
    Items.push_back(std::make_unique<TMenuItem>(std::move(name), std::move(caption), tag));
    return *Items.back();
}

TPopupMenu::~TPopupMenu() {
    auto notifications = std::move(freeNotifications_);
    for (auto& [holder, notify] : notifications)
        notify();
}

TMenuItem& TPopupMenu::Add(std::wstring name, std::wstring caption, int tag) {
    items_.push_back(std::make_unique<TMenuItem>(std::move(name), std::move(caption), tag));
    return *items_.back();
}

TMenuItem* TPopupMenu::Find(std::wstring_view name) {
    for (auto& item : items_)
        if (item->Name == name) return item.get();
    return nullptr;
}

void TPopupMenu::AddFreeNotification(void* holder, std::function<void()> notify) {
    RemoveFreeNotification(holder);
    freeNotifications_.emplace_back(holder, std::move(notify));
}

void TPopupMenu::RemoveFreeNotification(void* holder) {
    std::erase_if(freeNotifications_, [holder](auto& entry) { return entry.first == holder; });
}

void TPopupMenu::Popup(int x, int y, HWND owner) {
    if (OnPopup) OnPopup(*this);

    // Declared first, so the bitmaps go after the menu that shows them.
    std::vector<UniqueBitmap> bitmaps;
    UniqueMenu menu(CreatePopupMenu());
    std::vector<TMenuItem*> commands;
    AppendItems(menu.get(), items_, commands, bitmaps);

    HWND window = owner ? owner : Application.Handle();
    UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, window, nullptr));
    if (chosen == 0 || chosen > commands.size()) return;
    TMenuItem& item = *commands[chosen - 1];
    if (item.Enabled && item.OnClick) item.OnClick(item);
}

bool TPopupMenu::ShortCut(uint16_t shortcut) {
    if (shortcut == 0) return false;
    for (auto& item : items_) {
        if (!item->Visible || item->IsSeparator() || item->ShortCut != shortcut) continue;
        if (item->Enabled && item->OnClick) item->OnClick(*item);
        return true;
    }
    return false;
}
